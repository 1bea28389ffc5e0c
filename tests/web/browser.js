'use strict';
// Serves a site folder on localhost and opens it in Debian's chromium,
// headless, through playwright-core; every request elsewhere is refused and
// kept in `outside`. Shared by the page's test and bench/web_figures.js.
const http = require('node:http');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { chromium } = require(path.join(__dirname, '../../web/node_modules/playwright-core'));

const types = { '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.css': 'text/css',
  '.wasm': 'application/wasm', '.txt': 'text/plain; charset=utf-8' };

async function openSite(site, { width = 1000, height = 700 } = {}) {
  const server = http.createServer((req, res) => {
    const file = path.join(site, decodeURIComponent(new URL(req.url, 'http://x').pathname));
    const name = file.endsWith(path.sep) ? path.join(file, 'index.html') : file;
    fs.readFile(name, (error, body) => {
      res.writeHead(error ? 404 : 200, { 'Content-Type': types[path.extname(name)] || 'application/octet-stream' });
      res.end(error ? '' : body);
    });
  });
  await new Promise(resolve => server.listen(0, '127.0.0.1', resolve));
  const origin = `http://127.0.0.1:${server.address().port}`;
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'matinv-chromium-'));
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: '/usr/bin/chromium', headless: true, viewport: { width, height },
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync'],
  });
  const outside = [];
  await context.route('**/*', route => {
    const url = route.request().url();
    if (url.startsWith(origin + '/')) return route.continue();
    outside.push(url);
    return route.abort();
  });
  const page = context.pages()[0] || await context.newPage();
  const close = async () => {
    await context.close();
    server.close();
    fs.rmSync(profile, { recursive: true, force: true });
  };
  return { page, origin, outside, close };
}

// The terminal's text, every row of its buffer with a wrapped row joined to
// the one it continues.
function screenText() {
  const buffer = window.matinvTerminal.buffer.active;
  const rows = [];
  for (let i = 0; i < buffer.length; i++) {
    const row = buffer.getLine(i);
    const next = buffer.getLine(i + 1);
    const text = row.translateToString(!(next && next.isWrapped));
    if (row.isWrapped) rows[rows.length - 1] += text; else rows.push(text);
  }
  return rows.join('\n').replace(/\n+$/, '');
}

module.exports = { openSite, screenText };
