// 工具 → 坡道分段配筋 in the page, in headless Chromium, against the native
// command-line tool: the same ramp typed into the page's dialog and given to
// rampwall-cli --ramp shows the same schedule, the drawing labels every
// stretch, a ramp that cannot be designed says why, the CSV download is the
// tool's output, and 打印… prints the ramp's book. Saves a screenshot of the dialog.
// Usage: node ramp_page_test.js PAGE_DIR RAMPWALL_CLI OUT_DIR
'use strict';
const assert = require('assert/strict');
const fs = require('fs');
const os = require('os');
const path = require('path');
const {spawnSync} = require('child_process');
const puppeteer = require('puppeteer-core');

const [pageDir, cliPath, outDir] = process.argv.slice(2).map((arg) => path.resolve(arg));

const verdicts = {ok: '满足', fails: '不满足', stopped: '未完成', none: '无需计算'};

function cliSchedule(args) {
  const run = spawnSync(cliPath, args, {encoding: 'utf8'});
  const lines = run.stdout.split('\r\n').filter((line) => line !== '');
  // No field of these schedules is quoted: the messages hold no comma.
  const keys = lines[0].split(',');
  return {csv: run.stdout, rows: lines.slice(1).map((line) => Object.fromEntries(line.split(',').map((v, i) => [keys[i], v])))};
}

async function retype(page, selector, text) {
  await page.focus(selector);
  await page.keyboard.down('Control');
  await page.keyboard.press('A');
  await page.keyboard.up('Control');
  await page.keyboard.press('Backspace');
  if (text) await page.keyboard.type(text);
}

async function main() {
  const browser = await puppeteer.launch({
    executablePath: '/usr/bin/chromium',
    headless: true,
    args: ['--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking',
           '--disable-component-update', '--disable-sync', '--allow-file-access-from-files'],
  });
  const downloads = fs.mkdtempSync(path.join(os.tmpdir(), 'rampwall-ramp-page-'));
  try {
    const page = await browser.newPage();
    await page.setViewport({width: 1100, height: 900});
    const errors = [];
    page.on('pageerror', (error) => errors.push(error.message));
    await page.goto('file://' + path.join(pageDir, 'index.html'));
    await page.waitForFunction(() => document.body.dataset.ready);
    assert.equal(await page.evaluate(() => document.body.dataset.ready), 'true', `page failed: ${errors}`);

    await retype(page, '#Text3', '-3.0');
    await retype(page, '#Text16', '-6.5');
    await page.click('#ToolsMenu .menu-title');
    await page.click('#actionRamp');
    await page.waitForSelector('#RampDialog[open]');
    await retype(page, '#RampLength', '60');
    await retype(page, '#RampSegmentLength', '5');
    await retype(page, '#RampSpacings', '100,125,150,200');

    const expected = cliSchedule(['--ramp', '60', '--segment', '5', '--spacings', '100,125,150,200', '--h3=-3.0',
                                  '--h4=-6.5']);
    const shown = await page.$$eval('#RampSchedule tbody tr',
                                    (rows) => rows.map((row) => [...row.cells].map((cell) => cell.textContent)));
    assert.equal(shown.length, expected.rows.length, 'rows');
    expected.rows.forEach((row, i) => {
      const bars = row.bar_crack === '' ? '' : `${row.bar_crack}@${row.spacing}`;
      assert.deepEqual(shown[i], [row.segment, `${row.from}～${row.to}`, row.h4, row.case, row.MBk, bars, row.As_crack,
                                  row.crack_width, verdicts[row.status], row.steel_kg_per_m, row.steel_kg],
                       `segment ${row.segment}`);
    });

    // Every stretch of the same bars is labelled in the drawing.
    const labels = await page.$$eval('#RampDrawing svg text', (texts) => texts.map((text) => text.textContent));
    for (const row of expected.rows) {
      const label = row.bar_crack === '' ? verdicts[row.status] : `${row.bar_crack}@${row.spacing}`;
      assert.ok(labels.includes(label), `drawing label ${label}`);
    }
    fs.mkdirSync(outDir, {recursive: true});
    await (await page.$('#RampDialog')).screenshot({path: path.join(outDir, 'ramp-page.png')});

    // The download is the tool's CSV, after a byte order mark for spreadsheets.
    const session = await page.createCDPSession();
    await session.send('Browser.setDownloadBehavior', {behavior: 'allow', downloadPath: downloads});
    await page.click('#RampDownloadCsv');
    const file = path.join(downloads, '未命名-分段配筋.csv');
    for (let i = 0; i < 300 && !fs.existsSync(file); ++i) await new Promise((r) => setTimeout(r, 50));
    assert.equal(fs.readFileSync(file, 'utf8'), '\ufeff' + expected.csv, 'the CSV download');

    // 打印… prints the ramp's book, offered under the ramp's name: the
    // elevation in millimetres, and one calculation for each arrangement of
    // bars the schedule has. (The browser's print stood in for: headless, it
    // would wait for a dialog.)
    await page.evaluate(() => {
      window.print = () => {
        window.dispatchEvent(new Event('beforeprint'));
        const book = document.getElementById('Book');
        window.printed = {title: document.title, printing: document.body.classList.contains('printing-book'),
                          text: book.innerText, elevations: book.querySelectorAll('figure.elevation svg[width$="mm"]').length};
        window.dispatchEvent(new Event('afterprint'));
      };
    });
    await page.click('#RampPrint');
    const printed = await page.evaluate(() => window.printed);
    assert.equal(printed.title, '坡道-分段配筋', 'the ramp book\'s name');
    assert.ok(printed.printing, 'the book, not the window, is printed');
    assert.ok(printed.text.includes('坡道外墙分段配筋计算书') && printed.text.includes('三、分段配筋表'), 'the ramp book');
    assert.equal(printed.elevations, 1, 'one elevation');
    const arrangements = new Set(expected.rows.filter((row) => row.bar_crack !== '')
                                              .map((row) => `${row.bar_crack}@${row.spacing}`));
    assert.ok(arrangements.size >= 2, 'the ramp has several arrangements');
    for (const bars of arrangements) {
      assert.ok(printed.text.includes('配筋 ' + bars + '：'), `a calculation for ${bars}`);
    }

    // A length that is no number: the fault beside the table, no rows, and
    // the message box on 计算.
    await retype(page, '#RampLength', 'abc');
    assert.match(await page.$eval('#RampFault', (p) => p.textContent), /坡道长度/);
    assert.equal(await page.$$eval('#RampSchedule tbody tr', (rows) => rows.length), 0, 'no rows for a bad ramp');
    assert.ok(await page.$eval('#RampPrint', (button) => button.disabled), 'no book for a bad ramp');
    await page.click('#RampCompute');
    await page.waitForSelector('#MessageBox[open]');
    assert.match(await page.$eval('#MessageBoxText', (p) => p.textContent), /坡道长度/);
    await page.click('#MessageBoxButtons button');

    // The ramp is kept in the design: the title shows it changed.
    assert.match(await page.title(), /\*/, 'the ramp changes the design');
    await page.click('#RampClose');
    assert.equal(await page.$('#RampDialog'), null, 'the dialog closes');
    assert.deepEqual(errors, [], 'no script errors');
    console.log('the page\'s ramp dialog matches the tool');
  } finally {
    await browser.close();
    fs.rmSync(downloads, {recursive: true, force: true});
  }
}

main().catch((error) => {
  console.error(error);
  process.exit(1);
});
