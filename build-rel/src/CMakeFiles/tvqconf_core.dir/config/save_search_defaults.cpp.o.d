src/CMakeFiles/tvqconf_core.dir/config/save_search_defaults.cpp.o: \
 /work/wt-lead/src/config/save_search_defaults.cpp \
 /usr/include/stdc-predef.h \
 /work/wt-lead/src/config/save_search_defaults.h
