// The web page in headless Chromium, against the native command-line tool:
// the same design typed into the page and given to rampwall-cli must show
// the same six results, sheet and messages. Also the tab order, the lists'
// free text, the 2010 edition, design files through the browser, 退出, and a
// screenshot of the page.
// Usage: node page_test.js PAGE_DIR RAMPWALL_CLI MAKE_PAGE OUT_DIR
'use strict';
const assert = require('assert/strict');
const fs = require('fs');
const http = require('http');
const os = require('os');
const path = require('path');
const {spawnSync} = require('child_process');
const puppeteer = require('puppeteer-core');

const [pageDir, cliPath, makePage, outDir] = process.argv.slice(2).map((arg) => path.resolve(arg));
const results = ['Text6', 'Text7', 'Text19', 'Text9', 'Text11', 'Text18', 'Text12'];
const lf = (text) => text.replace(/\r\n/g, '\n');

function cli(args, cwd) {
  const run = spawnSync(cliPath, ['--json', ...args], {encoding: 'utf8', cwd});
  return run.stdout ? JSON.parse(run.stdout) : {stderr: run.stderr, status: run.status};
}

// A static server over the page folder, as scripts/web.sh serves it.
function serve() {
  const types = {'.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css', '.svg': 'image/svg+xml',
                 '.wasm': 'application/wasm'};
  const server = http.createServer((request, response) => {
    const file = path.join(pageDir, decodeURIComponent(new URL(request.url, 'http://x').pathname));
    fs.readFile(file.endsWith('/') ? file + 'index.html' : file, (error, data) => {
      response.writeHead(error ? 404 : 200, {'Content-Type': types[path.extname(file)] || 'text/html'});
      response.end(error ? '' : data);
    });
  });
  return new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve(server)));
}

async function openPage(browser, url) {
  const page = await browser.newPage();
  await page.setViewport({width: 760, height: 740});
  // Saving goes the download way, which a test can receive.
  await page.evaluateOnNewDocument(() => { delete window.showSaveFilePicker; });
  const errors = [];
  page.on('pageerror', (error) => errors.push(error.message));
  // A reload must not wait on the question about unsaved changes.
  page.on('dialog', (dialog) => dialog.accept());
  await page.goto(url);
  await page.waitForFunction(() => document.body.dataset.ready);
  assert.equal(await page.evaluate(() => document.body.dataset.ready), 'true', `page failed: ${errors}`);
  return page;
}

const value = (page, id) => page.$eval(`#${id}`, (element) => element.value);
const boxes = (page) => Promise.all(results.map((id) => value(page, id)));

async function retype(page, id, text) {
  await page.focus(`#${id}`);
  await page.keyboard.down('Control');
  await page.keyboard.press('A');
  await page.keyboard.up('Control');
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
async function computeLikeCli(page, args, label) {
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

async function main() {
  const server = await serve();
  const url = `http://127.0.0.1:${server.address().port}/index.html`;
  const browser = await puppeteer.launch({
    executablePath: '/usr/bin/chromium',
    headless: true,
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
           '--disable-component-update', '--disable-sync'],
  });
  try {
    const page = await openPage(browser, url);
    // The start-up design typed again box by box: the same as the CLI's.
    for (const id of ['Text1', 'Text2', 'Text3', 'Text16', 'Text4', 'Text13', 'Text14', 'Text15', 'Text5', 'Text10',
                      'Text8']) {
      await retype(page, id, await value(page, id));
    }
    await computeLikeCli(page, [], 'start-up design');
    assert.ok((await value(page, 'Text12')).length > 500, 'the sheet is written');
    fs.mkdirSync(outDir, {recursive: true});
    await (await page.$('.window')).screenshot({path: path.join(outDir, 'page.png')});

    // A bad elevation: the message box, and what the run wrote before it.
    await retype(page, 'Text1', 'abc');
    await computeLikeCli(page, ['--h1', 'abc'], 'bad elevation');
    await retype(page, 'Text1', '0');

    // Free text in a list selects nothing; the exact entry text keeps it.
    // A run keeps what earlier runs read, as the desktop window does, so
    // this starts from a fresh page as the CLI starts from a fresh window.
    await page.reload();
    await page.waitForFunction(() => document.body.dataset.ready === 'true');
    await retype(page, 'Combo1', 'C99');
    await computeLikeCli(page, ['--concrete', ''], 'free text in a list');
    await retype(page, 'Combo1', 'C15');
    await computeLikeCli(page, [], 'the entry retyped');
    await page.focus('#Combo2');
    await page.keyboard.press('ArrowDown');
    await computeLikeCli(page, ['--steel', '1'], 'the next steel grade by arrow');

    // Tab walks the controls in the window's order, and wraps.
    const order = spawnSync(makePage, ['--tab-order'], {encoding: 'utf8'}).stdout.trim().split('\n');
    await page.focus(`#${order[0]}`);
    const walked = [order[0]];
    for (let i = 0; i < order.length; ++i) {
      await page.keyboard.press('Tab');
      walked.push(await page.evaluate(() => document.activeElement.id));
    }
    assert.deepEqual(walked, [...order, order[0]], 'tab order');

    // The 2010 edition from the menu: its steel list and its factors.
    await menu(page, 'CodeMenu', 'actionEdition2010');
    assert.equal(await value(page, 'Text6'), '', 'an edition change clears the results');
    await computeLikeCli(page, ['--edition', '2010', '--steel', '1'], '2010 edition');

    // The 2010 load factors from their dialog: a bad one is refused with the
    // tool's message and changes nothing; good ones are used by 计算.
    const factors = async (gammaG) => {
      await menu(page, 'CodeMenu', 'actionLoadFactors');
      await retype(page, 'LoadFactorsDialog-gamma-g', gammaG);
      await page.click('#LoadFactorsDialog .dialog-buttons button');
    };
    await factors('11');
    const refusedFactor = await takeMessage(page);
    assert.ok(cli(['--edition', '2010', '--gamma-g', '11']).stderr.includes(refusedFactor.text), refusedFactor.text);
    await page.click('#LoadFactorsDialog .dialog-buttons button:nth-child(2)');
    await factors('1.35');
    await computeLikeCli(page, ['--edition', '2010', '--steel', '1', '--gamma-g', '1.35'], '2010 factors');

    // Saved through the browser: the file the CLI writes for the same design.
    const downloads = fs.mkdtempSync(path.join(os.tmpdir(), 'rampwall-page-'));
    const session = await page.createCDPSession();
    await session.send('Browser.setDownloadBehavior', {behavior: 'allow', downloadPath: downloads});
    await retype(page, 'Text4', '400');
    await menu(page, 'FileMenu', 'actionSave');
    const saved = path.join(downloads, '未命名.rampwall');
    for (let i = 0; i < 300 && !fs.existsSync(saved); ++i) await new Promise((r) => setTimeout(r, 50));
    const native = path.join(downloads, 'native.rampwall');
    cli(['--edition', '2010', '--steel', '1', '--gamma-g', '1.35', '--h5', '400', '--save-design', native]);
    assert.equal(fs.readFileSync(saved, 'utf8'), fs.readFileSync(native, 'utf8'), 'saved design');
    assert.equal(await page.title(), '坡道外墙配筋计算 - 未命名.rampwall', 'saved: no asterisk');

    // A bad file gives the tool's message and changes nothing; a good one
    // opens after the question about the changes, answered 不保存.
    const bad = path.join(downloads, 'bad.rampwall');
    fs.writeFileSync(bad, '{"format": "rampwall-design", ');
    const open = async (file, answer) => {
      const chooser = page.waitForFileChooser();
      await menu(page, 'FileMenu', 'actionOpen');
      if (answer) {
        await page.waitForSelector('#MessageBox[open]');
        await page.click(`#MessageBoxButtons button:nth-child(${answer})`);
      }
      await (await chooser).accept([file]);
    };
    await open(bad);
    const refused = await takeMessage(page);
    const cliBad = cli(['--design', 'bad.rampwall'], downloads);
    assert.ok(refused.text.includes('bad.rampwall') && lf(cliBad.stderr).includes(refused.text),
              `bad file: ${refused.text} / ${cliBad.stderr}`);
    assert.equal(await value(page, 'Text4'), '400', 'a bad file changes nothing');
    await retype(page, 'Text4', '350');
    await open(native, 2);
    await page.waitForFunction(() => document.getElementById('Text4').value === '400');
    assert.equal(await page.title(), '坡道外墙配筋计算 - native.rampwall', 'the opened file names the page');

    // 新建 keeps the edition and the factors; so does the next visit.
    await retype(page, 'Text4', '350');
    await menu(page, 'FileMenu', 'actionNew');
    await page.click('#MessageBoxButtons button:nth-child(2)');
    await page.waitForFunction(() => document.title === '坡道外墙配筋计算');
    await computeLikeCli(page, ['--edition', '2010', '--gamma-g', '1.35'], '新建 in 2010');
    await page.reload();
    await page.waitForFunction(() => document.body.dataset.ready === 'true');
    await computeLikeCli(page, ['--edition', '2010', '--gamma-g', '1.35'], 'the next visit');

    // 退出 with changes asks first; 不保存 blanks the page.
    await retype(page, 'Text4', '450');
    await page.click('#Command3');
    await page.waitForSelector('#MessageBox[open]');
    const buttons = await page.$$eval('#MessageBoxButtons button', (all) => all.map((b) => b.textContent));
    assert.deepEqual(buttons, ['保存', '不保存', '取消']);
    await page.click('#MessageBoxButtons button:nth-child(2)');
    await page.waitForFunction(() => !document.getElementById('Form1'));

    // Opened as a file from the disk, the page works as well.
    const local = await openPage(browser, 'file://' + path.resolve(pageDir, 'index.html'));
    await computeLikeCli(local, [], 'page from a file');

    fs.rmSync(downloads, {recursive: true, force: true});
  } finally {
    await browser.close();
    server.close();
  }
}

main().then(() => console.log('page test passed'), (error) => {
  console.error(error);
  process.exit(1);
});
