src/CMakeFiles/tvqconf_core.dir/filelist/file_list_actions.cpp.o: \
 /work/wt-lead/src/filelist/file_list_actions.cpp \
 /usr/include/stdc-predef.h \
 /work/wt-lead/src/filelist/file_list_actions.h
