# CMake generated Testfile for 
# Source directory: /work/main/tests
# Build directory: /work/main/build/tests
# 
# This file includes the relevant testing commands required for 
# testing this directory and lists subdirectories to be tested as well.
include("/work/main/build/tests/tovpart_unit[1]_include.cmake")
add_test([=[module_exports_exactly_nine_symbols]=] "/usr/bin/cmake" "-DMODULE=/work/main/build/tovpart1.0/libzq_tovPart.so" "-P" "/work/main/tests/check_exports.cmake")
set_tests_properties([=[module_exports_exactly_nine_symbols]=] PROPERTIES  _BACKTRACE_TRIPLES "/work/main/tests/CMakeLists.txt;37;add_test;/work/main/tests/CMakeLists.txt;0;")
