// The WebAssembly module against the native calculation. Each line the
// generator writes is one window session; the module, opened afresh for it,
// must give every run the same outcome and the same writes and messages in
// the same order, text for text.
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
const lines = generated.stdout.split('\n').filter((line) => line !== '');

const createRampwall = require(path.resolve(moduleFile));
// The module's wasm is handed over as bytes: its loader would fetch() it,
// which Node cannot do for a file path.
const wasmBinary = fs.readFileSync(moduleFile.replace(/\.js$/, '.wasm'));
createRampwall({wasmBinary}).then((module) => {
  const outcomes = {};
  let runs = 0;
  let differing = 0;
  lines.forEach((line, sessionIndex) => {
    const session = JSON.parse(line);
    const window = module.openWindow();
    session.runs.forEach((expected, runIndex) => {
      for (const [name, text] of Object.entries(expected.texts)) window.setText(name, text);
      for (const [name, index] of Object.entries(expected.lists)) window.selectIndex(name, index);
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
  });
  console.log(`${runs} runs in ${lines.length} sessions, ${JSON.stringify(outcomes)}: ${differing} differ`);
  // Designs that all ended the same way would prove little.
  const everyOutcome = ['completed', 'stopped', 'noLoadCase'].every((outcome) => outcomes[outcome] > 0);
  if (!everyOutcome) console.error('the designs did not reach every outcome');
  process.exit(differing === 0 && everyOutcome ? 0 : 1);
});
