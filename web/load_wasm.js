// Sets the calculation's wasm on its way while the page is still being read,
// before the module's loader runs, and compiles it as soon as it is there:
// inside the page itself (rampwall.html, gzipped), fetched when the page is
// served (compiled as it streams in), or loaded as a script when the
// folder's page was opened from a disk, where it may not be fetched.
// window.rampwallWasm resolves to the compiled module, which page.js
// instantiates.
'use strict';
(function () {
  function bytesOf(base64) {
    const text = atob(base64);
    const bytes = new Uint8Array(text.length);
    for (let i = 0; i < text.length; ++i) bytes[i] = text.charCodeAt(i);
    return bytes;
  }

  async function gunzip(bytes) {
    const stream = new Blob([bytes]).stream().pipeThrough(new DecompressionStream('gzip'));
    return new Uint8Array(await new Response(stream).arrayBuffer());
  }

  // Compiled as it streams in, off the page's thread from the first byte:
  // the fetch is handed over as it starts, before the page is read.
  async function fetched() {
    try {
      return await WebAssembly.compileStreaming(fetch('rampwall.wasm'));
    } catch {
      // A server that does not say application/wasm: compiled once it is
      // all here; or the reason it is not.
      const response = await fetch('rampwall.wasm');
      if (!response.ok) throw new Error(`rampwall.wasm: ${response.status}`);
      return WebAssembly.compile(await response.arrayBuffer());
    }
  }

  if (typeof window.rampwallWasmGzip === 'string') {
    window.rampwallWasm = gunzip(bytesOf(window.rampwallWasmGzip)).then((bytes) => WebAssembly.compile(bytes));
    window.rampwallWasmGzip = null; // a var of the page: it cannot be deleted
  } else if (location.protocol !== 'file:') {
    window.rampwallWasm = fetched();
  } else {
    window.rampwallWasm = new Promise((resolve, reject) => {
      const script = document.createElement('script');
      script.src = 'rampwall-wasm.js';
      script.onload = () => {
        resolve(WebAssembly.compile(bytesOf(window.rampwallWasmBase64)));
        window.rampwallWasmBase64 = null;
      };
      script.onerror = () => reject(new Error('rampwall-wasm.js'));
      document.head.append(script);
    });
  }
  // Seen by page.js when it asks; until then no unhandled rejection.
  window.rampwallWasm.catch(() => {});
})();
