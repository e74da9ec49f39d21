# install.cmake --
#
# What `cmake --install` and `cpack -G DEB` put where. The package
# directory tovpart1.0/ (module, shim, pkgIndex.tcl) goes to
# <prefix>/lib/, where `TCLLIBPATH=<prefix>/lib tclsh` finds it; pdbtool
# goes to <prefix>/bin and the manual pages to <prefix>/share/man. Without
# an explicit prefix the install goes where the system's own tclsh looks
# for packages.

# The default prefix: the first of /usr/local and /usr whose lib/ is on the
# auto_path of the tclsh found at configure time (a stock Debian tclsh
# searches /usr/lib but not /usr/local/lib).
if(CMAKE_INSTALL_PREFIX_INITIALIZED_TO_DEFAULT)
  execute_process(COMMAND ${TCL_TCLSH}
                  INPUT_FILE ${CMAKE_CURRENT_LIST_DIR}/print_auto_path.tcl
                  OUTPUT_VARIABLE tovpart_auto_path
                  OUTPUT_STRIP_TRAILING_WHITESPACE)
  string(REPLACE "\n" ";" tovpart_auto_path "${tovpart_auto_path}")
  foreach(candidate /usr/local /usr)
    if("${candidate}/lib" IN_LIST tovpart_auto_path)
      set(CMAKE_INSTALL_PREFIX ${candidate} CACHE PATH "Install prefix" FORCE)
      break()
    endif()
  endforeach()
endif()

set(TOVPART_INSTALL_PKGDIR lib/tovpart1.0)
install(TARGETS zq_tovPart tovpart LIBRARY DESTINATION ${TOVPART_INSTALL_PKGDIR})
install(FILES ${TOVPART_PKG_DIR}/pkgIndex.tcl DESTINATION ${TOVPART_INSTALL_PKGDIR})
install(TARGETS pdbtool RUNTIME DESTINATION bin)

# Manual pages, generated from docs/reference/source and kept in the tree
# (scripts/gen-reference). A command's page pdb_open.n installs as
# pdb:open.n, so that `man pdb:open` finds it. A page added later is seen
# by the next build, which then configures again.
file(GLOB tovpart_man_pages CONFIGURE_DEPENDS
     ${CMAKE_SOURCE_DIR}/docs/reference/nroff/*.[15n])
foreach(page ${tovpart_man_pages})
  get_filename_component(name ${page} NAME)
  string(REGEX REPLACE "^pdb_" "pdb:" name ${name})
  string(REGEX REPLACE "^.*\\." "" section ${name})
  install(FILES ${page} DESTINATION share/man/man${section} RENAME ${name})
endforeach()

# cpack -G DEB: the same files under /usr; dpkg-shlibdeps works out the
# dependencies, among them the Tcl runtime the module was linked against.
set(CPACK_PACKAGE_NAME tovpart)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Hierarchical parts database for Tcl scripts, with the pdbtool command")
set(TOVPART_PACKAGE_CONTACT "tovpart maintainers <tovpart@localhost>" CACHE STRING
    "Maintainer field of the Debian package")
set(CPACK_PACKAGE_CONTACT ${TOVPART_PACKAGE_CONTACT})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION libs)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${TOVPART_PKG_DIR})
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS tcl)
include(CPack)
