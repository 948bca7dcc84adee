// Sets the calculation's wasm on its way while the page is still being read,
// before the module's loader runs: fetched when the page is served, loaded
// as a script when it was opened from a disk, where it may not be fetched.
// page.js instantiates what window.rampwallWasm resolves to.
'use strict';
window.rampwallWasm = location.protocol !== 'file:' ? fetch('rampwall.wasm') : new Promise((resolve, reject) => {
  const script = document.createElement('script');
  script.src = 'rampwall-wasm.js';
  script.onload = () => {
    const text = atob(window.rampwallWasmBase64);
    window.rampwallWasmBase64 = null; // a var of that script: it cannot be deleted
    const bytes = new Uint8Array(text.length);
    for (let i = 0; i < text.length; ++i) bytes[i] = text.charCodeAt(i);
    resolve(bytes);
  };
  script.onerror = () => reject(new Error('rampwall-wasm.js'));
  document.head.append(script);
});
