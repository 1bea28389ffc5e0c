# Builds for WebAssembly with Debian's emscripten (emcc 3.1.6) and runs the
# results under node, the machine's own.
# emcc's JavaScript passes, run by node when linking, need acorn, which
# Debian keeps among its node modules rather than beside emscripten.
set(ENV{NODE_PATH} /usr/share/nodejs)
set(CMAKE_C_LINKER_LAUNCHER env NODE_PATH=/usr/share/nodejs)
set(CMAKE_CXX_LINKER_LAUNCHER env NODE_PATH=/usr/share/nodejs)

# node 20 would fetch the .wasm with its experimental fetch() instead of
# reading the file beside the script.
find_program(MATINV_NODE NAMES node nodejs REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${MATINV_NODE} --no-experimental-fetch)

# After the emulator: emscripten's own file names plain node unless one is set.
include(/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)
