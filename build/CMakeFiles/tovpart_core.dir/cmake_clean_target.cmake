file(REMOVE_RECURSE
  "libtovpart_core.a"
)
