# Each folder of src/ is a library of its own, a layer, and may include only
# the headers of its own folder and of the layers it links. A header is
# included by its layer's folder name, "io/output_buffer.h", so each layer
# puts the folder above its own on the include path. That folder holds other
# layers too, which the compiler would then find as well; so before a layer
# is compiled, cmake/MatinvLayerCheck.cmake resolves every include of every
# file in its folder as the compiler would, and fails the build on one that
# reaches a layer it does not link. The check reads the sources themselves,
# so nothing in the build tree can go stale.
#
#   matinv_layer(NAME name PREFIX prefix SOURCES ... [LINKS layer ...]
#                [OPTIONAL layer ...] [LIBRARIES target ...])
#
# makes the static library `name` from the sources in the calling folder,
# whose name is `prefix`, and links the named layers (defined before it),
# whose headers it may then include too, and the named libraries from
# outside the project (GMP, libedit). An OPTIONAL layer is linked when this
# build has it; when it has not (its library was not found), its folder
# stays allowed, for includes that the code keeps behind #if.
#
#   matinv_absent_layer(NAME name)
#
# records, in the folder of a layer that this build leaves out, where it is.
function(matinv_layer)
  cmake_parse_arguments(PARSE_ARGV 0 layer "" "NAME;PREFIX" "SOURCES;LINKS;OPTIONAL;LIBRARIES")
  set(folder ${CMAKE_CURRENT_SOURCE_DIR})
  get_filename_component(folder_name ${folder} NAME)
  if(NOT folder_name STREQUAL layer_PREFIX)
    message(FATAL_ERROR "${layer_NAME}: headers included as \"${layer_PREFIX}/...\" must live in a folder named ${layer_PREFIX}, not ${folder}")
  endif()
  get_filename_component(root ${folder} DIRECTORY)

  # What the compiler searches (this layer's root and those of every layer
  # reachable through its links) and the folders it may take headers from
  # (its own and those of the layers it names).
  set(roots ${root})
  set(allowed ${folder})
  foreach(layer IN LISTS layer_OPTIONAL)
    if(TARGET ${layer})
      list(APPEND layer_LINKS ${layer})
    else()
      get_property(absent_folder GLOBAL PROPERTY MATINV_ABSENT_LAYER_${layer})
      list(APPEND allowed ${absent_folder})
    endif()
  endforeach()
  foreach(link IN LISTS layer_LINKS)
    get_property(link_folder TARGET ${link} PROPERTY MATINV_LAYER_FOLDER)
    if(NOT link_folder)
      message(FATAL_ERROR "${layer_NAME} links ${link}, which is not a layer defined before it")
    endif()
    get_property(link_roots TARGET ${link} PROPERTY MATINV_LAYER_ROOTS)
    list(APPEND roots ${link_roots})
    list(APPEND allowed ${link_folder})
  endforeach()
  list(REMOVE_DUPLICATES roots)

  file(GLOB files CONFIGURE_DEPENDS ${folder}/*.h ${folder}/*.cpp)
  set(stamp ${CMAKE_CURRENT_BINARY_DIR}/${layer_NAME}.layer-checked)
  # A list would reach the script as separate arguments.
  foreach(list files roots allowed)
    string(REPLACE ";" "|" ${list}_arg "${${list}}")
  endforeach()
  add_custom_command(OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} "-DLAYER=${layer_NAME}" "-DFILES=${files_arg}"
            "-DROOTS=${roots_arg}" "-DALLOWED=${allowed_arg}" -P ${PROJECT_SOURCE_DIR}/cmake/MatinvLayerCheck.cmake
    COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
    DEPENDS ${files} ${PROJECT_SOURCE_DIR}/cmake/MatinvLayerCheck.cmake
    COMMENT "Checking the includes of ${layer_NAME}"
    VERBATIM)

  add_library(${layer_NAME} STATIC ${layer_SOURCES} ${stamp})
  set_target_properties(${layer_NAME} PROPERTIES
    MATINV_LAYER_FOLDER ${folder} MATINV_LAYER_ROOTS "${roots}")
  target_include_directories(${layer_NAME} PUBLIC ${root})
  target_link_libraries(${layer_NAME} PUBLIC ${layer_LINKS} ${layer_LIBRARIES} PRIVATE matinv_flags)
endfunction()

function(matinv_absent_layer)
  cmake_parse_arguments(PARSE_ARGV 0 layer "" "NAME" "")
  set_property(GLOBAL PROPERTY MATINV_ABSENT_LAYER_${layer_NAME} ${CMAKE_CURRENT_SOURCE_DIR})
endfunction()
