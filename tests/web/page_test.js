'use strict';
// The page in headless chromium: sessions typed key by key, edited, pasted,
// read back from the terminal's buffer; each report must be the reference
// program's standard output for the same lines, and the page must ask for
// nothing beyond the local server.
//   node tests/web/page_test.js SITE_FOLDER REFERENCE_PROGRAM [ARGUMENT...]
// REFERENCE_PROGRAM is the native build/matinv (or the wasm one under node).
const test = require('node:test');
const assert = require('node:assert');
const { execFileSync } = require('node:child_process');
const { openSite, screenText } = require('./browser.js');

const [site, ...reference] = process.argv.slice(2);
const typed = '2\n4 7\n2 6\n';
const cases = [
  { name: 'a 2x2 typed key by key', keys: ['2', 'Enter', '4 7', 'Enter', '2 6', 'Enter'], input: typed,
    shows: ['INPUT ORDER OF SQUARE MATRIX: 2\nINPUT a11 a12: 4 7\nINPUT a21 a22: 2 6\n\n[A]='] },
  { name: 'a typo asked again', keys: ['2', 'Enter', '7-1 2', 'Enter', '4 7', 'Enter', '2 6', 'Enter'],
    input: typed, shows: ['INPUT a11 a12: 7-1 2\nmatinv: line 2, column 1: ', '"7-1"',
      '\nINPUT a11 a12: 4 7\nINPUT a21 a22: 2 6\n'] },
  { name: 'a line edited by arrow keys and recalled',
    keys: ['2', 'Enter', '47', 'ArrowLeft', ' ', 'ArrowRight', 'Enter',
      'ArrowUp', 'Home', 'Delete', '2', 'End', 'Backspace', '6', 'Enter'],
    input: typed, shows: ['INPUT a11 a12: 4 7\nINPUT a21 a22: 2 6\n'] },
  { name: 'a pasted 3x3', keys: ['3', 'Enter', { paste: '2 0 1\n1 3 2\n1 1 2\n' }],
    input: '3\n2 0 1\n1 3 2\n1 1 2\n', shows: ['INPUT a11 a12 a13: 2 0 1\nINPUT a21 a22 a23: 1 3 2\nINPUT a31 a32 a33: 1 1 2\n\n[A]='] },
  { name: '--exact with fractions', options: ['exact'], keys: ['2', 'Enter', '1/2 1/3', 'Enter', '1/4 1/5', 'Enter'],
    input: '2\n1/2 1/3\n1/4 1/5\n', shows: ['[B]=\n12      -20\n-15     30', 'det[A]=\n1/60'] },
  { name: 'a singular matrix, then a good one',
    keys: ['2', 'Enter', '1 2', 'Enter', '2 4', 'Enter', '2', 'Enter', '4 7', 'Enter', '2 6', 'Enter'],
    input: '2\n1 2\n2 4\n' + typed, shows: ['INVERSE MATRIX NOT EXIST!!\nINPUT ORDER OF SQUARE MATRIX: 2'] },
  { name: 'Ctrl-D on an empty line ends the input', keys: ['2', 'Enter', 'Control+D'], status: 1,
    shows: ['INPUT a11 a12: \nmatinv: line 2, column 1: '] },
  { name: '--steps at a phone\'s width', options: ['steps'], width: 360, keys: ['2', 'Enter', '4 7', 'Enter', '2 6', 'Enter'],
    input: typed, shows: ['--- steps for matrix 1', 'Columns 1 and 2:\n0.5714285714    1.0000000000\n'] },
];

// Text from the report on, with tabs set to the terminal's stops.
function report(text) {
  return text.slice(text.indexOf('[A]=')).split('\n')
    .map(line => [...line].reduce((out, c) => out + (c === '\t' ? ' '.repeat(8 - out.length % 8) : c), '').trimEnd())
    .join('\n').trimEnd();
}

test('the page runs matinv as a terminal would', async t => {
  const { page, origin, outside, close } = await openSite(site);
  const errors = [];
  page.on('pageerror', error => errors.push(error.message));
  await page.addInitScript(`window.screenText = ${screenText}`);
  await page.goto(origin + '/');
  const thisRun = () => page.evaluate(() => { const s = screenText(); return s.slice(s.lastIndexOf('$ matinv')); });
  const settled = (before, ending) => page.waitForFunction(([before, ending]) => {
    const s = screenText();
    return s.length > before && new RegExp(ending).test(s.slice(s.lastIndexOf('$ matinv')));
  }, [before, ending], { timeout: 10000 });
  let first = true;
  try {
    for (const c of cases) await t.test(c.name, async () => {
      await page.setViewportSize({ width: c.width || 1000, height: 700 });
      for (const option of ['exact', 'steps']) await page.setChecked(`#${option}`, (c.options || []).includes(option));
      if (!first) await page.click('#run');
      first = false;
      await settled(0, 'INPUT ORDER OF SQUARE MATRIX: $');
      await page.focus('.xterm-helper-textarea');
      for (const key of c.keys) {
        const before = (await page.evaluate(() => screenText())).length;
        if (key.paste) {
          await page.evaluate(text => {
            const data = new DataTransfer();
            data.setData('text/plain', text);
            document.activeElement.dispatchEvent(new ClipboardEvent('paste', { clipboardData: data, bubbles: true }));
          }, key.paste);
        } else if (/^[A-Z][a-zA-Z]+(\+[A-Z])?$/.test(key)) await page.keyboard.press(key);
        else await page.keyboard.type(key);
        if (key === 'Enter' || key.paste || key === 'Control+D') await settled(before, 'INPUT [^\\n]*: $|\\[exit status');
      }
      await settled(0, `\\[exit status ${c.status || 0};`);
      const screen = await thisRun();
      const what = `${c.name}, typed ${JSON.stringify(c.keys)}:\n${screen}`;
      for (const text of c.shows) assert.ok(screen.includes(text), `${what}\ndoes not show ${JSON.stringify(text)}`);
      if (c.input) {
        const native = execFileSync(reference[0], [...reference.slice(1), ...(c.options || []).map(o => `--${o}`)],
          { input: c.input, stdio: ['pipe', 'pipe', 'ignore'] }).toString();
        assert.strictEqual(report(screen.slice(0, screen.indexOf('[exit status'))), report(native),
          `${what}\nits report differs from ${reference.join(' ')}'s for ${JSON.stringify(c.input)}`);
      }
      if (c.width) {
        const cols = await page.evaluate(() => matinvTerminal.cols);
        assert.ok(cols < 48 && !screen.split('\n').some(line => line.length > cols), `${what}\ncut to ${cols} columns`);
      }
    });
  } finally {
    await close();
  }
  assert.deepStrictEqual(errors, [], 'the page threw');
  assert.deepStrictEqual(outside, [], 'the page asked for something beyond its own server');
});
