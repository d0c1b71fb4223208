src/CMakeFiles/tvqconf_core.dir/configs/config_actions.cpp.o: \
 /work/wt-lead/src/configs/config_actions.cpp /usr/include/stdc-predef.h \
 /work/wt-lead/src/configs/config_actions.h
