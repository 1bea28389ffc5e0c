# Each folder of src/ is a library of its own, a layer, and sees only the
# headers of the layers it links. A header is included by its layer's name,
# "io/output_buffer.h", from a folder in the build tree that holds one link
# per layer the library may use; so an include that crosses a layer edge
# that is not declared fails to compile, rather than waiting for review.
#
#   matinv_layer(NAME name PREFIX prefix SOURCES ... [LINKS layer ...])
#
# makes the static library `name` from the sources in the calling folder,
# whose headers are included as "prefix/...", and links the named layers,
# whose headers it may then include too.
function(matinv_layer)
  cmake_parse_arguments(PARSE_ARGV 0 layer "" "NAME;PREFIX" "SOURCES;LINKS")
  set(root ${PROJECT_BINARY_DIR}/layers/${layer_NAME})
  file(MAKE_DIRECTORY ${root})
  # A copy where the file system has no symbolic links (some Windows set-ups);
  # such a copy is refreshed at each configure.
  file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${root}/${layer_PREFIX} COPY_ON_ERROR SYMBOLIC)
  add_library(${layer_NAME} STATIC ${layer_SOURCES})
  target_include_directories(${layer_NAME} PUBLIC ${root})
  target_link_libraries(${layer_NAME} PUBLIC ${layer_LINKS} PRIVATE matinv_flags)
endfunction()
