# Flags for the project's own targets only: each links matinv_flags. Third-
# party code built inside the tree (GoogleTest from source) keeps its own.
add_library(matinv_flags INTERFACE)

set(matinv_gnu_like "$<OR:$<COMPILE_LANG_AND_ID:CXX,GNU,Clang,AppleClang>,$<COMPILE_LANG_AND_ID:C,GNU,Clang,AppleClang>>")
set(matinv_msvc "$<OR:$<COMPILE_LANG_AND_ID:CXX,MSVC>,$<COMPILE_LANG_AND_ID:C,MSVC>>")

# Printed digits depend on every double operation being rounded on its own:
# no fused multiply-add and nothing that widens precision. GCC contracts
# a*b+c by default, clang within a statement; MSVC's /fp:strict forbids both.
target_compile_options(matinv_flags INTERFACE
  "$<${matinv_gnu_like}:-ffp-contract=off;-Wall;-Wextra;-Wpedantic>"
  "$<${matinv_msvc}:/fp:strict;/W4>")
if(MATINV_WERROR)
  target_compile_options(matinv_flags INTERFACE
    "$<${matinv_gnu_like}:-Werror>" "$<${matinv_msvc}:/WX>")
endif()

# Any sanitizer finding ends the run, so that a test or fuzz input that
# triggers one fails instead of printing a warning and passing.
if(MATINV_SANITIZE OR MATINV_FUZZ)
  set(matinv_sanitizers -fsanitize=address,undefined -fno-sanitize-recover=all)
  target_compile_options(matinv_flags INTERFACE ${matinv_sanitizers} -fno-omit-frame-pointer -g)
  target_link_options(matinv_flags INTERFACE ${matinv_sanitizers})
endif()
if(MATINV_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "MATINV_FUZZ needs clang: CC=clang CXX=clang++ cmake -DMATINV_FUZZ=ON ...")
  endif()
  # Coverage feedback for the whole library, not only the harness.
  target_compile_options(matinv_flags INTERFACE -fsanitize=fuzzer-no-link)
endif()
