file(REMOVE_RECURSE
  "libtvqconf_core.a"
)
