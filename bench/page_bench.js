// The web page in headless Chromium, served gzipped from 127.0.0.1 as a web
// server would: the time from the start of navigation until the start-up
// design's results are on the screen after 计算, each load in a new browser
// context (no cache, no compiled code kept), against the floor of an empty
// page with one script measured in the same run; what a load transfers;
// rampwall.html opened from the disk; and one compute in the page. Given
// another build's page folder, its loads are timed in the same run, for a
// before-and-after on a machine whose speed varies.
// Usage: node page_bench.js PAGE_DIR [LOADS [OTHER_PAGE_DIR]]
'use strict';
const fs = require('fs');
const http = require('http');
const path = require('path');
const zlib = require('zlib');
const puppeteer = require(path.resolve(__dirname, '../tests/web/node_modules/puppeteer-core'));

const pageDir = path.resolve(process.argv[2] || 'build/page');
const loads = Number(process.argv[3] || 10);
const otherDir = process.argv[4] ? path.resolve(process.argv[4]) : null;
const types = {'.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css', '.svg': 'image/svg+xml',
               '.wasm': 'application/wasm', '.webmanifest': 'application/manifest+json', '.png': 'image/png'};
// The floor: what any page costs before its own work starts.
const emptyPage = '<!DOCTYPE html><html><head><meta charset="utf-8"><title>空</title></head>' +
                  '<body><script>window.done = performance.now();</script></body></html>';

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

function serve(dir) {
  const gzipped = new Map();
  const server = http.createServer((request, response) => {
    const name = new URL(request.url, 'http://x').pathname;
    const send = (data, type) => {
      if (!gzipped.has(name)) gzipped.set(name, zlib.gzipSync(data, {level: 9}));
      response.writeHead(200, {'Content-Type': type, 'Content-Encoding': 'gzip', 'Cache-Control': 'no-cache'});
      response.end(gzipped.get(name));
    };
    if (name === '/empty.html') {
      send(Buffer.from(emptyPage), 'text/html');
      return;
    }
    fs.readFile(path.join(dir, name), (error, data) => {
      if (error) {
        response.writeHead(404);
        response.end();
      } else {
        send(data, types[path.extname(name)] || 'application/octet-stream');
      }
    });
  });
  return new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve(server)));
}

// One load in a fresh context: navigation start to the results in their
// boxes, 计算 pressed as soon as the page is ready; and the bytes it moved.
async function timeLoad(browser, url, empty) {
  const context = await browser.createBrowserContext();
  const page = await context.newPage();
  try {
    // 计算 pressed by the page itself the moment it is ready, so that the
    // time is the page's and not the test driver's; on the screen once the
    // frame after the writes has been painted.
    await page.evaluateOnNewDocument(() => {
      new MutationObserver((changes, observer) => {
        if (document.body?.dataset.ready !== 'true') return;
        observer.disconnect();
        window.rampwallPage.compute().then(() => requestAnimationFrame(() => setTimeout(() => {
          window.shown = performance.now();
        }, 0)));
      }).observe(document, {attributes: true, subtree: true});
    });
    await page.goto(url);
    if (empty) return {ms: await page.evaluate(() => window.done)};
    await page.waitForFunction(() => window.shown !== undefined || document.body.dataset.ready === 'failed');
    const ms = await page.evaluate(() => window.shown);
    const bytes = await page.evaluate(() => performance.getEntriesByType('navigation')
      .concat(performance.getEntriesByType('resource')).reduce((sum, entry) => sum + entry.transferSize, 0));
    return {ms, bytes};
  } finally {
    await context.close();
  }
}

async function main() {
  const server = await serve(pageDir);
  const otherServer = otherDir ? await serve(otherDir) : null;
  const browser = await puppeteer.launch({
    executablePath: '/usr/bin/chromium',
    headless: true,
    args: ['--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking',
           '--disable-component-update', '--disable-sync'],
  });
  try {
    const base = `http://127.0.0.1:${server.address().port}`;
    const page = [];
    const floor = [];
    const single = [];
    const other = [];
    let bytes = 0;
    // Interleaved, so that the machine's moods fall on all three alike.
    for (let i = 0; i < loads; ++i) {
      floor.push((await timeLoad(browser, `${base}/empty.html`, true)).ms);
      const served = await timeLoad(browser, `${base}/index.html`, false);
      page.push(served.ms);
      bytes = served.bytes;
      single.push((await timeLoad(browser, 'file://' + path.join(pageDir, 'rampwall.html'), false)).ms);
      if (otherServer) {
        other.push((await timeLoad(browser, `http://127.0.0.1:${otherServer.address().port}/index.html`, false)).ms);
      }
    }
    const tab = await browser.newPage();
    await tab.goto(`${base}/index.html`);
    await tab.waitForFunction(() => document.body.dataset.ready);
    const compute = await tab.evaluate(() => {
      const calculator = window.rampwallPage.calculator();
      const run = (count) => {
        const start = performance.now();
        for (let i = 0; i < count; ++i) calculator.compute();
        return ((performance.now() - start) * 1000) / count;
      };
      run(2000); // past the baseline compiler, as in a page in use
      return [run(20000), run(20000), run(20000)];
    });
    const ms = (values) => `median ${median(values).toFixed(0)} ms (${Math.min(...values).toFixed(0)}–` +
                           `${Math.max(...values).toFixed(0)} over ${values.length})`;
    console.log(`an empty page's script runs, new context: ${ms(floor)}`);
    console.log(`start-up results on the screen, served, new context: ${ms(page)}`);
    console.log(`the same, rampwall.html from the disk, new context: ${ms(single)}`);
    if (otherServer) console.log(`the other build's page, served, new context: ${ms(other)}`);
    console.log(`a served load transfers: ${(bytes / 1000).toFixed(0)} kB`);
    console.log(`rampwall.html: ${(fs.statSync(path.join(pageDir, 'rampwall.html')).size / 1000).toFixed(0)} kB`);
    console.log(`a compute with its writes read back: ${median(compute).toFixed(1)} µs`);
  } finally {
    await browser.close();
    server.close();
    otherServer?.close();
  }
}

main().catch((error) => {
  console.error(error);
  process.exit(1);
});
