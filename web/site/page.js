'use strict';
// The page is a terminal in cooked mode: what is typed is echoed and edited
// here, and the program reads whole lines, as it would from a console.
const term = new Terminal({ convertEol: true, rows: 24, fontFamily: 'monospace', fontSize: 14,
  scrollback: 5000 });
window.matinvTerminal = term;
const box = document.getElementById('terminal');
term.open(box);
// Backspace then goes back over the end of a wrapped row, so a line keeps
// its editing across the rows it takes at a narrow width.
term.write('\x1b[?45h');
// Tab leaves the terminal, as it does any other part of the page.
term.attachCustomKeyEventHandler(e => e.key !== 'Tab');

const probe = Object.assign(document.createElement('span'),
  { textContent: 'W'.repeat(40), style: 'position:absolute;visibility:hidden;font:14px monospace' });
document.body.append(probe);
function fit() {
  const cell = probe.getBoundingClientRect().width / 40;
  term.resize(Math.max(20, Math.floor((box.clientWidth - 22) / cell)), term.rows);
}
fit();
addEventListener('resize', fit);

// The wasm is fetched and compiled once; each run is a new instance of it.
// It compiles as it arrives where the server says application/wasm.
const compiled = WebAssembly.compileStreaming(fetch('matinv.wasm'))
  .catch(() => fetch('matinv.wasm').then(r => r.arrayBuffer()).then(b => WebAssembly.compile(b)));
const encoder = new TextEncoder();
let run = null;  // the run being typed to; null once it has ended
let atLineStart = true;

function out(data) {
  term.write(data);
  if (data.length) atLineStart = data[data.length - 1] === (typeof data === 'string' ? '\n' : 10);
}

// Redraws the line being typed as `next`, from where it first differs, and
// puts the cursor at `nextPos`, moving by echo and backspaces only.
function show(next, nextPos = next.length) {
  const { line, pos } = run;
  let same = 0;
  while (same < Math.min(line.length, next.length, pos) && line[same] === next[same]) same++;
  const pad = Math.max(0, line.length - next.length);
  out('\b'.repeat(pos - same) + next.slice(same).join('') + ' '.repeat(pad) +
      '\b'.repeat(next.length + pad - nextPos));
  Object.assign(run, { line: next, pos: nextPos });
}

function enter() {
  const { line } = run;
  show(line);
  out('\r\n');
  queue(line, true);
  Object.assign(run, { line: [], pos: 0, at: run.history.length });
  wake();
}

function recall(at) {
  if (at < 0 || at > run.history.length) return;
  if (run.at === run.history.length) run.draft = run.line;
  run.at = at;
  show(at === run.history.length ? run.draft : run.history[at]);
}

// Each line waits in the queue as its bytes. A line typed is echoed as it is
// typed; a pasted line after the first is echoed only when the program takes
// it, after the prompt that asks for it, so that a paste reads on the screen
// as the same rows typed would.
function queue(line, echoed) {
  run.queue.push({ bytes: [...encoder.encode(line.join('') + '\n')], echoed });
  if (line.length) run.history.push(line);
}

function take(max) {
  const next = run.queue[0];
  const bytes = Uint8Array.from(next.bytes.splice(0, max));
  if (!next.bytes.length) run.queue.shift();
  if (!next.echoed) out(bytes);
  return bytes;
}

function wake() {
  if (run.waiting && (run.queue.length || run.ended)) {
    const { max, resolve } = run.waiting;
    run.waiting = null;
    resolve(run.queue.length ? take(max) : new Uint8Array(0));
  }
}

function finish(status) {
  run = null;
  out(`${atLineStart ? '' : '\r\n'}\x1b[2m[exit status ${status}; Enter runs again]\x1b[0m\r\n`);
}

const at = (f) => () => f(run.line, run.pos);
const keys = {
  '\x1b[D': at((l, p) => show(l, Math.max(0, p - 1))),
  '\x1b[C': at((l, p) => show(l, Math.min(l.length, p + 1))),
  '\x1b[H': at(l => show(l, 0)),
  '\x1b[F': at(l => show(l)),
  '\x7f': at((l, p) => p && show([...l.slice(0, p - 1), ...l.slice(p)], p - 1)),
  '\x1b[3~': at((l, p) => show([...l.slice(0, p), ...l.slice(p + 1)], p)),
  '\x0b': at((l, p) => show(l.slice(0, p))),
  '\x15': at((l, p) => show(l.slice(p), 0)),
  '\x17': at((l, p) => {
    let word = p;
    while (word && l[word - 1] === ' ') word--;
    while (word && l[word - 1] !== ' ') word--;
    show([...l.slice(0, word), ...l.slice(p)], word);
  }),
  '\x1b[A': () => recall(run.at - 1),
  '\x1b[B': () => recall(run.at + 1),
  '\x04': at((l, p) => l.length ? keys['\x1b[3~']() : (run.ended = true, wake())),
  '\x03': () => { out('^C\r\n'); finish(130); },
};
Object.assign(keys, { '\x1bOH': keys['\x1b[H'], '\x1b[1~': keys['\x1b[H'], '\x01': keys['\x1b[H'],
  '\x1bOF': keys['\x1b[F'], '\x1b[4~': keys['\x1b[F'], '\x05': keys['\x1b[F'], '\b': keys['\x7f'] });

term.onData(data => {
  if (!run) return data === '\r' && start();
  if (run.ended) return;
  if (keys[data]) return keys[data]();
  // Typing and pasting alike: the first line of a paste is entered as if
  // typed, the other whole lines wait unseen until they are read.
  const lines = data.split(/\r\n?|\n/);
  const rest = lines.slice(1, -1);
  if (lines.length > 2) data = lines[0] + '\r' + lines[lines.length - 1];
  for (const ch of data) {
    if (ch === '\r' || ch === '\n') {
      enter();
      rest.splice(0).forEach(line => queue([...line], false));
      run.at = run.history.length;
    } else if (ch >= ' ' || ch === '\t') show([...run.line.slice(0, run.pos), ch === '\t' ? ' ' : ch,
      ...run.line.slice(run.pos)], run.pos + 1);
  }
});

function start() {
  if (run) { out('^C\r\n'); finish(130); }
  const args = ['exact', 'steps'].filter(id => document.getElementById(id).checked).map(id => `--${id}`);
  out(['\x1b[2m$ matinv', ...args].join(' ') + '\x1b[0m\r\n');
  const me = run = { line: [], pos: 0, queue: [], history: [], at: 0, waiting: null, ended: false };
  const mine = f => (...a) => run === me ? f(...a) : undefined;
  const matinvHost = {
    isTerminal: () => true,
    read: max => new Promise(resolve => { me.waiting = { max, resolve }; mine(wake)(); }),
    readReady: mine(max => me.queue.length ? take(max) : me.ended ? new Uint8Array(0) : null),
    echoesWhenRead: () => true,
    // What was typed or pasted ahead is dropped, the line being typed too,
    // as a terminal's flush drops it; its echo goes with it.
    dropQueued: mine(() => { me.queue.length = 0; show([], 0); }),
    write: mine((fd, bytes) => {
      if (fd === 2) term.write('\x1b[33m');
      out(bytes);
      if (fd === 2) term.write('\x1b[0m');
    }),
    columns: () => term.cols,
    exited: mine(finish),
  };
  createMatinv({ matinvHost, arguments: args, instantiateWasm(imports, done) {
    compiled.then(m => WebAssembly.instantiate(m, imports).then(i => done(i, m)))
      .catch(error => mine(out)(`matinv could not start: ${error.message}\r\n`));
    return {};
  } });
  term.focus();
}

document.getElementById('options').addEventListener('submit', e => { e.preventDefault(); start(); });
start();
