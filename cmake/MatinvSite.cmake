# Assembles the site folder SITE: every file of WEB/site, the program
# PROGRAM (matinv.js) with its matinv.wasm, xterm.js's script and style, and
# the manual (MANUAL) as matinv.html when web/manual.cmake is there to
# render it. Run by the `site` target of the wasm build.
set(xterm ${WEB}/node_modules/@xterm/xterm)
foreach(needed ${WEB}/site/index.html ${xterm}/lib/xterm.js ${xterm}/css/xterm.css)
  if(NOT EXISTS ${needed})
    message(FATAL_ERROR "The site needs ${needed}, which is missing: "
      "web/site comes with the sources, and xterm.js from `npm ci --prefix web`")
  endif()
endforeach()
get_filename_component(program_dir ${PROGRAM} DIRECTORY)
get_filename_component(program_name ${PROGRAM} NAME_WE)

# Anew each time: nothing left over from an earlier page.
file(REMOVE_RECURSE ${SITE})
file(GLOB page ${WEB}/site/*)
file(COPY ${page} ${PROGRAM} ${program_dir}/${program_name}.wasm
     ${xterm}/lib/xterm.js ${xterm}/css/xterm.css DESTINATION ${SITE})
if(EXISTS ${WEB}/manual.cmake)
  find_program(GROFF groff REQUIRED)
  set(OUTPUT ${SITE}/matinv.html)
  include(${WEB}/manual.cmake)
endif()
