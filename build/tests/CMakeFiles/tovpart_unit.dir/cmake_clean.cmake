file(REMOVE_RECURSE
  "CMakeFiles/tovpart_unit.dir/host/argv_parser_test.cpp.o"
  "CMakeFiles/tovpart_unit.dir/host/argv_parser_test.cpp.o.d"
  "CMakeFiles/tovpart_unit.dir/host/robust_write_test.cpp.o"
  "CMakeFiles/tovpart_unit.dir/host/robust_write_test.cpp.o.d"
  "CMakeFiles/tovpart_unit.dir/host/spath_test.cpp.o"
  "CMakeFiles/tovpart_unit.dir/host/spath_test.cpp.o.d"
  "CMakeFiles/tovpart_unit.dir/host/split_list_test.cpp.o"
  "CMakeFiles/tovpart_unit.dir/host/split_list_test.cpp.o.d"
  "CMakeFiles/tovpart_unit.dir/model/category_tree_test.cpp.o"
  "CMakeFiles/tovpart_unit.dir/model/category_tree_test.cpp.o.d"
  "CMakeFiles/tovpart_unit.dir/model/database_test.cpp.o"
  "CMakeFiles/tovpart_unit.dir/model/database_test.cpp.o.d"
  "CMakeFiles/tovpart_unit.dir/model/db_classes_test.cpp.o"
  "CMakeFiles/tovpart_unit.dir/model/db_classes_test.cpp.o.d"
  "CMakeFiles/tovpart_unit.dir/model/part_list_test.cpp.o"
  "CMakeFiles/tovpart_unit.dir/model/part_list_test.cpp.o.d"
  "CMakeFiles/tovpart_unit.dir/model/part_test.cpp.o"
  "CMakeFiles/tovpart_unit.dir/model/part_test.cpp.o.d"
  "CMakeFiles/tovpart_unit.dir/model/scale_test.cpp.o"
  "CMakeFiles/tovpart_unit.dir/model/scale_test.cpp.o.d"
  "CMakeFiles/tovpart_unit.dir/model/subtree_delete_test.cpp.o"
  "CMakeFiles/tovpart_unit.dir/model/subtree_delete_test.cpp.o.d"
  "CMakeFiles/tovpart_unit.dir/model/window_test.cpp.o"
  "CMakeFiles/tovpart_unit.dir/model/window_test.cpp.o.d"
  "CMakeFiles/tovpart_unit.dir/shell/conventions_test.cpp.o"
  "CMakeFiles/tovpart_unit.dir/shell/conventions_test.cpp.o.d"
  "CMakeFiles/tovpart_unit.dir/shell/group_test.cpp.o"
  "CMakeFiles/tovpart_unit.dir/shell/group_test.cpp.o.d"
  "tovpart_unit"
  "tovpart_unit.pdb"
  "tovpart_unit[1]_tests.cmake"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/tovpart_unit.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
