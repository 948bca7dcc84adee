// What the page tests share: a static server over the page folder, the
// browser, pages opened and driven as a user would, and rampwall-cli, whose
// boxes, sheets and messages the page must show byte for byte.
'use strict';
const assert = require('assert/strict');
const fs = require('fs');
const http = require('http');
const path = require('path');
const {spawnSync} = require('child_process');
const puppeteer = require('puppeteer-core');

const lf = (text) => text.replace(/\r\n/g, '\n');

// rampwall-cli's JSON for one press of 计算 in a new window.
function cliOf(cliPath) {
  return (args, cwd) => {
    const run = spawnSync(cliPath, ['--json', ...args], {encoding: 'utf8', cwd});
    return run.stdout ? JSON.parse(run.stdout) : {stderr: run.stderr, status: run.status};
  };
}

// A static server over the page folder, as scripts/web.sh serves it.
function serve(pageDir) {
  const types = {'.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css', '.svg': 'image/svg+xml',
                 '.wasm': 'application/wasm', '.png': 'image/png', '.webmanifest': 'application/manifest+json'};
  const server = http.createServer((request, response) => {
    const file = path.join(pageDir, decodeURIComponent(new URL(request.url, 'http://x').pathname));
    fs.readFile(file.endsWith('/') ? file + 'index.html' : file, (error, data) => {
      response.writeHead(error ? 404 : 200, {'Content-Type': types[path.extname(file)] || 'text/html'});
      response.end(error ? '' : data);
    });
  });
  return new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve(server)));
}

function launch() {
  return puppeteer.launch({
    executablePath: '/usr/bin/chromium',
    headless: true,
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
           '--disable-component-update', '--disable-sync'],
  });
}

// A new tab on the page, ready to compute. `before` runs in the page before
// its own scripts, as a browser's or a test's stand-in would.
async function openPage(browser, url, {viewport = {width: 760, height: 740}, before, keepPicker} = {}) {
  const page = await browser.newPage();
  await page.setViewport(viewport);
  // Saving goes the download way, which a test can receive.
  if (!keepPicker) await page.evaluateOnNewDocument(() => { delete window.showSaveFilePicker; });
  if (before) await page.evaluateOnNewDocument(before);
  const errors = [];
  page.on('pageerror', (error) => errors.push(error.message));
  page.errors = errors;
  // A reload must not wait on the question about unsaved changes.
  page.on('dialog', (dialog) => dialog.accept());
  await page.goto(url);
  await page.waitForFunction(() => document.body.dataset.ready);
  assert.equal(await page.evaluate(() => document.body.dataset.ready), 'true', `page failed: ${errors}`);
  return page;
}

async function reload(page) {
  await page.reload();
  await page.waitForFunction(() => document.body.dataset.ready === 'true');
}

const value = (page, id) => page.$eval(`#${id}`, (element) => element.value);

async function selectAll(page) {
  await page.keyboard.down('Control');
  await page.keyboard.press('A');
  await page.keyboard.up('Control');
}

async function retype(page, id, text) {
  await page.focus(`#${id}`);
  await selectAll(page);
  await page.keyboard.press('Backspace');
  if (text) await page.keyboard.type(text);
}

// The open message box's title and text, closed with its first button.
async function takeMessage(page) {
  await page.waitForSelector('#MessageBox[open]');
  const message = await page.evaluate(() => ({
    title: document.getElementById('MessageBoxTitle').textContent,
    text: document.getElementById('MessageBoxText').textContent,
  }));
  await page.click('#MessageBoxButtons button');
  await page.waitForSelector('#MessageBox:not([open])');
  return message;
}

// 计算, then every message the run shows; the boxes the CLI says the run
// wrote must hold its texts.
async function computeLikeCli(page, cli, args, label) {
  const expected = cli(args);
  await page.click('#Command1');
  const messages = [];
  for (let i = 0; i < expected.messages.length; ++i) messages.push(await takeMessage(page));
  assert.deepEqual(messages, expected.messages.map((m) => ({title: m.title, text: lf(m.text)})), label);
  for (const [id, text] of Object.entries(expected.boxes)) assert.equal(await value(page, id), lf(text), `${label}: ${id}`);
  return expected;
}

async function menu(page, menuId, actionId) {
  await page.click(`#${menuId} .menu-title`);
  await page.click(`#${actionId}`);
}

// Two frames on: whatever a key press set off within its own task is done.
const settle = (page) => page.evaluate(() => new Promise((resolve) => {
  requestAnimationFrame(() => requestAnimationFrame(resolve));
}));

module.exports = {lf, cliOf, serve, launch, openPage, reload, value, selectAll, retype, takeMessage, computeLikeCli,
                  menu, settle};
