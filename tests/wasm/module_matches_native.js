// The WebAssembly module against the native design document. Each line the
// generator writes is one window session; the module, opened afresh for it in
// the same edition with the same factors, must select the same list entries
// for what is typed over the lists, give every run the same outcome and the
// same writes and messages in the same order, text for text, offer the book
// commands alike and compose the same book, save the same design file byte
// for byte and open it again. The first line holds the
// files and factors it must refuse with the native messages.
// Usage: node module_matches_native.js GENERATOR MODULE.js SESSIONS
'use strict';
const fs = require('fs');
const path = require('path');
const {spawnSync} = require('child_process');

const [generator, moduleFile, sessions] = process.argv.slice(2);
const generated = spawnSync(generator, [sessions], {encoding: 'utf8', maxBuffer: 1 << 30});
if (generated.status !== 0) {
  console.error(`${generator} failed: ${generated.stderr}`);
  process.exit(1);
}
const [refusals, ...lines] = generated.stdout.split('\n').filter((line) => line !== '').map((line) => JSON.parse(line));
const encoder = new TextEncoder();
let faults = 0;
// A long text (a book) is shown from where the two part.
function expectSame(what, native, wasm) {
  if (native === wasm || ++faults > 3) return;
  const [a, b] = [JSON.stringify(native), JSON.stringify(wasm)];
  let at = 0;
  while (at < a.length && a[at] === b[at]) ++at;
  const from = Math.max(0, at - 100);
  console.error(`${what}: native ${from ? '…' : ''}${a.slice(from, from + 300)}, module ${from ? '…' : ''}${b.slice(from, from + 300)}`);
}

// The wasm is handed over as bytes: the loader would fetch() it, which Node
// cannot do for a file path.
const wasmBinary = fs.readFileSync(moduleFile.replace(/\.js$/, '.wasm'));
require(path.resolve(moduleFile))({wasmBinary}).then((module) => {
  const opened = module.openWindow({today: '2024-05-06'});
  const factorsBefore = JSON.stringify(opened.factors());
  for (const file of refusals.files) {
    const got = opened.openDesign(file.name, encoder.encode(file.text), file.size);
    expectSame(`opening ${file.name}`, JSON.stringify([file.error, file.notes]), JSON.stringify([got.error, got.notes]));
  }
  // The dialog's boxes as they stand, one made bad: refused whole.
  const shown = Object.fromEntries(Object.entries(opened.factors()).map(([key, value]) => [key, String(value)]));
  for (const bad of refusals.factors) {
    const texts = {...shown, [bad.key]: bad.text};
    expectSame(`factors ${JSON.stringify(texts)}`, JSON.stringify({key: bad.key, message: bad.message}),
               JSON.stringify(opened.setFactors(texts)));
    // Remembered factors with a bad one leave the defaults as the document opens.
    const reopened = module.openWindow({today: '2024-05-06', factors: {[bad.key]: bad.text}});
    expectSame(`start-up factors ${JSON.stringify(bad)}`, factorsBefore, JSON.stringify(reopened.factors()));
  }
  expectSame('factors after refusals', factorsBefore, JSON.stringify(module.openWindow().factors()));
  let unknownRefused = false;
  try {
    opened.setFactors({'no-such-factor': '1'});
  } catch (error) {
    unknownRefused = error instanceof RangeError;
  }
  expectSame('a factor there is not', true, unknownRefused);

  const outcomes = {};
  let runs = 0;
  let differing = 0;
  let designs = 0;
  let typedOverLists = 0;
  let books = 0;
  lines.forEach((session, sessionIndex) => {
    const window = module.openWindow({edition: session.edition, today: session.today, factors: session.factors});
    let edition = session.edition;
    session.runs.forEach((expected, runIndex) => {
      if (expected.edition) window.setEdition(edition = expected.edition);
      if (expected.factors) expectSame('factors', null, window.setFactors(expected.factors));
      for (const [name, text] of Object.entries(expected.texts)) window.type(name, text);
      // A number chooses an entry; a text is typed over the list, and the
      // entry it selects shows in the run's outcome and writes.
      for (const [name, action] of Object.entries(expected.lists)) {
        if (typeof action === 'number') {
          window.choose(name, action);
        } else {
          window.type(name, action);
          ++typedOverLists;
        }
      }
      expectSame(`session ${sessionIndex + 1}: edition`, edition, window.edition());
      const got = window.compute();
      ++runs;
      outcomes[expected.outcome] = (outcomes[expected.outcome] || 0) + 1;
      const native = [expected.outcome, ...expected.events.map((event) => JSON.stringify(event))];
      const wasm = [got.outcome, ...got.events.map((event) => JSON.stringify(event))];
      const at = [...Array(Math.max(native.length, wasm.length)).keys()].find((i) => native[i] !== wasm[i]);
      if (at !== undefined && ++differing <= 3) {
        console.error(`session ${sessionIndex + 1}, run ${runIndex + 1}: typed ${JSON.stringify(expected.texts)}, ` +
                      `lists ${JSON.stringify(expected.lists)}\n  ${at === 0 ? 'outcome' : `event ${at}`}: ` +
                      `native ${native[at]}, module ${wasm[at]}`);
      }
    });
    if (session.design === undefined) return;
    ++designs;
    if (session.project) window.setProjectInfo(session.project);
    expectSame(`session ${sessionIndex + 1}: book offered`, session.hasBook, window.hasBook());
    if (session.book !== undefined) {
      ++books;
      const book = window.book();
      expectSame(`session ${sessionIndex + 1}: book`, session.book, book && book.html);
      expectSame(`session ${sessionIndex + 1}: book name`, session.bookName, book && book.name);
    }
    expectSame(`session ${sessionIndex + 1}: modified`, session.modified, window.isModified());
    expectSame(`session ${sessionIndex + 1}: saved`, session.design, window.saveDesign('saved.rampwall'));
    expectSame(`session ${sessionIndex + 1}: modified after saving`, false, window.isModified());
    expectSame(`session ${sessionIndex + 1}: file name`, 'saved.rampwall', window.fileName());
    // Opened in a window of the edition the session began in, it must give
    // back the same inputs, edition, factors and project.
    const reopened = module.openWindow({edition: session.edition, today: 'another day'});
    const bytes = encoder.encode(session.design);
    expectSame(`session ${sessionIndex + 1}: opened`, '{"error":null,"notes":null}',
               JSON.stringify(reopened.openDesign('a.rampwall', bytes, bytes.length)));
    expectSame(`session ${sessionIndex + 1}: modified after opening`, false, reopened.isModified());
    expectSame(`session ${sessionIndex + 1}: saved again`, session.design, reopened.saveDesign());
  });
  console.log(`${runs} runs in ${lines.length} sessions, ${JSON.stringify(outcomes)}: ${differing} differ; ` +
              `${typedOverLists} texts typed over lists; ${designs} designs saved and opened, ${books} books; ${faults} faults`);
  // Designs that all ended the same way would prove little.
  const everyOutcome = ['completed', 'stopped', 'noLoadCase'].every((outcome) => outcomes[outcome] > 0);
  if (!everyOutcome) console.error('the designs did not reach every outcome');
  if (books === 0) console.error('no book was compared');
  process.exit(differing === 0 && faults === 0 && everyOutcome && books > 0 ? 0 : 1);
});
