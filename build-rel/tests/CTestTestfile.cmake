# CMake generated Testfile for 
# Source directory: /work/wt-lead/tests
# Build directory: /work/wt-lead/build-rel/tests
# 
# This file includes the relevant testing commands required for 
# testing this directory and lists subdirectories to be tested as well.
include("/work/wt-lead/build-rel/tests/unit_tests[1]_include.cmake")
include("/work/wt-lead/build-rel/tests/e2e_tests[1]_include.cmake")
