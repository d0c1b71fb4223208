src/CMakeFiles/tvqconf_core.dir/editor/editor_actions.cpp.o: \
 /work/wt-lead/src/editor/editor_actions.cpp /usr/include/stdc-predef.h \
 /work/wt-lead/src/editor/editor_actions.h
