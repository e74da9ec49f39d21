file(REMOVE_RECURSE
  "tovpart1.0/libzq_tovPart.pdb"
  "tovpart1.0/libzq_tovPart.so"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/zq_tovPart.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
