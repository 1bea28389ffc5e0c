// Linked into matinv.js with --pre-js. Under node, when whoever starts the
// module hands over no host of their own, the program's standard streams
// are node's descriptors 0, 1 and 2, as a native program's are: a pipe is a
// pipe, a file a file and a terminal a terminal. A failure is thrown or
// rejected with node's error, whose code (EISDIR, ENOSPC, ...) the program
// turns into its message.
if (!Module['matinvHost'] && typeof process === 'object' && process.versions &&
    process.versions.node) {
  Module['matinvHost'] = (function () {
    const fs = require('fs');
    const tty = require('tty');
    const isFile = (fd) => {
      try {
        return fs.fstatSync(fd).isFile();
      } catch (error) {
        return false;
      }
    };
    // A descriptor that another program left non-blocking says EAGAIN
    // until there is something to read: asked again a little later.
    const readInto = (buffer, done) => fs.read(0, buffer, 0, buffer.length, null, (error, count) => {
      if (error && error.code === 'EAGAIN') {
        setTimeout(() => readInto(buffer, done), 5);
      } else {
        done(error, count);
      }
    });
    return {
      isTerminal: (fd) => tty.isatty(fd),
      read: (max) => new Promise((resolve, reject) => {
        const buffer = new Uint8Array(max);
        readInto(buffer, (error, count) => (error ? reject(error) : resolve(buffer.subarray(0, count))));
      }),
      // Only a file's bytes are known to be there: node cannot ask a pipe
      // or a terminal without waiting.
      readReady: (max) => {
        if (!isFile(0)) {
          return null;
        }
        const buffer = new Uint8Array(max);
        return buffer.subarray(0, fs.readSync(0, buffer, 0, max, null));
      },
      // node cannot flush a terminal's input; nothing else queues any.
      dropQueued: () => {},
      write: (fd, bytes) => {
        for (let done = 0; done < bytes.length;) {
          try {
            done += fs.writeSync(fd, bytes, done, bytes.length - done);
          } catch (error) {
            if (error.code !== 'EAGAIN') {
              throw error;
            }
          }
        }
      },
      columns: () => (tty.isatty(2) ? process.stderr.columns || 0 : 0),
      exited: (status) => {
        process.exitCode = status;
      },
    };
  })();
}

// The host hears once how the program ended.
Module['onExit'] = (function (chained) {
  return function (status) {
    if (chained) {
      chained(status);
    }
    Module['matinvHost'].exited(status);
  };
})(Module['onExit']);
