# A cross-built program runs under CMAKE_CROSSCOMPILING_EMULATOR. CTest and
# gtest_discover_tests put the emulator in front of targets they run, but
# the tests also start programs themselves (the built matinv, the C
# baseline), and without binfmt_misc the kernel cannot execute a foreign
# binary. matinv_runnable() gives a path that can be executed directly:
# the target's own file, or a script that hands it to the emulator.
function(matinv_runnable target out_var)
  if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
    set(${out_var} "$<TARGET_FILE:${target}>" PARENT_SCOPE)
    return()
  endif()
  set(emulator "")
  foreach(word IN LISTS CMAKE_CROSSCOMPILING_EMULATOR)
    string(APPEND emulator " '${word}'")
  endforeach()
  set(wrapper ${CMAKE_BINARY_DIR}/emulated/${target})
  set(${out_var} ${wrapper} PARENT_SCOPE)
  get_property(done GLOBAL PROPERTY matinv_wrapped_${target})
  if(done)
    return()
  endif()
  set_property(GLOBAL PROPERTY matinv_wrapped_${target} TRUE)
  file(GENERATE OUTPUT ${wrapper}
    CONTENT "#!/bin/sh\nexec${emulator} '$<TARGET_FILE:${target}>' \"$@\"\n"
    FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
endfunction()

# wine makes its prefix (MATINV_WINEPREFIX, from the toolchain file) at its
# first run, which takes many seconds, and the test programs that CTest
# starts at once to list their tests would all wait for it or race to make
# it; so the prefix is made here, once.
if(MATINV_WINEPREFIX AND NOT EXISTS ${MATINV_WINEPREFIX})
  message(STATUS "Making the wine prefix ${MATINV_WINEPREFIX}")
  execute_process(COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} wineboot --init)
endif()
