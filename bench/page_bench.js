// The web page in headless Chromium: how long from the start of navigation
// until the start-up design's results are shown after 计算 (served from
// 127.0.0.1 and opened from the disk, each page new in a running browser),
// and how long one compute takes in the page, averaged over many.
// Usage: node page_bench.js PAGE_DIR [LOADS]
'use strict';
const fs = require('fs');
const http = require('http');
const path = require('path');
const puppeteer = require(path.resolve(__dirname, '../tests/web/node_modules/puppeteer-core'));

const pageDir = path.resolve(process.argv[2] || 'build/page');
const loads = Number(process.argv[3] || 15);
const types = {'.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css', '.svg': 'image/svg+xml',
               '.wasm': 'application/wasm'};

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

// Each load in a new tab, or again in the same tab (a reload, whose renderer
// process is already running).
async function timeLoads(browser, url, again) {
  const times = [];
  let page = null;
  for (let i = 0; i < loads; ++i) {
    if (!again || !page) {
      await page?.close();
      page = await browser.newPage();
    }
    await page.goto(url);
    await page.waitForFunction(() => document.body.dataset.ready);
    // 计算 pressed as soon as the page is ready, then the time the results
    // were in their boxes.
    times.push(await page.evaluate(async () => {
      await window.rampwallPage.compute();
      return performance.now();
    }));
  }
  await page.close();
  return times;
}

async function main() {
  const server = http.createServer((request, response) => {
    const file = path.join(pageDir, new URL(request.url, 'http://x').pathname);
    fs.readFile(file, (error, data) => {
      response.writeHead(error ? 404 : 200, {'Content-Type': types[path.extname(file)] || 'text/plain'});
      response.end(error ? '' : data);
    });
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  const browser = await puppeteer.launch({
    executablePath: '/usr/bin/chromium',
    headless: true,
    args: ['--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking',
           '--disable-component-update', '--disable-sync'],
  });
  try {
    const served = `http://127.0.0.1:${server.address().port}/index.html`;
    const local = 'file://' + path.join(pageDir, 'index.html');
    const times = {
      'served, in a new tab': await timeLoads(browser, served, false),
      'served, again in its tab': await timeLoads(browser, served, true),
      'from the disk, in a new tab': await timeLoads(browser, local, false),
      'from the disk, again in its tab': await timeLoads(browser, local, true),
    };
    const page = await browser.newPage();
    await page.goto('file://' + path.join(pageDir, 'index.html'));
    await page.waitForFunction(() => document.body.dataset.ready);
    const compute = await page.evaluate(() => {
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
    for (const [how, values] of Object.entries(times)) console.log(`load and compute, ${how}: ${ms(values)}`);
    console.log(`a compute with its writes read back: ${median(compute).toFixed(1)} µs`);
  } finally {
    await browser.close();
    server.close();
  }
}

main().catch((error) => {
  console.error(error);
  process.exit(1);
});
