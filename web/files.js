// Design files through the browser. Where the browser lets a page keep a
// file it opened or saved (the File System Access API of Chromium and Edge),
// 保存 writes back to that file; elsewhere a design is read through a file
// picker and saved as a download. The page reaches the browser's file calls
// only through here, and the tests put their own in the browser's place.
'use strict';

window.RampwallFiles = (() => {
  const fileTypes = (texts) => [{description: texts.designFileKind,
                                 accept: {'application/x-rampwall': [texts.fileSuffix]}}];
  const canKeep = () => typeof window.showOpenFilePicker === 'function' &&
                        typeof window.showSaveFilePicker === 'function';

  // A file chosen to open: {file, handle}, the handle null where the browser
  // keeps none; null when the user chose nothing.
  async function pickToOpen(texts, picker) {
    if (canKeep()) {
      try {
        const [handle] = await window.showOpenFilePicker({types: fileTypes(texts), excludeAcceptAllOption: false});
        return {file: await handle.getFile(), handle};
      } catch (error) {
        if (error.name === 'AbortError') return null;
        throw error;
      }
    }
    picker.value = '';
    const chosen = new Promise((resolve) => {
      picker.onchange = () => resolve(picker.files[0] || null);
      picker.oncancel = () => resolve(null);
    });
    picker.click();
    const file = await chosen;
    return file ? {file, handle: null} : null;
  }

  // A file dropped on the page, with its handle where the browser gives one.
  async function dropped(transfer) {
    const item = [...transfer.items].find((entry) => entry.kind === 'file');
    const file = transfer.files[0];
    if (!file) return null;
    let handle = null;
    if (item && typeof item.getAsFileSystemHandle === 'function') {
      try {
        const got = await item.getAsFileSystemHandle();
        handle = got && got.kind === 'file' ? got : null;
      } catch {
        handle = null;
      }
    }
    return {file, handle};
  }

  // Writes the text to the file behind the handle, asking the browser's
  // leave to write first. False when it was not given (the caller asks
  // where instead); a failed write throws.
  async function writeBack(handle, text) {
    const mode = {mode: 'readwrite'};
    if (typeof handle.queryPermission === 'function' && (await handle.queryPermission(mode)) !== 'granted' &&
        (typeof handle.requestPermission !== 'function' || (await handle.requestPermission(mode)) !== 'granted')) {
      return false;
    }
    // The browser writes beside the file and swaps it in on close.
    const writable = await handle.createWritable();
    await writable.write(new Blob([text], {type: 'application/x-rampwall'}));
    await writable.close();
    return true;
  }

  // Asks where, and writes there: the handle of the file written, null when
  // cancelled. Without the API the design goes to the browser's downloads
  // under its name, and {name} stands for the file.
  async function saveAs(texts, name, text) {
    if (!canKeep()) {
      const link = document.createElement('a');
      link.href = URL.createObjectURL(new Blob([text], {type: 'application/x-rampwall'}));
      link.download = name;
      document.body.append(link);
      link.click();
      link.remove();
      setTimeout(() => URL.revokeObjectURL(link.href), 60000);
      return {name, download: true};
    }
    let handle;
    try {
      handle = await window.showSaveFilePicker({suggestedName: name, types: fileTypes(texts)});
    } catch (error) {
      if (error.name === 'AbortError') return null;
      throw error;
    }
    if (!(await writeBack(handle, text))) throw new DOMException('', 'NotAllowedError');
    return handle;
  }

  return {canKeep, pickToOpen, dropped, writeBack, saveAs};
})();
