
# Consider dependencies only in project.
set(CMAKE_DEPENDS_IN_PROJECT_ONLY OFF)

# The set of languages for which implicit dependencies are needed:
set(CMAKE_DEPENDS_LANGUAGES
  )

# The set of dependency files which are needed:
set(CMAKE_DEPENDS_DEPENDENCY_FILES
  "/work/wt-lead/tests/unit/directory_scan_test.cpp" "tests/CMakeFiles/unit_tests.dir/unit/directory_scan_test.cpp.o" "gcc" "tests/CMakeFiles/unit_tests.dir/unit/directory_scan_test.cpp.o.d"
  "/work/wt-lead/tests/unit/editor_choice_page_test.cpp" "tests/CMakeFiles/unit_tests.dir/unit/editor_choice_page_test.cpp.o" "gcc" "tests/CMakeFiles/unit_tests.dir/unit/editor_choice_page_test.cpp.o.d"
  "/work/wt-lead/tests/unit/escape_test.cpp" "tests/CMakeFiles/unit_tests.dir/unit/escape_test.cpp.o" "gcc" "tests/CMakeFiles/unit_tests.dir/unit/escape_test.cpp.o.d"
  "/work/wt-lead/tests/unit/file_replacement_test.cpp" "tests/CMakeFiles/unit_tests.dir/unit/file_replacement_test.cpp.o" "gcc" "tests/CMakeFiles/unit_tests.dir/unit/file_replacement_test.cpp.o.d"
  "/work/wt-lead/tests/unit/form_data_test.cpp" "tests/CMakeFiles/unit_tests.dir/unit/form_data_test.cpp.o" "gcc" "tests/CMakeFiles/unit_tests.dir/unit/form_data_test.cpp.o.d"
  "/work/wt-lead/tests/unit/form_fuzz_test.cpp" "tests/CMakeFiles/unit_tests.dir/unit/form_fuzz_test.cpp.o" "gcc" "tests/CMakeFiles/unit_tests.dir/unit/form_fuzz_test.cpp.o.d"
  "/work/wt-lead/tests/unit/may_edit_file_test.cpp" "tests/CMakeFiles/unit_tests.dir/unit/may_edit_file_test.cpp.o" "gcc" "tests/CMakeFiles/unit_tests.dir/unit/may_edit_file_test.cpp.o.d"
  "/work/wt-lead/tests/unit/page_writer_test.cpp" "tests/CMakeFiles/unit_tests.dir/unit/page_writer_test.cpp.o" "gcc" "tests/CMakeFiles/unit_tests.dir/unit/page_writer_test.cpp.o.d"
  "/work/wt-lead/tests/unit/request_cycle_test.cpp" "tests/CMakeFiles/unit_tests.dir/unit/request_cycle_test.cpp.o" "gcc" "tests/CMakeFiles/unit_tests.dir/unit/request_cycle_test.cpp.o.d"
  "/work/wt-lead/tests/unit/text_file_test.cpp" "tests/CMakeFiles/unit_tests.dir/unit/text_file_test.cpp.o" "gcc" "tests/CMakeFiles/unit_tests.dir/unit/text_file_test.cpp.o.d"
  "/work/wt-lead/tests/unit/url_test.cpp" "tests/CMakeFiles/unit_tests.dir/unit/url_test.cpp.o" "gcc" "tests/CMakeFiles/unit_tests.dir/unit/url_test.cpp.o.d"
  )

# Targets to which this target links.
set(CMAKE_TARGET_LINKED_INFO_FILES
  "/work/wt-lead/build-rel/src/CMakeFiles/tvqconf_core.dir/DependInfo.cmake"
  "/work/wt-lead/build-rel/tests/CMakeFiles/test_support.dir/DependInfo.cmake"
  )

# Fortran module output directory.
set(CMAKE_Fortran_TARGET_MODULE_DIR "")
