file(REMOVE_RECURSE
  "libtovpart_core.a"
  "libtovpart_core.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/tovpart_core.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
