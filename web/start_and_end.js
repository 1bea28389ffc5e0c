// Linked into matinv.js with --extern-post-js, after createMatinv, and run
// once when the script loads.
//
// Run as a program (`node matinv.js [options]`), the script starts one run
// of matinv over node's standard streams (see node_host.js) with the
// command line's arguments. Loaded in a page or by require(), it starts
// nothing.
if (typeof require === 'function' && typeof module === 'object' && require.main === module) {
  createMatinv();
}

// In a page, a run ends in exit() from within a read that ASYNCIFY resumed
// from a promise: the ExitStatus thrown to stop the program would surface
// as an unhandled rejection, though the host has already heard the status
// through exited().
if (typeof window === 'object' && typeof window.addEventListener === 'function') {
  window.addEventListener('unhandledrejection', (event) => {
    if (event.reason && event.reason.name === 'ExitStatus') {
      event.preventDefault();
    }
  });
}
