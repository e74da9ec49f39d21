# Prints the directories this tclsh searches for packages, one a line.
puts [join [concat $auto_path $tcl_pkgPath] \n]
