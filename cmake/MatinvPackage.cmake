# `cpack -G DEB` in the build folder makes matinv_<version>_<arch>.deb with
# /usr/bin/matinv, the compressed manual page and the copyright file, and
# nothing else.
set(CPACK_PACKAGE_NAME matinv)
set(CPACK_PACKAGE_VENDOR "The matinv developers")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
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
set(CPACK_COMPONENTS_ALL program copyright)
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

# The copyright file names the licenses of the libraries the program holds,
# which is known once every part of the build has said what it links:
# MATINV_HAVE_LINE_EDITING and MATINV_HAVE_EXACT, set TRUE at the top level
# or beside the program's target. So it is written at the end of the
# configure step.
set(matinv_copyright ${PROJECT_BINARY_DIR}/copyright)
install(FILES ${matinv_copyright}
  DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/matinv
  COMPONENT copyright
  EXCLUDE_FROM_ALL)
function(matinv_write_copyright)
  get_target_property(program_folder matinv SOURCE_DIR)
  foreach(feature LINE_EDITING EXACT)
    get_directory_property(beside_program DIRECTORY ${program_folder}
      DEFINITION MATINV_HAVE_${feature})
    if(MATINV_HAVE_${feature} OR beside_program)
      set(${feature} ON)
    else()
      set(${feature} OFF)
    endif()
  endforeach()
  get_target_property(link_options matinv LINK_OPTIONS)
  set(STATIC OFF)
  if("-static" IN_LIST link_options)
    set(STATIC ON)
  endif()
  set(OUTPUT ${matinv_copyright})
  set(LICENSE_FILE ${PROJECT_SOURCE_DIR}/LICENSE)
  include(${PROJECT_SOURCE_DIR}/cmake/MatinvCopyright.cmake)
endfunction()
cmake_language(DEFER CALL matinv_write_copyright)

include(CPack)
