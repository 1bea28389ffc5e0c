# matinv compiled to WebAssembly: matinv.js and matinv.wasm, a module that a
# web page or node starts with createMatinv({...}), and the site folder that
# holds them with the page (web/site) and its terminal, xterm.js.
#
# The module reads its input through Module.matinvHost (see
# src/dialogue/io/emscripten_streams.cpp); -sASYNCIFY lets a read wait for
# the host's promise. Under node, web/node_host.js supplies a host over
# node's own descriptors, and web/start_and_end.js starts the program when
# the script is run as `node matinv.js`. The module touches no file system,
# and ends through exit(), which hands the status to the host.
#
# -O2 at the link: with GMP, gzipped, its wasm and script come to 145 KB
# against -Os's 147 KB (-Os makes the wasm 9 KB smaller unzipped but the
# script larger), and it optimises for speed.
set(matinv_web ${PROJECT_SOURCE_DIR}/web)
target_link_options(matinv PRIVATE
  -O2
  -sMODULARIZE=1 -sEXPORT_NAME=createMatinv
  -sENVIRONMENT=web,node
  -sASYNCIFY "-sASYNCIFY_IMPORTS=['__asyncjs__host_read']"
  -sEXIT_RUNTIME=1 -sFILESYSTEM=0 -sALLOW_MEMORY_GROWTH=1
  "SHELL:--pre-js ${matinv_web}/node_host.js"
  "SHELL:--extern-post-js ${matinv_web}/start_and_end.js")
set_property(TARGET matinv APPEND PROPERTY LINK_DEPENDS
  ${matinv_web}/node_host.js ${matinv_web}/start_and_end.js)

# The site: web/site's files, the module, and xterm.js's script and style
# from web/node_modules, where `npm ci --prefix web` puts the version that
# web/package-lock.json pins.
set(matinv_site ${PROJECT_BINARY_DIR}/site)
add_custom_target(site
  COMMAND ${CMAKE_COMMAND} -DWEB=${matinv_web} -DSITE=${matinv_site}
          -DPROGRAM=$<TARGET_FILE:matinv> -DMANUAL=${PROJECT_SOURCE_DIR}/doc/matinv.1
          -P ${PROJECT_SOURCE_DIR}/cmake/MatinvSite.cmake
  DEPENDS matinv
  COMMENT "Assembling the site in ${matinv_site}"
  VERBATIM)
