# Install rules: the program and its manual page, nothing else. Test and
# helper executables have no install rules, and anything installed without a
# component of its own stays out of the package.
include(GNUInstallDirs)

install(TARGETS matinv
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
  COMPONENT program)
install(FILES doc/matinv.1
  DESTINATION ${CMAKE_INSTALL_MANDIR}/man1
  COMPONENT manual)

# Debian ships manual pages compressed with gzip -9n: no file name and no time
# stamp in the header, so that the same page always gives the same package.
# The compressed copy is a component that only the package asks for, so a
# plain `cmake --install` puts the page there uncompressed.
#
# Only the package needs gzip, so a machine without it still builds and
# installs; its package then goes without the manual page, and says so.
find_program(MATINV_GZIP gzip)
if(NOT MATINV_GZIP)
  message(STATUS "gzip not found: a Debian package made from this build lacks the manual page")
  return()
endif()
set(matinv_man_gz ${CMAKE_CURRENT_BINARY_DIR}/matinv.1.gz)
add_custom_command(
  OUTPUT ${matinv_man_gz}
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_CURRENT_SOURCE_DIR}/doc/matinv.1
          ${CMAKE_CURRENT_BINARY_DIR}/matinv.1
  COMMAND ${MATINV_GZIP} -9nf ${CMAKE_CURRENT_BINARY_DIR}/matinv.1
  DEPENDS doc/matinv.1
  COMMENT "Compressing the manual page for the package"
  VERBATIM)
add_custom_target(matinv_man_gz ALL DEPENDS ${matinv_man_gz})
install(FILES ${matinv_man_gz}
  DESTINATION ${CMAKE_INSTALL_MANDIR}/man1
  COMPONENT packaged_manual
  EXCLUDE_FROM_ALL)
