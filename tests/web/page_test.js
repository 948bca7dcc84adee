// The web page in headless Chromium, against the native command-line tool:
// the same design typed into the page and given to rampwall-cli must show
// the same six results, sheet and messages. Also the tab order, the lists'
// free text and typed entries, the 2010 edition, design files through the
// browser, 退出, and a screenshot of the page.
// Usage: node page_test.js PAGE_DIR RAMPWALL_CLI MAKE_PAGE OUT_DIR
'use strict';
const assert = require('assert/strict');
const fs = require('fs');
const os = require('os');
const path = require('path');
const {spawnSync} = require('child_process');
const {lf, cliOf, serve, launch, openPage, reload, value, retype, takeMessage, computeLikeCli, menu, settle} =
  require('./page_support');

const [pageDir, cliPath, makePage, outDir] = process.argv.slice(2).map((arg) => path.resolve(arg));
const cli = cliOf(cliPath);

const focused = (page) => page.evaluate(() => document.activeElement?.id ?? '');
const isOpen = (page, selector) => page.$eval(selector, (element) => !element.hidden && element.open !== false);

async function press(page, key, modifier) {
  if (modifier) await page.keyboard.down(modifier);
  await page.keyboard.press(key);
  if (modifier) await page.keyboard.up(modifier);
}

// Enter and Esc in every dialog as on the desktop, menus from the keyboard,
// and the focus back on the control that had it.
async function keysAndFocus(browser, url) {
  const page = await openPage(browser, url);
  await page.focus('#Text4');
  // Alt and the underlined letter open a menu; Esc closes it.
  await press(page, 'KeyG', 'Alt');
  assert.equal(await page.$eval('#CodeMenu .menu-title', (title) => title.getAttribute('aria-expanded')), 'true');
  assert.ok((await focused(page)).startsWith('actionEdition'), 'the first entry of 规范 has the focus');
  await press(page, 'Escape');
  assert.equal(await page.$eval('#CodeMenu .menu-title', (title) => title.getAttribute('aria-expanded')), 'false');
  assert.equal(await focused(page), 'Text4', 'Esc from a menu');

  // 荷载系数 from the keyboard: a bad value and Enter bring up the message,
  // which stays until its own Enter; the box is then to correct; Esc
  // leaves the dialog and the focus where it was.
  await press(page, 'KeyG', 'Alt');
  await press(page, 'End');
  assert.equal(await focused(page), 'actionLoadFactors');
  await press(page, 'Enter');
  await page.waitForSelector('#LoadFactorsDialog[open]');
  const first = await focused(page);
  await page.keyboard.type('x');
  await press(page, 'Enter');
  await page.waitForSelector('#MessageBox[open]');
  await settle(page);
  assert.ok(await isOpen(page, '#MessageBox'), 'the message stays open after the Enter that brought it');
  await press(page, 'Enter');
  await page.waitForSelector('#MessageBox:not([open])');
  assert.equal(await focused(page), first, 'the bad box has the focus again');
  await press(page, 'Escape');
  await page.waitForFunction(() => !document.getElementById('LoadFactorsDialog'));
  assert.equal(await focused(page), 'Text4', 'Esc from a dialog');

  // 工程信息: Enter keeps what was typed.
  await menu(page, 'FileMenu', 'actionProjectInfo');
  await page.waitForSelector('#ProjectInfoDialog[open]');
  await page.keyboard.type('某地下车库');
  await press(page, 'Enter');
  await page.waitForFunction(() => !document.getElementById('ProjectInfoDialog'));
  assert.equal(await page.evaluate(() => window.rampwallPage.calculator().projectInfo().name), '某地下车库');
  assert.equal(await focused(page), 'Text4', 'Enter from a dialog');

  // What a screen reader hears: every caption names a control, each result
  // box and the sheet have a name, the two As boxes different ones, and
  // the menus say they open.
  const names = await page.evaluate(() => ({
    orphans: [...document.querySelectorAll('label')].filter((label) => !document.getElementById(label.htmlFor))
      .map((label) => label.id),
    menus: [...document.querySelectorAll('.menu-title')].every((title) => title.getAttribute('aria-haspopup') === 'menu'),
  }));
  // The names as the browser computes them for assistive technology.
  names.results = [];
  for (const id of ['Text6', 'Text7', 'Text19', 'Text9', 'Text18', 'Text11', 'Text12']) {
    const node = await page.accessibility.snapshot({root: await page.$(`#${id}`), interestingOnly: false});
    names.results.push(node?.name ?? '');
  }
  assert.deepEqual(names.orphans, [], 'captions without a control');
  assert.ok(names.results.every((name) => name.trim() !== ''), `named: ${names.results}`);
  assert.equal(new Set(names.results).size, names.results.length, `distinct names: ${names.results}`);
  assert.ok(names.menus, 'menus say they open');

  // A message box: Esc closes it, and the button that asked has the focus.
  await page.focus('#Command2');
  await press(page, 'Space');
  await page.waitForSelector('#MessageBox[open]');
  await press(page, 'Escape');
  await page.waitForSelector('#MessageBox:not([open])');
  assert.equal(await focused(page), 'Command2', 'Esc from a message');
  assert.deepEqual(page.errors, []);
  await page.close();
}

// On a Mac the commands take Cmd and say so, and Option with a menu's
// letter opens the menu instead of typing a letter.
async function macKeys(browser, url) {
  const page = await openPage(browser, url, {before: () => {
    Object.defineProperty(navigator, 'platform', {get: () => 'MacIntel'});
    Object.defineProperty(navigator, 'userAgentData', {get: () => ({platform: 'macOS'})});
  }});
  assert.equal(await page.$eval('#actionOpen .shortcut', (key) => key.textContent), '⌘O');
  assert.equal(await page.$eval('#actionSaveAs .shortcut', (key) => key.textContent), '⇧⌘S');
  // Asked for first: the browser is told to hand the chooser over.
  const chooser = page.waitForFileChooser();
  await page.focus('#Text4');
  await settle(page);
  await press(page, 'KeyO', 'Meta');
  await (await chooser).cancel();
  await page.focus('#Text4');
  await press(page, 'KeyF', 'Alt');
  assert.equal(await page.$eval('#FileMenu .menu-title', (title) => title.getAttribute('aria-expanded')), 'true');
  assert.equal(await value(page, 'Text4'), '350', 'Option+F typed nothing');
  await press(page, 'Escape');
  assert.deepEqual(page.errors, []);
  await page.close();
}

// Results that are not the inputs' are greyed, their texts as they were,
// until 计算 brings them back: after an edit, and after a run that stopped.
async function staleResults(browser, url) {
  const page = await openPage(browser, url);
  const results = ['Text6', 'Text7', 'Text19', 'Text9', 'Text18', 'Text11', 'Text12'];
  const greyed = () => page.evaluate((ids) => ids.filter((id) => {
    const box = document.getElementById(id);
    return getComputedStyle(box).color !== getComputedStyle(document.getElementById('Text4')).color;
  }), results);
  const texts = () => Promise.all(results.map((id) => value(page, id)));
  await computeLikeCli(page, cli, [], 'stale: the start-up design');
  assert.deepEqual(await greyed(), [], 'a run just made');
  const shown = await texts();
  await retype(page, 'Text4', '400');
  assert.deepEqual(await greyed(), results, 'an input changed');
  assert.deepEqual(await texts(), shown, 'greyed, the texts stay');
  await retype(page, 'Text4', '350');
  assert.deepEqual(await greyed(), [], 'the inputs of the run again');
  // A stopped run: what it did not write is older than it.
  await retype(page, 'Text1', 'abc');
  const stopped = await computeLikeCli(page, cli, ['--h1', 'abc'], 'stale: a stopped run');
  assert.deepEqual(await greyed(), results.filter((id) => !(id in stopped.boxes)), 'after a stopped run');
  await retype(page, 'Text1', '0');
  await computeLikeCli(page, cli, [], 'stale: computed again');
  assert.deepEqual(await greyed(), [], '计算 again');
  await page.close();
}

async function main() {
  const server = await serve(pageDir);
  const url = `http://127.0.0.1:${server.address().port}/index.html`;
  const browser = await launch();
  try {
    const page = await openPage(browser, url);
    // The start-up design typed again box by box: the same as the CLI's.
    for (const id of ['Text1', 'Text2', 'Text3', 'Text16', 'Text4', 'Text13', 'Text14', 'Text15', 'Text5', 'Text10',
                      'Text8']) {
      await retype(page, id, await value(page, id));
    }
    await computeLikeCli(page, cli, [], 'start-up design');
    assert.ok((await value(page, 'Text12')).length > 500, 'the sheet is written');
    fs.mkdirSync(outDir, {recursive: true});
    await (await page.$('.window')).screenshot({path: path.join(outDir, 'page.png')});

    // A bad elevation: the message box, and what the run wrote before it.
    await retype(page, 'Text1', 'abc');
    await computeLikeCli(page, cli, ['--h1', 'abc'], 'bad elevation');
    await retype(page, 'Text1', '0');

    // A paste longer than a box holds is cut where the desktop's box cuts it.
    for (const id of ['Text15', 'Combo3']) {
      const before = await value(page, id);
      await retype(page, id, '');
      await page.keyboard.sendCharacter('墙'.repeat(70000));
      assert.equal((await value(page, id)).length, 65535, `${id}: a long paste is cut`);
      await retype(page, id, before);
    }
    // Text typed over a list selects the entry it is exactly, as in the
    // window; any other text selects none, and a run keeps the grade's
    // values it last read. Each step is checked against the tool, which
    // takes an entry's text or none: after a run in C15, an entry with a
    // blank added, another list's entry and full-width letters keep C15,
    // and C30 typed exactly computes in C30.
    await reload(page);
    const concrete = async (typed, expected, label) => {
      await retype(page, 'Combo1', typed);
      await page.keyboard.press('Tab');
      await computeLikeCli(page, cli, expected, label);
    };
    await computeLikeCli(page, cli, [], 'typed grades: the start-up run in C15');
    await concrete('C30 ', [], 'typed grades: an entry with a blank added');
    await concrete('HRB335', [], "typed grades: another list's entry");
    await concrete('Ｃ３０', [], 'typed grades: full-width letters');
    // The grade shows in the results, or the steps above would prove nothing.
    assert.notEqual(cli(['--concrete', 'C30']).boxes.Text7, cli([]).boxes.Text7, 'C30 and C15 differ');
    await concrete('C30', ['--concrete', 'C30'], 'typed grades: an entry exactly');
    await concrete(' C15', ['--concrete', 'C30'], 'typed grades: after C30, an entry with a blank before');
    await concrete('C15', [], 'typed grades: the entry again');

    // Free text in a list selects nothing; the exact entry text keeps it.
    // A run keeps what earlier runs read, as the desktop window does, so
    // this starts from a fresh page as the CLI starts from a fresh window.
    await reload(page);
    await retype(page, 'Combo1', 'C99');
    await computeLikeCli(page, cli, ['--concrete', ''], 'free text in a list');
    await retype(page, 'Combo1', 'C15');
    await computeLikeCli(page, cli, [], 'the entry retyped');
    await page.focus('#Combo2');
    await page.keyboard.press('ArrowDown');
    await computeLikeCli(page, cli, ['--steel', '1'], 'the next steel grade by arrow');
    // Another entry's text typed over a list selects that entry.
    await retype(page, 'Combo1', 'C30');
    await computeLikeCli(page, cli, ['--concrete', 'C30', '--steel', '1'], 'an entry typed over the list');
    await retype(page, 'Combo1', 'C15');

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
    // A box the edition does not read, as the tool refuses it there, is
    // greyed out with a tip saying why.
    const refusesLoadFactor = spawnSync(cliPath, ['--edition', '2010', '--load-factor', '1.2']).status !== 0;
    assert.deepEqual(await page.$eval('#Text5', (box) => [box.disabled, box.title !== '']),
                     [refusesLoadFactor, refusesLoadFactor], 'the load-factor box in 2010');
    // An edition change keeps the grades shown (the steel as the new list has
    // it); the tool is given them, as its own start-up design is another.
    const grades = ['--concrete', await value(page, 'Combo1'), '--steel', await value(page, 'Combo2')];
    await computeLikeCli(page, cli, ['--edition', '2010', ...grades], '2010 edition');

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
    await computeLikeCli(page, cli, ['--edition', '2010', ...grades, '--gamma-g', '1.35'], '2010 factors');

    // Saved through the browser: the file the CLI writes for the same design.
    const downloads = fs.mkdtempSync(path.join(os.tmpdir(), 'rampwall-page-'));
    const session = await page.createCDPSession();
    await session.send('Browser.setDownloadBehavior', {behavior: 'allow', downloadPath: downloads});
    await retype(page, 'Text4', '400');
    await menu(page, 'FileMenu', 'actionSave');
    const saved = path.join(downloads, '未命名.rampwall');
    for (let i = 0; i < 300 && !fs.existsSync(saved); ++i) await new Promise((r) => setTimeout(r, 50));
    const native = path.join(downloads, 'native.rampwall');
    cli(['--edition', '2010', ...grades, '--gamma-g', '1.35', '--h5', '400', '--save-design', native]);
    assert.equal(fs.readFileSync(saved, 'utf8'), fs.readFileSync(native, 'utf8'), 'saved design');
    assert.equal(await page.title(), '坡道外墙配筋计算 - 未命名.rampwall', 'saved: no asterisk');

    // A design the page could not open again is not saved: texts whose
    // escapes take six bytes a character, put in as a script can.
    await page.evaluate(() => {
      for (const id of ['Text1', 'Text2', 'Text3', 'Text16', 'Text4', 'Text13', 'Text14', 'Text15', 'Text5', 'Text10',
                        'Text8']) {
        const box = document.getElementById(id);
        box.dataset.before = box.value;
        box.value = '\u0001'.repeat(65535);
        box.dispatchEvent(new Event('input', {bubbles: true}));
      }
    });
    await menu(page, 'FileMenu', 'actionSave');
    const tooLarge = await takeMessage(page);
    assert.ok(tooLarge.text.includes('“inputs”中的“h1”') && tooLarge.text.includes('上限'), tooLarge.text);
    await page.evaluate(() => {
      for (const box of document.querySelectorAll('[data-before]')) {
        box.value = box.dataset.before;
        box.dispatchEvent(new Event('input', {bubbles: true}));
      }
    });
    assert.equal(fs.readdirSync(downloads).filter((name) => name !== '未命名.rampwall' && name !== 'native.rampwall')
                     .length, 0, 'nothing more was downloaded');

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
    await computeLikeCli(page, cli, ['--edition', '2010', '--gamma-g', '1.35'], '新建 in 2010');
    await reload(page);
    await computeLikeCli(page, cli, ['--edition', '2010', '--gamma-g', '1.35'], 'the next visit');

    // 退出 with changes asks first; 不保存 blanks the page.
    await retype(page, 'Text4', '450');
    await page.click('#Command3');
    await page.waitForSelector('#MessageBox[open]');
    const buttons = await page.$$eval('#MessageBoxButtons button', (all) => all.map((b) => b.textContent));
    assert.deepEqual(buttons, ['保存', '不保存', '取消']);
    await page.click('#MessageBoxButtons button:nth-child(2)');
    await page.waitForFunction(() => !document.getElementById('Form1'));

    // Each in a context of its own: nothing the page kept from the steps
    // above (the 2010 edition, its factors).
    for (const part of [keysAndFocus, macKeys, staleResults]) {
      const context = await browser.createBrowserContext();
      await part(context, url);
      await context.close();
    }

    // Opened as a file from the disk, the page works as well.
    const local = await openPage(browser, 'file://' + path.resolve(pageDir, 'index.html'));
    await computeLikeCli(local, cli, [], 'page from a file');

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
