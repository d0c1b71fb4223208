# CMake generated Testfile for 
# Source directory: /work/wt-lead
# Build directory: /work/wt-lead/build-rel
# 
# This file includes the relevant testing commands required for 
# testing this directory and lists subdirectories to be tested as well.
subdirs("src")
subdirs("tests")
subdirs("bench")
