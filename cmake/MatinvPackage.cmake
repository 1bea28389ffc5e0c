# `cpack -G DEB` in the build folder makes matinv_<version>_<arch>.deb with
# /usr/bin/matinv and the compressed manual page, and nothing else.
set(CPACK_PACKAGE_NAME matinv)
set(CPACK_PACKAGE_VENDOR "matinv maintainers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "invert a real square matrix at the console")
# The long description, in control-file lines of under 80 columns.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "matinv asks for the order of a square matrix, at most 10, and for its\n"
  "entries row by row, inverts the matrix by Gauss-Jordan elimination in IEEE\n"
  "double arithmetic, and prints the matrix, its inverse and their product\n"
  "with ten decimals. A matrix without an inverse is reported and the dialogue\n"
  "starts over.")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

# One package made of the listed components only.
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_COMPONENTS_ALL program)
if(MATINV_GZIP)
  list(APPEND CPACK_COMPONENTS_ALL packaged_manual)
endif()

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER
  "matinv maintainers <maintainers@users.noreply.c-seed-640bbb99.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Depends is worked out from the libraries the program links against
# (dpkg-shlibdeps, from dpkg-dev); a static program needs none.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)

include(CPack)
