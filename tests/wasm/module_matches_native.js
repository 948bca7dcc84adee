// The WebAssembly module against the native calculation. Each line the
// generator writes is one window session; the module, opened afresh for it in
// the same edition, must give every run the same outcome and the same writes
// and messages in the same order, text for text, save the same design file
// byte for byte and open it again. The first line holds the files and load
// factors it must refuse with the native messages.
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
function expectSame(what, native, wasm) {
  if (native !== wasm && ++faults <= 3) console.error(`${what}: native ${JSON.stringify(native)}, module ${JSON.stringify(wasm)}`);
}

// The wasm is handed over as bytes: the loader would fetch() it, which Node
// cannot do for a file path.
const wasmBinary = fs.readFileSync(moduleFile.replace(/\.js$/, '.wasm'));
require(path.resolve(moduleFile))({wasmBinary}).then((module) => {
  const opened = module.openWindow({today: '2024-05-06'});
  const factorsBefore = JSON.stringify(opened.loadFactors());
  for (const file of refusals.files) {
    const got = opened.openDesign(file.name, encoder.encode(file.text), file.size);
    expectSame(`opening ${file.name}`, JSON.stringify([file.error, file.notes]), JSON.stringify([got.error, got.notes]));
  }
  for (const bad of refusals.factors) {
    const texts = opened.loadFactors().map((field) => String(field.value));
    texts[bad.field] = bad.text;
    expectSame(`load factors ${JSON.stringify(texts)}`, JSON.stringify({field: bad.field, message: bad.message}),
               JSON.stringify(opened.setLoadFactors(texts)));
  }
  expectSame('load factors after refusals', factorsBefore, JSON.stringify(opened.loadFactors()));

  const outcomes = {};
  let runs = 0;
  let differing = 0;
  let designs = 0;
  lines.forEach((session, sessionIndex) => {
    const window = module.openWindow({edition: session.edition, today: session.today});
    let edition = session.edition;
    session.runs.forEach((expected, runIndex) => {
      if (expected.edition) window.setEdition(edition = expected.edition);
      if (expected.factors) expectSame('load factors', null, window.setLoadFactors(expected.factors));
      for (const [name, text] of Object.entries(expected.texts)) window.setText(name, text);
      for (const [name, index] of Object.entries(expected.lists)) window.selectIndex(name, index);
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
    expectSame(`session ${sessionIndex + 1}: modified`, session.modified, window.isModified());
    expectSame(`session ${sessionIndex + 1}: saved`, session.design, window.saveDesign());
    expectSame(`session ${sessionIndex + 1}: modified after saving`, false, window.isModified());
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
              `${designs} designs saved and opened, ${faults} faults`);
  // Designs that all ended the same way would prove little.
  const everyOutcome = ['completed', 'stopped', 'noLoadCase'].every((outcome) => outcomes[outcome] > 0);
  if (!everyOutcome) console.error('the designs did not reach every outcome');
  process.exit(differing === 0 && faults === 0 && everyOutcome ? 0 : 1);
});
