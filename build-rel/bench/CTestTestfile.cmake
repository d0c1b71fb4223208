# CMake generated Testfile for 
# Source directory: /work/wt-lead/bench
# Build directory: /work/wt-lead/build-rel/bench
# 
# This file includes the relevant testing commands required for 
# testing this directory and lists subdirectories to be tested as well.
