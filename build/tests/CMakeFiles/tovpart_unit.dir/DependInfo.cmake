
# Consider dependencies only in project.
set(CMAKE_DEPENDS_IN_PROJECT_ONLY OFF)

# The set of languages for which implicit dependencies are needed:
set(CMAKE_DEPENDS_LANGUAGES
  )

# The set of dependency files which are needed:
set(CMAKE_DEPENDS_DEPENDENCY_FILES
  "/work/main/tests/host/argv_parser_test.cpp" "tests/CMakeFiles/tovpart_unit.dir/host/argv_parser_test.cpp.o" "gcc" "tests/CMakeFiles/tovpart_unit.dir/host/argv_parser_test.cpp.o.d"
  "/work/main/tests/host/robust_write_test.cpp" "tests/CMakeFiles/tovpart_unit.dir/host/robust_write_test.cpp.o" "gcc" "tests/CMakeFiles/tovpart_unit.dir/host/robust_write_test.cpp.o.d"
  "/work/main/tests/host/spath_test.cpp" "tests/CMakeFiles/tovpart_unit.dir/host/spath_test.cpp.o" "gcc" "tests/CMakeFiles/tovpart_unit.dir/host/spath_test.cpp.o.d"
  "/work/main/tests/host/split_list_test.cpp" "tests/CMakeFiles/tovpart_unit.dir/host/split_list_test.cpp.o" "gcc" "tests/CMakeFiles/tovpart_unit.dir/host/split_list_test.cpp.o.d"
  "/work/main/tests/model/category_tree_test.cpp" "tests/CMakeFiles/tovpart_unit.dir/model/category_tree_test.cpp.o" "gcc" "tests/CMakeFiles/tovpart_unit.dir/model/category_tree_test.cpp.o.d"
  "/work/main/tests/model/database_test.cpp" "tests/CMakeFiles/tovpart_unit.dir/model/database_test.cpp.o" "gcc" "tests/CMakeFiles/tovpart_unit.dir/model/database_test.cpp.o.d"
  "/work/main/tests/model/db_classes_test.cpp" "tests/CMakeFiles/tovpart_unit.dir/model/db_classes_test.cpp.o" "gcc" "tests/CMakeFiles/tovpart_unit.dir/model/db_classes_test.cpp.o.d"
  "/work/main/tests/model/part_list_test.cpp" "tests/CMakeFiles/tovpart_unit.dir/model/part_list_test.cpp.o" "gcc" "tests/CMakeFiles/tovpart_unit.dir/model/part_list_test.cpp.o.d"
  "/work/main/tests/model/part_test.cpp" "tests/CMakeFiles/tovpart_unit.dir/model/part_test.cpp.o" "gcc" "tests/CMakeFiles/tovpart_unit.dir/model/part_test.cpp.o.d"
  "/work/main/tests/model/scale_test.cpp" "tests/CMakeFiles/tovpart_unit.dir/model/scale_test.cpp.o" "gcc" "tests/CMakeFiles/tovpart_unit.dir/model/scale_test.cpp.o.d"
  "/work/main/tests/model/subtree_delete_test.cpp" "tests/CMakeFiles/tovpart_unit.dir/model/subtree_delete_test.cpp.o" "gcc" "tests/CMakeFiles/tovpart_unit.dir/model/subtree_delete_test.cpp.o.d"
  "/work/main/tests/model/window_test.cpp" "tests/CMakeFiles/tovpart_unit.dir/model/window_test.cpp.o" "gcc" "tests/CMakeFiles/tovpart_unit.dir/model/window_test.cpp.o.d"
  "/work/main/tests/shell/conventions_test.cpp" "tests/CMakeFiles/tovpart_unit.dir/shell/conventions_test.cpp.o" "gcc" "tests/CMakeFiles/tovpart_unit.dir/shell/conventions_test.cpp.o.d"
  "/work/main/tests/shell/group_test.cpp" "tests/CMakeFiles/tovpart_unit.dir/shell/group_test.cpp.o" "gcc" "tests/CMakeFiles/tovpart_unit.dir/shell/group_test.cpp.o.d"
  )

# Targets to which this target links.
set(CMAKE_TARGET_LINKED_INFO_FILES
  "/work/main/build/CMakeFiles/tovpart_core.dir/DependInfo.cmake"
  )

# Fortran module output directory.
set(CMAKE_Fortran_TARGET_MODULE_DIR "")
