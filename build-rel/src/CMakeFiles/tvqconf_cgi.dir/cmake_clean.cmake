file(REMOVE_RECURSE
  "CMakeFiles/tvqconf_cgi.dir/app/main.cpp.o"
  "CMakeFiles/tvqconf_cgi.dir/app/main.cpp.o.d"
  "tvqconf.cgi"
  "tvqconf.cgi.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/tvqconf_cgi.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
