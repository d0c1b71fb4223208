src/CMakeFiles/tvqconf_core.dir/app/utility_state.cpp.o: \
 /work/wt-lead/src/app/utility_state.cpp /usr/include/stdc-predef.h \
 /work/wt-lead/src/app/utility_state.h
