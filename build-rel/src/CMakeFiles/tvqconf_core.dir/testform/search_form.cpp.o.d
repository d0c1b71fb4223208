src/CMakeFiles/tvqconf_core.dir/testform/search_form.cpp.o: \
 /work/wt-lead/src/testform/search_form.cpp /usr/include/stdc-predef.h \
 /work/wt-lead/src/testform/search_form.h
