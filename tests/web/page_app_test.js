// The page as an engineer on Windows or a Mac lives in it: its calculation
// book printed to PDF by Chromium, against the desktop book's sheet from
// rampwall-cli; a slow and a failed load; a phone and a laptop screen;
// rampwall.html opened from the disk; 保存 back to the file a design came
// from (the browser's file calls stood in for); the installed app offline.
// Usage: node page_app_test.js PAGE_DIR RAMPWALL_CLI OUT_DIR
'use strict';
const assert = require('assert/strict');
const fs = require('fs');
const os = require('os');
const path = require('path');
const {spawnSync} = require('child_process');
const {cliOf, serve, launch, openPage, value, retype, takeMessage, computeLikeCli, menu, settle} =
  require('./page_support');

const [pageDir, cliPath, outDir] = process.argv.slice(2).map((arg) => path.resolve(arg));
const cli = cliOf(cliPath);
const scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'rampwall-app-'));

function tool(program, args) {
  const run = spawnSync(program, args, {encoding: 'utf8'});
  assert.equal(run.status, 0, `${program} ${args.join(' ')}: ${run.stderr}`);
  return run.stdout;
}

const withoutBlanks = (text) => text.replace(/\s+/g, '');

// Each part in a browser context of its own, as a new visitor.
async function inContext(browser, part) {
  const context = await browser.createBrowserContext();
  try {
    await part(context);
  } finally {
    await context.close();
  }
}

// The book of a completed 计算, printed to PDF as the browser's print does
// it: A4, every page numbered, every line of the desktop book's sheet in
// its text, no value cell empty; and the window instead once an input
// changes, as the book commands are then withdrawn.
async function book(browser, url, edition) {
  await inContext(browser, async (context) => {
    const page = await openPage(context, url);
    const args = [];
    if (edition !== '2002') {
      await menu(page, 'CodeMenu', `actionEdition${edition}`);
      // The grades the window keeps across the change, not the edition's start-up ones.
      args.push('--edition', edition, '--concrete', await value(page, 'Combo1'), '--steel', await value(page, 'Combo2'));
    }
    const bookCommands = () => page.$$eval('#actionExportBook, #actionPrintBook, #actionPrintPreview',
                                           (items) => items.map((item) => !item.disabled));
    assert.deepEqual(await bookCommands(), [false, false, false], `${edition}: no book before 计算`);
    await menu(page, 'FileMenu', 'actionProjectInfo');
    await page.waitForSelector('#ProjectInfoDialog[open]');
    for (const [i, field] of ['某地下车库', 'WQ-1', '张三', '李四', '王五', '2026-12-08'].entries()) {
      if (i > 0) await page.keyboard.press('Tab');
      await page.keyboard.type(field);
    }
    await page.keyboard.press('Enter');
    const expected = await computeLikeCli(page, cli, args, `book ${edition}`);
    assert.deepEqual(await bookCommands(), [true, true, true], `${edition}: a book after 计算`);

    const pdf = path.join(scratch, `book-${edition}.pdf`);
    fs.writeFileSync(pdf, await page.pdf({preferCSSPageSize: true, printBackground: true}));
    const info = tool('pdfinfo', [pdf]);
    assert.match(info, /\(A4\)/, `${edition}: A4`);
    assert.match(info, /Title:\s+WQ-1\n/, `${edition}: named after the member`);
    const pages = Number(/Pages:\s+(\d+)/.exec(info)[1]);
    assert.ok(pages >= 2, `${edition}: ${pages} pages`);
    for (let n = 1; n <= pages; ++n) {
      const text = tool('pdftotext', ['-f', String(n), '-l', String(n), '-layout', pdf, '-']);
      assert.match(text, new RegExp(`第\\s*${n}\\s*页\\s*共\\s*${pages}\\s*页`), `${edition}: page ${n} numbered`);
      assert.ok(text.includes('某地下车库'), `${edition}: page ${n} names the project`);
    }
    const whole = withoutBlanks(tool('pdftotext', [pdf, '-']));
    const sheet = expected.boxes.Text12.split('\r\n').filter((line) => line.trim() !== '');
    assert.ok(sheet.length > 30, `${edition}: the sheet`);
    for (const line of sheet) assert.ok(whole.includes(withoutBlanks(line)), `${edition}: sheet line ${line}`);
    for (const id of ['Text6', 'Text7', 'Text9', 'Text11']) {
      assert.ok(whole.includes(expected.boxes[id]), `${edition}: ${id} ${expected.boxes[id]} in the book`);
    }
    // A row's caption with nothing beside it, or a value cut off at its unit.
    const empty = await page.$$eval('#Book tr', (rows) => rows
      .filter((row) => row.querySelector('td') && [...row.cells].slice(1).every((cell) => cell.textContent.trim() === ''))
      .map((row) => row.textContent)
      .concat([...document.querySelectorAll('#Book td')].map((cell) => cell.textContent)
        .filter((text) => /=\s*($|[（(]|kN|mm|N\/mm)/.test(text))));
    assert.deepEqual(empty, [], `${edition}: value cells`);

    // 打印预览 shows the same book in the page.
    await menu(page, 'FileMenu', 'actionPrintPreview');
    await page.waitForSelector('#BookPreview[open]');
    const previewed = withoutBlanks(await page.$eval('#BookPreview .book', (element) => element.textContent));
    for (const line of sheet) assert.ok(previewed.includes(withoutBlanks(line)), `${edition}: previewed ${line}`);
    await page.keyboard.press('Escape');
    await page.waitForFunction(() => !document.getElementById('BookPreview'));
    // 导出计算书 says how the browser makes the PDF, then prints the book
    // under the member's name. (The browser's print stood in for: headless,
    // it would never finish.)
    await page.evaluate(() => {
      window.print = () => {
        window.dispatchEvent(new Event('beforeprint'));
        window.printed = {title: document.title, book: document.body.classList.contains('printing-book') &&
                                                       document.querySelector('#Book .sheet') !== null};
        window.dispatchEvent(new Event('afterprint'));
      };
    });
    await menu(page, 'FileMenu', 'actionExportBook');
    const note = await takeMessage(page);
    assert.match(note.text, /另存为 PDF/, `${edition}: export note`);
    assert.deepEqual(await page.evaluate(() => window.printed), {title: 'WQ-1', book: true}, `${edition}: exported`);
    assert.equal(await page.title(), '坡道外墙配筋计算*', `${edition}: the title back after printing`);

    // Edited, the design has no book: the print is the window's.
    await retype(page, 'Text4', '400');
    assert.deepEqual(await bookCommands(), [false, false, false], `${edition}: no book after an edit`);
    const window = path.join(scratch, `window-${edition}.pdf`);
    fs.writeFileSync(window, await page.pdf({printBackground: true}));
    const printed = withoutBlanks(tool('pdftotext', [window, '-']));
    assert.ok(printed.includes('砼强度等级') && !printed.includes('一、设计资料'), `${edition}: the window printed`);
    assert.deepEqual(page.errors, []);
  });
}

// On a slow link the form shows long before the module is there: inert and
// saying so, it takes nothing typed; then it works. A module that does not
// load is said in place of the form; without scripts, a notice says why.
async function loading(browser, url) {
  await inContext(browser, async (context) => {
    const page = await context.newPage();
    const errors = [];
    page.on('pageerror', (error) => errors.push(error.message));
    const session = await page.createCDPSession();
    await session.send('Network.enable');
    await session.send('Network.emulateNetworkConditions',
                       {offline: false, latency: 150, downloadThroughput: 256 * 1024, uploadThroughput: 64 * 1024});
    // The wasm is held back until the typing is done, so that the typing
    // surely falls into the load however fast this machine is.
    await page.setRequestInterception(true);
    let release;
    const released = new Promise((resolve) => { release = resolve; });
    page.on('request', (request) => {
      if (request.url().endsWith('.wasm')) released.then(() => request.continue()); else request.continue();
    });
    await page.goto(url, {waitUntil: 'domcontentloaded'});
    await page.waitForSelector('#Text4');
    assert.equal(await page.$eval('.window', (element) => element.inert), true, 'inert while loading');
    assert.equal(await page.$eval('#LoadStatus', (status) => status.checkVisibility() && status.textContent),
                 '正在加载…');
    await page.click('#Text4');
    await page.keyboard.type('999');
    await page.keyboard.down('Control');
    await page.keyboard.press('KeyS');
    await page.keyboard.up('Control');
    await page.click('#CodeMenu .menu-title');
    await settle(page);
    assert.equal(await value(page, 'Text4'), '350', 'nothing typed during the load');
    release();
    await page.waitForFunction(() => document.body.dataset.ready);
    assert.equal(await page.evaluate(() => document.body.dataset.ready), 'true');
    assert.equal(await page.$eval('.window', (element) => element.inert), false, 'live once loaded');
    assert.equal(await page.$eval('#LoadStatus', (status) => status.checkVisibility()), false);
    await session.send('Network.emulateNetworkConditions',
                       {offline: false, latency: 0, downloadThroughput: -1, uploadThroughput: -1});
    await retype(page, 'Text4', '400');
    await computeLikeCli(page, cli, ['--h5', '400'], 'after a slow load');
    assert.deepEqual(errors, [], 'no script error during the load');
  });

  await inContext(browser, async (context) => {
    const page = await context.newPage();
    await page.setRequestInterception(true);
    page.on('request', (request) => (request.url().endsWith('.wasm') ? request.abort() : request.continue()));
    await page.goto(url);
    await page.waitForFunction(() => document.body.dataset.ready === 'failed');
    const shown = await page.evaluate(() => ({
      status: document.getElementById('LoadStatus').textContent,
      form: getComputedStyle(document.getElementById('Form1')).visibility,
    }));
    assert.match(shown.status, /^计算模块无法载入：/, 'a failed load says so');
    assert.equal(shown.form, 'hidden', 'in place of the form');
  });

  await inContext(browser, async (context) => {
    const page = await context.newPage();
    await page.setJavaScriptEnabled(false);
    await page.goto(url);
    const shown = await page.evaluate(() => ({
      notice: document.querySelector('.noscript')?.checkVisibility() ?? false,
      window: document.querySelector('.window').checkVisibility(),
    }));
    assert.deepEqual(shown, {notice: true, window: false}, 'without scripts, a notice instead of the window');
  });
}

// A phone: the window scaled as a whole to the screen's width, every control
// where the window has it, and larger hit areas for fingers. A laptop: the
// window scaled until 计算 is on the screen.
async function screens(browser, url) {
  await inContext(browser, async (context) => {
    const page = await openPage(context, url,
                                {viewport: {width: 390, height: 844, isMobile: true, hasTouch: true, deviceScaleFactor: 3}});
    const shown = await page.evaluate(() => {
      const zoom = Number(document.querySelector('.window').style.zoom || 1);
      const form = document.getElementById('Form1').getBoundingClientRect();
      const placed = [...document.querySelectorAll('#Form1 > [style*="left"]:not(.hit)')].filter((element) => element.checkVisibility());
      const moved = placed.filter((element) => {
        const rect = element.getBoundingClientRect();
        return Math.abs((rect.left - form.left) / zoom - parseFloat(element.style.left)) > 1 ||
               Math.abs((rect.top - form.top) / zoom - parseFloat(element.style.top)) > 1;
      }).map((element) => element.id);
      const hits = [...document.querySelectorAll('.hit')].map((hit) => ({id: hit.dataset.for, ...hit.getBoundingClientRect().toJSON()}));
      const overlapping = hits.flatMap((a, i) => hits.slice(i + 1).filter((b) =>
        a.left < b.right - 0.5 && b.left < a.right - 0.5 && a.top < b.bottom - 0.5 && b.top < a.bottom - 0.5)
        .map((b) => `${a.id}/${b.id}`));
      return {zoom, width: document.documentElement.scrollWidth, moved, hits: hits.length, overlapping};
    });
    assert.ok(shown.zoom < 1 && shown.zoom >= 0.55, `scaled to ${shown.zoom}`);
    assert.ok(shown.width <= 390, `no sideways scrolling: ${shown.width}`);
    assert.deepEqual(shown.moved, [], 'the drawing keeps its places');
    assert.ok(shown.hits >= 17, `hit areas: ${shown.hits}`);
    assert.deepEqual(shown.overlapping, [], 'hit areas apart');
    // A tap in the blank between a caption and its box is a tap on the box;
    // right of a list's button, it opens the list.
    const between = await page.$eval('#Text14', (box) => {
      const rect = box.getBoundingClientRect();
      const label = document.querySelector('label[for="Text14"]').getBoundingClientRect();
      return {x: (label.right + rect.left) / 2, y: rect.top + rect.height / 2};
    });
    await page.touchscreen.tap(between.x, between.y);
    assert.equal(await page.evaluate(() => document.activeElement.id), 'Text14', 'a tap beside the box');
    const right = await page.$eval('#Combo2', (edit) => {
      const rect = edit.parentElement.getBoundingClientRect();
      return {x: rect.right + 3, y: rect.top + rect.height / 2};
    });
    await page.touchscreen.tap(right.x, right.y);
    assert.equal(await page.$eval('#Combo2-entries', (list) => list.hidden), false, 'a tap beside the list button');
    await computeLikeCli(page, cli, [], 'on a phone');
    await page.screenshot({path: path.join(outDir, 'page-phone.png')});
  });

  // 1366×768 and 1920×1080 at 150 %, less the browser's bars and the taskbar.
  for (const viewport of [{width: 1366, height: 657}, {width: 1280, height: 577}]) {
    await inContext(browser, async (context) => {
      const page = await openPage(context, url, {viewport});
      const button = await page.$eval('#Command1', (element) => element.getBoundingClientRect().toJSON());
      assert.ok(button.bottom <= viewport.height && button.right <= viewport.width,
                `计算 on a ${viewport.width}×${viewport.height} screen: ${JSON.stringify(button)}`);
    });
  }
}

// rampwall.html alone, from the disk: no server, no network, the start-up
// design computed as the tool computes it.
async function singleFile(browser) {
  const file = path.join(pageDir, 'rampwall.html');
  assert.ok(fs.statSync(file).size <= 800 * 1000, 'rampwall.html within 800 kB');
  // Alone in a folder, with nothing beside it to load.
  const alone = path.join(scratch, 'alone');
  fs.mkdirSync(alone);
  fs.copyFileSync(file, path.join(alone, 'rampwall.html'));
  await inContext(browser, async (context) => {
    const requests = [];
    const page = await context.newPage();
    page.on('request', (request) => requests.push(request.url()));
    await page.goto('file://' + path.join(alone, 'rampwall.html'));
    await page.waitForFunction(() => document.body.dataset.ready);
    assert.equal(await page.evaluate(() => document.body.dataset.ready), 'true', 'rampwall.html loads');
    await computeLikeCli(page, cli, [], 'rampwall.html from the disk');
    assert.deepEqual(requests.filter((address) => !/^(file|data|blob):/.test(address)), [], 'no network');
  });
}

// 保存 writes back to the file the design was opened from, and to the one
// it was last saved to; 另存为 asks. The browser's file calls are stood in
// for by ones that keep the files in the page.
async function saveBack(browser, url) {
  const opened = path.join(scratch, 'wq.rampwall');
  cli(['--h5', '400', '--save-design', opened]);
  const designOf = (args) => {
    const file = path.join(scratch, 'expected.rampwall');
    cli([...args, '--save-design', file]);
    return fs.readFileSync(file, 'utf8');
  };
  await inContext(browser, async (context) => {
    const page = await openPage(context, url, {keepPicker: true, before: () => {
      const kept = new Map();
      const calls = [];
      const handle = (name) => ({
        kind: 'file',
        name,
        getFile: async () => new File([kept.get(name) ?? ''], name),
        queryPermission: async () => (window.refuseWriting ? 'prompt' : 'granted'),
        requestPermission: async () => (window.refuseWriting ? 'denied' : 'granted'),
        createWritable: async () => {
          let text = '';
          return {write: async (blob) => { text += await blob.text(); }, close: async () => { kept.set(name, text); }};
        },
      });
      window.showOpenFilePicker = async () => { calls.push('open'); return [handle(window.nextFile)]; };
      window.showSaveFilePicker = async () => { calls.push('save'); return handle(window.nextFile); };
      window.fileCalls = {kept, calls};
    }});
    const state = () => page.evaluate(() => ({calls: [...window.fileCalls.calls], title: document.title}));
    const kept = (name) => page.evaluate((file) => window.fileCalls.kept.get(file), name);
    await page.evaluate((text) => {
      window.fileCalls.kept.set('wq.rampwall', text);
      window.nextFile = 'wq.rampwall';
    }, fs.readFileSync(opened, 'utf8'));
    await menu(page, 'FileMenu', 'actionOpen');
    await page.waitForFunction(() => document.getElementById('Text4').value === '400');
    await retype(page, 'Text4', '450');
    await page.keyboard.down('Control');
    await page.keyboard.press('KeyS');
    await page.keyboard.up('Control');
    await page.waitForFunction(() => !document.title.endsWith('*'));
    assert.equal(await kept('wq.rampwall'), designOf(['--h5', '450']), '保存 wrote the opened file');
    assert.deepEqual(await state(), {calls: ['open'], title: '坡道外墙配筋计算 - wq.rampwall'}, 'without asking');

    await page.evaluate(() => { window.nextFile = 'wq-2.rampwall'; });
    await menu(page, 'FileMenu', 'actionSaveAs');
    await page.waitForFunction(() => document.title === '坡道外墙配筋计算 - wq-2.rampwall');
    await retype(page, 'Text4', '500');
    await menu(page, 'FileMenu', 'actionSave');
    await page.waitForFunction(() => !document.title.endsWith('*'));
    assert.equal(await kept('wq-2.rampwall'), designOf(['--h5', '500']), '保存 wrote the file saved last');
    assert.deepEqual((await state()).calls, ['open', 'save'], '另存为 asked, 保存 did not');

    // A file the browser will not let the page write asks where instead.
    await page.evaluate(() => { window.refuseWriting = true; window.nextFile = 'wq-3.rampwall'; });
    await retype(page, 'Text4', '550');
    await menu(page, 'FileMenu', 'actionSave');
    await page.waitForFunction(() => window.fileCalls.calls.length === 3);
    assert.deepEqual(page.errors, []);
  });
}

// Served, the page is an app: installable, and once its worker has kept its
// files it opens and computes with no network.
async function installedOffline(browser, url) {
  // In the browser's own context: it offers no app to an incognito window.
  const page = await openPage(browser, url);
  await page.evaluate(async () => {
    await navigator.serviceWorker.ready;
    if (!navigator.serviceWorker.controller) {
      await new Promise((resolve) => navigator.serviceWorker.addEventListener('controllerchange', resolve));
    }
  });
  const session = await page.createCDPSession();
  const {installabilityErrors} = await session.send('Page.getInstallabilityErrors');
  assert.deepEqual(installabilityErrors, [], 'installable');
  await page.setOfflineMode(true);
  await page.reload();
  await page.waitForFunction(() => document.body.dataset.ready);
  assert.equal(await page.evaluate(() => document.body.dataset.ready), 'true', 'offline');
  await computeLikeCli(page, cli, [], 'offline');
  await page.setOfflineMode(false);
  await page.close();
}

async function main() {
  const server = await serve(pageDir);
  const url = `http://127.0.0.1:${server.address().port}/index.html`;
  const browser = await launch();
  try {
    fs.mkdirSync(outDir, {recursive: true});
    for (const edition of ['2002', '2010']) await book(browser, url, edition);
    await loading(browser, url);
    await screens(browser, url);
    await singleFile(browser);
    await saveBack(browser, url);
    await installedOffline(browser, url);
  } finally {
    await browser.close();
    server.close();
    fs.rmSync(scratch, {recursive: true, force: true});
  }
}

main().then(() => console.log('page app test passed'), (error) => {
  console.error(error);
  process.exit(1);
});
