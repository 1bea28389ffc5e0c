# cmake -DLAYER=name -DFILES=a|b -DROOTS=... -DALLOWED=... -P MatinvLayerCheck.cmake
#
# Resolves each #include of FILES as the compiler does: a quoted one first
# beside the including file, then in each of ROOTS in turn. An include that
# reaches a file of the project must reach one directly in a folder of
# ALLOWED; one that resolves nowhere in ROOTS is a system header. A relative
# "../" include is resolved like any other, so it cannot slip past, and an
# include whose name comes from a macro cannot be resolved, so it fails.
cmake_minimum_required(VERSION 3.20)
foreach(list FILES ROOTS ALLOWED)
  string(REPLACE "|" ";" ${list} "${${list}}")
endforeach()
set(faults "")
foreach(file IN LISTS FILES)
  get_filename_component(here ${file} DIRECTORY)
  file(STRINGS ${file} lines REGEX "^[ \t]*#[ \t]*include")
  foreach(line IN LISTS lines)
    if(line MATCHES "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\"")
      set(searched ${here} ${ROOTS})
    elseif(line MATCHES "^[ \t]*#[ \t]*include[ \t]*<([^>]+)>")
      set(searched ${ROOTS})
    else()
      string(APPEND faults "\n  ${file}: ${line} (a computed include cannot be checked)")
      continue()
    endif()
    set(name ${CMAKE_MATCH_1})
    foreach(folder IN LISTS searched)
      get_filename_component(found ${folder}/${name} ABSOLUTE)
      # The compiler passes over a folder of that name, as <numbers> finds
      # the standard header, not the layer.
      if(EXISTS ${found} AND NOT IS_DIRECTORY ${found})
        get_filename_component(found_folder ${found} DIRECTORY)
        if(NOT found_folder IN_LIST ALLOWED)
          string(APPEND faults "\n  ${file}: ${line} reaches ${found}")
        endif()
        break()
      endif()
    endforeach()
  endforeach()
endforeach()
if(faults)
  message(FATAL_ERROR "${LAYER} includes headers of layers it does not link:${faults}")
endif()
