
# Consider dependencies only in project.
set(CMAKE_DEPENDS_IN_PROJECT_ONLY OFF)

# The set of languages for which implicit dependencies are needed:
set(CMAKE_DEPENDS_LANGUAGES
  )

# The set of dependency files which are needed:
set(CMAKE_DEPENDS_DEPENDENCY_FILES
  "/work/main/src/model/ascii_db.cpp" "CMakeFiles/tovpart_objects.dir/src/model/ascii_db.cpp.o" "gcc" "CMakeFiles/tovpart_objects.dir/src/model/ascii_db.cpp.o.d"
  "/work/main/src/model/binary_db.cpp" "CMakeFiles/tovpart_objects.dir/src/model/binary_db.cpp.o" "gcc" "CMakeFiles/tovpart_objects.dir/src/model/binary_db.cpp.o.d"
  "/work/main/src/model/category_lookup.cpp" "CMakeFiles/tovpart_objects.dir/src/model/category_lookup.cpp.o" "gcc" "CMakeFiles/tovpart_objects.dir/src/model/category_lookup.cpp.o.d"
  "/work/main/src/model/category_refs.cpp" "CMakeFiles/tovpart_objects.dir/src/model/category_refs.cpp.o" "gcc" "CMakeFiles/tovpart_objects.dir/src/model/category_refs.cpp.o.d"
  "/work/main/src/model/category_tree.cpp" "CMakeFiles/tovpart_objects.dir/src/model/category_tree.cpp.o" "gcc" "CMakeFiles/tovpart_objects.dir/src/model/category_tree.cpp.o.d"
  "/work/main/src/model/child_index.cpp" "CMakeFiles/tovpart_objects.dir/src/model/child_index.cpp.o" "gcc" "CMakeFiles/tovpart_objects.dir/src/model/child_index.cpp.o.d"
  "/work/main/src/model/entry_index.cpp" "CMakeFiles/tovpart_objects.dir/src/model/entry_index.cpp.o" "gcc" "CMakeFiles/tovpart_objects.dir/src/model/entry_index.cpp.o.d"
  "/work/main/src/model/list_text.cpp" "CMakeFiles/tovpart_objects.dir/src/model/list_text.cpp.o" "gcc" "CMakeFiles/tovpart_objects.dir/src/model/list_text.cpp.o.d"
  "/work/main/src/model/part.cpp" "CMakeFiles/tovpart_objects.dir/src/model/part.cpp.o" "gcc" "CMakeFiles/tovpart_objects.dir/src/model/part.cpp.o.d"
  "/work/main/src/model/part_list.cpp" "CMakeFiles/tovpart_objects.dir/src/model/part_list.cpp.o" "gcc" "CMakeFiles/tovpart_objects.dir/src/model/part_list.cpp.o.d"
  "/work/main/src/model/subtree_delete.cpp" "CMakeFiles/tovpart_objects.dir/src/model/subtree_delete.cpp.o" "gcc" "CMakeFiles/tovpart_objects.dir/src/model/subtree_delete.cpp.o.d"
  "/work/main/src/model/window.cpp" "CMakeFiles/tovpart_objects.dir/src/model/window.cpp.o" "gcc" "CMakeFiles/tovpart_objects.dir/src/model/window.cpp.o.d"
  "/work/main/src/shell/group_queries.cpp" "CMakeFiles/tovpart_objects.dir/src/shell/group_queries.cpp.o" "gcc" "CMakeFiles/tovpart_objects.dir/src/shell/group_queries.cpp.o.d"
  )

# Targets to which this target links.
set(CMAKE_TARGET_LINKED_INFO_FILES
  )

# Fortran module output directory.
set(CMAKE_Fortran_TARGET_MODULE_DIR "")
