
# Consider dependencies only in project.
set(CMAKE_DEPENDS_IN_PROJECT_ONLY OFF)

# The set of languages for which implicit dependencies are needed:
set(CMAKE_DEPENDS_LANGUAGES
  )

# The set of dependency files which are needed:
set(CMAKE_DEPENDS_DEPENDENCY_FILES
  "/work/main/src/host/argv_parser.cpp" "CMakeFiles/tovpart_objects.dir/src/host/argv_parser.cpp.o" "gcc" "CMakeFiles/tovpart_objects.dir/src/host/argv_parser.cpp.o.d"
  "/work/main/src/host/host_misc.cpp" "CMakeFiles/tovpart_objects.dir/src/host/host_misc.cpp.o" "gcc" "CMakeFiles/tovpart_objects.dir/src/host/host_misc.cpp.o.d"
  "/work/main/src/host/robust_write.cpp" "CMakeFiles/tovpart_objects.dir/src/host/robust_write.cpp.o" "gcc" "CMakeFiles/tovpart_objects.dir/src/host/robust_write.cpp.o.d"
  "/work/main/src/host/spath.cpp" "CMakeFiles/tovpart_objects.dir/src/host/spath.cpp.o" "gcc" "CMakeFiles/tovpart_objects.dir/src/host/spath.cpp.o.d"
  "/work/main/src/host/split_list.cpp" "CMakeFiles/tovpart_objects.dir/src/host/split_list.cpp.o" "gcc" "CMakeFiles/tovpart_objects.dir/src/host/split_list.cpp.o.d"
  "/work/main/src/model/ascii_db.cpp" "CMakeFiles/tovpart_objects.dir/src/model/ascii_db.cpp.o" "gcc" "CMakeFiles/tovpart_objects.dir/src/model/ascii_db.cpp.o.d"
  "/work/main/src/model/binary_db.cpp" "CMakeFiles/tovpart_objects.dir/src/model/binary_db.cpp.o" "gcc" "CMakeFiles/tovpart_objects.dir/src/model/binary_db.cpp.o.d"
  "/work/main/src/model/category_lookup.cpp" "CMakeFiles/tovpart_objects.dir/src/model/category_lookup.cpp.o" "gcc" "CMakeFiles/tovpart_objects.dir/src/model/category_lookup.cpp.o.d"
  "/work/main/src/model/category_refs.cpp" "CMakeFiles/tovpart_objects.dir/src/model/category_refs.cpp.o" "gcc" "CMakeFiles/tovpart_objects.dir/src/model/category_refs.cpp.o.d"
  "/work/main/src/model/category_tree.cpp" "CMakeFiles/tovpart_objects.dir/src/model/category_tree.cpp.o" "gcc" "CMakeFiles/tovpart_objects.dir/src/model/category_tree.cpp.o.d"
  "/work/main/src/model/child_index.cpp" "CMakeFiles/tovpart_objects.dir/src/model/child_index.cpp.o" "gcc" "CMakeFiles/tovpart_objects.dir/src/model/child_index.cpp.o.d"
  "/work/main/src/model/database.cpp" "CMakeFiles/tovpart_objects.dir/src/model/database.cpp.o" "gcc" "CMakeFiles/tovpart_objects.dir/src/model/database.cpp.o.d"
  "/work/main/src/model/entry_index.cpp" "CMakeFiles/tovpart_objects.dir/src/model/entry_index.cpp.o" "gcc" "CMakeFiles/tovpart_objects.dir/src/model/entry_index.cpp.o.d"
  "/work/main/src/model/list_text.cpp" "CMakeFiles/tovpart_objects.dir/src/model/list_text.cpp.o" "gcc" "CMakeFiles/tovpart_objects.dir/src/model/list_text.cpp.o.d"
  "/work/main/src/model/part.cpp" "CMakeFiles/tovpart_objects.dir/src/model/part.cpp.o" "gcc" "CMakeFiles/tovpart_objects.dir/src/model/part.cpp.o.d"
  "/work/main/src/model/part_list.cpp" "CMakeFiles/tovpart_objects.dir/src/model/part_list.cpp.o" "gcc" "CMakeFiles/tovpart_objects.dir/src/model/part_list.cpp.o.d"
  "/work/main/src/model/subtree_delete.cpp" "CMakeFiles/tovpart_objects.dir/src/model/subtree_delete.cpp.o" "gcc" "CMakeFiles/tovpart_objects.dir/src/model/subtree_delete.cpp.o.d"
  "/work/main/src/model/window.cpp" "CMakeFiles/tovpart_objects.dir/src/model/window.cpp.o" "gcc" "CMakeFiles/tovpart_objects.dir/src/model/window.cpp.o.d"
  "/work/main/src/shell/debug_cmd.cpp" "CMakeFiles/tovpart_objects.dir/src/shell/debug_cmd.cpp.o" "gcc" "CMakeFiles/tovpart_objects.dir/src/shell/debug_cmd.cpp.o.d"
  "/work/main/src/shell/entry.cpp" "CMakeFiles/tovpart_objects.dir/src/shell/entry.cpp.o" "gcc" "CMakeFiles/tovpart_objects.dir/src/shell/entry.cpp.o.d"
  "/work/main/src/shell/error_codes.cpp" "CMakeFiles/tovpart_objects.dir/src/shell/error_codes.cpp.o" "gcc" "CMakeFiles/tovpart_objects.dir/src/shell/error_codes.cpp.o.d"
  "/work/main/src/shell/group.cpp" "CMakeFiles/tovpart_objects.dir/src/shell/group.cpp.o" "gcc" "CMakeFiles/tovpart_objects.dir/src/shell/group.cpp.o.d"
  "/work/main/src/shell/group_cmd.cpp" "CMakeFiles/tovpart_objects.dir/src/shell/group_cmd.cpp.o" "gcc" "CMakeFiles/tovpart_objects.dir/src/shell/group_cmd.cpp.o.d"
  "/work/main/src/shell/group_queries.cpp" "CMakeFiles/tovpart_objects.dir/src/shell/group_queries.cpp.o" "gcc" "CMakeFiles/tovpart_objects.dir/src/shell/group_queries.cpp.o.d"
  "/work/main/src/shell/messages.cpp" "CMakeFiles/tovpart_objects.dir/src/shell/messages.cpp.o" "gcc" "CMakeFiles/tovpart_objects.dir/src/shell/messages.cpp.o.d"
  "/work/main/src/shell/options.cpp" "CMakeFiles/tovpart_objects.dir/src/shell/options.cpp.o" "gcc" "CMakeFiles/tovpart_objects.dir/src/shell/options.cpp.o.d"
  "/work/main/src/shell/pending_commands.cpp" "CMakeFiles/tovpart_objects.dir/src/shell/pending_commands.cpp.o" "gcc" "CMakeFiles/tovpart_objects.dir/src/shell/pending_commands.cpp.o.d"
  "/work/main/src/shell/trace.cpp" "CMakeFiles/tovpart_objects.dir/src/shell/trace.cpp.o" "gcc" "CMakeFiles/tovpart_objects.dir/src/shell/trace.cpp.o.d"
  "/work/main/src/shell/unload_cmd.cpp" "CMakeFiles/tovpart_objects.dir/src/shell/unload_cmd.cpp.o" "gcc" "CMakeFiles/tovpart_objects.dir/src/shell/unload_cmd.cpp.o.d"
  )

# Targets to which this target links.
set(CMAKE_TARGET_LINKED_INFO_FILES
  )

# Fortran module output directory.
set(CMAKE_Fortran_TARGET_MODULE_DIR "")
