file(REMOVE_RECURSE
  "CMakeFiles/unit_tests.dir/unit/directory_scan_test.cpp.o"
  "CMakeFiles/unit_tests.dir/unit/directory_scan_test.cpp.o.d"
  "CMakeFiles/unit_tests.dir/unit/editor_choice_page_test.cpp.o"
  "CMakeFiles/unit_tests.dir/unit/editor_choice_page_test.cpp.o.d"
  "CMakeFiles/unit_tests.dir/unit/escape_test.cpp.o"
  "CMakeFiles/unit_tests.dir/unit/escape_test.cpp.o.d"
  "CMakeFiles/unit_tests.dir/unit/file_replacement_test.cpp.o"
  "CMakeFiles/unit_tests.dir/unit/file_replacement_test.cpp.o.d"
  "CMakeFiles/unit_tests.dir/unit/form_data_test.cpp.o"
  "CMakeFiles/unit_tests.dir/unit/form_data_test.cpp.o.d"
  "CMakeFiles/unit_tests.dir/unit/form_fuzz_test.cpp.o"
  "CMakeFiles/unit_tests.dir/unit/form_fuzz_test.cpp.o.d"
  "CMakeFiles/unit_tests.dir/unit/may_edit_file_test.cpp.o"
  "CMakeFiles/unit_tests.dir/unit/may_edit_file_test.cpp.o.d"
  "CMakeFiles/unit_tests.dir/unit/page_writer_test.cpp.o"
  "CMakeFiles/unit_tests.dir/unit/page_writer_test.cpp.o.d"
  "CMakeFiles/unit_tests.dir/unit/request_cycle_test.cpp.o"
  "CMakeFiles/unit_tests.dir/unit/request_cycle_test.cpp.o.d"
  "CMakeFiles/unit_tests.dir/unit/text_file_test.cpp.o"
  "CMakeFiles/unit_tests.dir/unit/text_file_test.cpp.o.d"
  "CMakeFiles/unit_tests.dir/unit/url_test.cpp.o"
  "CMakeFiles/unit_tests.dir/unit/url_test.cpp.o.d"
  "unit_tests"
  "unit_tests.pdb"
  "unit_tests[1]_tests.cmake"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/unit_tests.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
