file(REMOVE_RECURSE
  "CMakeFiles/tovpart.dir/src/package/tovpart_package.c.o"
  "CMakeFiles/tovpart.dir/src/package/tovpart_package.c.o.d"
  "tovpart1.0/libtovpart.pdb"
  "tovpart1.0/libtovpart.so"
)

# Per-language clean rules from dependency scanning.
foreach(lang C)
  include(CMakeFiles/tovpart.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
