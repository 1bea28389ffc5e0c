// Linked into matinv.js with --extern-post-js, after createMatinv: run as a
// program (`node matinv.js [options]`), the script starts one run of
// matinv over node's standard streams (see node_host.js) with the command
// line's arguments. Loaded in a page or by require(), it starts nothing.
if (typeof require === 'function' && typeof module === 'object' && require.main === module) {
  createMatinv();
}
