// The WebAssembly module as the page runs it: one press of 计算 on the
// start-up design, with and without reading back the run's writes, and the
// module's size. Run by hand, after `cmake --build --preset wasm`:
//   node bench/wasm_bench.js build-wasm/wasm/rampwall.js
'use strict';
const fs = require('fs');
const path = require('path');
const zlib = require('zlib');

// The loader and the wasm beside it.
const moduleFile = path.resolve(process.argv[2] || 'build-wasm/wasm/rampwall.js');
const wasmFile = moduleFile.replace(/\.js$/, '.wasm');
for (const file of [moduleFile, wasmFile]) {
  const bytes = fs.readFileSync(file);
  console.log(`${path.basename(file)}: ${bytes.length} bytes, ${zlib.gzipSync(bytes, {level: 9}).length} gzipped`);
}

// CPU time, so that other work on a shared machine counts less.
const cpuMicroseconds = () => { const used = process.cpuUsage(); return used.user + used.system; };
function median(run, repetitions = 9, count = 20000) {
  const perRun = [];
  for (let r = 0; r < repetitions; ++r) {
    const start = cpuMicroseconds();
    for (let i = 0; i < count; ++i) run();
    perRun.push((cpuMicroseconds() - start) / count);
  }
  return perRun.sort((a, b) => a - b)[repetitions >> 1].toFixed(2);
}

// The wasm as bytes: the loader would fetch() it, which Node cannot do for a
// file path.
require(moduleFile)({wasmBinary: fs.readFileSync(wasmFile)}).then((module) => {
  const window = module.openWindow();
  if (window.compute().events.find((event) => event.box === 'Text18').text !== '23') {
    throw new Error('the start-up design did not end at the 23 mm bar');
  }
  console.log(`COMPUTE with the sheet: ${median(() => module._rw_compute(1))} µs`);
  console.log(`COMPUTE without the sheet: ${median(() => module._rw_compute(0))} µs`);
  console.log(`compute() with its writes read back: ${median(() => window.compute())} µs`);
});
