# Empty dependencies file for tvqconf_core.
# This may be replaced when dependencies are built.
