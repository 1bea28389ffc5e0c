'use strict';
// The figures of the web page for bench/README.md: the site's bytes, file
// by file and gzipped; the time from load to the first prompt on the screen,
// and from the last row's Enter to the end of an order-10 --exact report
// (the Hilbert matrix), in headless chromium, the median of RUNS loads; the
// native program's time for the same session, start to exit, beside it.
//   node bench/web_figures.js build-wasm/site build/matinv [RUNS]
const fs = require('node:fs');
const path = require('node:path');
const zlib = require('node:zlib');
const { execFileSync } = require('node:child_process');
const { openSite } = require('../tests/web/browser.js');

const [site, native, runs = 7] = process.argv.slice(2);
const order = 10;
const rows = Array.from({ length: order }, (_, i) =>
  Array.from({ length: order }, (_, j) => `1/${i + j + 1}`).join(' '));
const median = values => values.sort((a, b) => a - b)[values.length >> 1];

// The screen's rows as drawn, watched from the page's start: when the first
// prompt shows, and when the report has ended.
function watch() {
  const seen = {};
  addEventListener('keydown', e => { if (e.key === 'Enter') seen.enter = performance.now(); }, true);
  new MutationObserver(() => {
    const text = document.querySelector('.xterm-rows')?.textContent || '';
    if (!seen.prompt && /INPUT.ORDER/.test(text)) seen.prompt = performance.now();
    if (!seen.report && /exit.status.0/.test(text)) seen.report = performance.now();
  }).observe(document, { subtree: true, childList: true, characterData: true });
  window.seen = seen;
}

(async () => {
  const files = fs.readdirSync(site).filter(name => fs.statSync(path.join(site, name)).isFile()).sort();
  let raw = 0, packed = 0;
  console.log('| file | bytes | gzip -9 |\n| --- | ---: | ---: |');
  for (const name of files) {
    const bytes = fs.readFileSync(path.join(site, name));
    const gz = zlib.gzipSync(bytes, { level: 9 }).length;
    raw += bytes.length;
    packed += gz;
    console.log(`| ${name} | ${bytes.length} | ${gz} |`);
  }
  console.log(`| all | ${raw} | ${packed} |\n`);

  const { page, origin, outside, close } = await openSite(site);
  await page.addInitScript(watch);
  const prompt = [], report = [];
  for (let run = 0; run < runs; run++) {
    await page.goto(origin + '/');
    await page.waitForFunction(() => window.seen.prompt);
    prompt.push(await page.evaluate(() => window.seen.prompt));
    await page.check('#exact');
    await page.click('#run');
    await page.waitForFunction(() => window.matinvTerminal.buffer.active.getLine(
      window.matinvTerminal.buffer.active.cursorY + window.matinvTerminal.buffer.active.baseY)
      .translateToString(true).startsWith('INPUT ORDER'));
    // The order and all rows but the last pasted, the last typed.
    await page.evaluate(text => {
      const data = new DataTransfer();
      data.setData('text/plain', text);
      document.activeElement.dispatchEvent(new ClipboardEvent('paste', { clipboardData: data, bubbles: true }));
    }, `${order}\n${rows.slice(0, -1).join('\n')}\n`);
    await page.keyboard.insertText(rows[order - 1]);
    await page.waitForTimeout(200);
    await page.keyboard.press('Enter');
    await page.waitForFunction(() => window.seen.report, null, { timeout: 20000 });
    report.push(await page.evaluate(() => window.seen.report - window.seen.enter));
  }
  await close();
  if (outside.length) throw new Error(`the page asked for ${outside.join(', ')}`);

  const input = `${order}\n${rows.join('\n')}\n`;
  const nativeMs = [];
  for (let run = 0; run < runs; run++) {
    const start = process.hrtime.bigint();
    execFileSync(native, ['--exact'], { input, stdio: ['pipe', 'ignore', 'ignore'] });
    nativeMs.push(Number(process.hrtime.bigint() - start) / 1e6);
  }
  const ms = value => `${value.toFixed(0)} ms`;
  console.log(`load to the first prompt, chromium: ${ms(median(prompt))} (of ${prompt.map(ms).join(', ')})`);
  console.log(`order-10 --exact, Enter to the report's end, chromium: ${ms(median(report))} (of ${report.map(ms).join(', ')})`);
  console.log(`order-10 --exact, the native program from start to exit: ${median(nativeMs).toFixed(1)} ms`);
})().catch(error => { console.error(error); process.exit(1); });
