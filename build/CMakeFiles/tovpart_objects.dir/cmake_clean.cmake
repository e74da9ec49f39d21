file(REMOVE_RECURSE
  "CMakeFiles/tovpart_objects.dir/src/model/ascii_db.cpp.o"
  "CMakeFiles/tovpart_objects.dir/src/model/ascii_db.cpp.o.d"
  "CMakeFiles/tovpart_objects.dir/src/model/binary_db.cpp.o"
  "CMakeFiles/tovpart_objects.dir/src/model/binary_db.cpp.o.d"
  "CMakeFiles/tovpart_objects.dir/src/model/category_lookup.cpp.o"
  "CMakeFiles/tovpart_objects.dir/src/model/category_lookup.cpp.o.d"
  "CMakeFiles/tovpart_objects.dir/src/model/category_refs.cpp.o"
  "CMakeFiles/tovpart_objects.dir/src/model/category_refs.cpp.o.d"
  "CMakeFiles/tovpart_objects.dir/src/model/category_tree.cpp.o"
  "CMakeFiles/tovpart_objects.dir/src/model/category_tree.cpp.o.d"
  "CMakeFiles/tovpart_objects.dir/src/model/child_index.cpp.o"
  "CMakeFiles/tovpart_objects.dir/src/model/child_index.cpp.o.d"
  "CMakeFiles/tovpart_objects.dir/src/model/entry_index.cpp.o"
  "CMakeFiles/tovpart_objects.dir/src/model/entry_index.cpp.o.d"
  "CMakeFiles/tovpart_objects.dir/src/model/list_text.cpp.o"
  "CMakeFiles/tovpart_objects.dir/src/model/list_text.cpp.o.d"
  "CMakeFiles/tovpart_objects.dir/src/model/part.cpp.o"
  "CMakeFiles/tovpart_objects.dir/src/model/part.cpp.o.d"
  "CMakeFiles/tovpart_objects.dir/src/model/part_list.cpp.o"
  "CMakeFiles/tovpart_objects.dir/src/model/part_list.cpp.o.d"
  "CMakeFiles/tovpart_objects.dir/src/model/subtree_delete.cpp.o"
  "CMakeFiles/tovpart_objects.dir/src/model/subtree_delete.cpp.o.d"
  "CMakeFiles/tovpart_objects.dir/src/model/window.cpp.o"
  "CMakeFiles/tovpart_objects.dir/src/model/window.cpp.o.d"
  "CMakeFiles/tovpart_objects.dir/src/shell/group_queries.cpp.o"
  "CMakeFiles/tovpart_objects.dir/src/shell/group_queries.cpp.o.d"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/tovpart_objects.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
