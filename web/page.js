// The window's behaviour in the page. The design document is the
// WebAssembly module's (rampwall.js): the page hands it what the user types
// as it is typed, and shows what it holds and what a run writes. Every text
// the window shows comes from index.html, which is generated from the
// control table, the window's texts and the code editions.
'use strict';

(function () {
  const texts = JSON.parse(document.getElementById('WindowTexts').textContent);
  const byId = (id) => document.getElementById(id);
  const storageKey = 'rampwall.edition';
  const factorsKey = 'rampwall.loadFactors';
  const editionOf = (key) => texts.editions.find((edition) => edition.key === key);
  // A text with blanks, as the generator split it, with the values put in.
  const filled = (pieces, ...values) => pieces.reduce((text, piece, i) => text + values[i - 1] + piece);

  let module = null;
  let calculator = null; // the module's design document
  let busy = false; // a command is waiting on a message box
  let closed = false;
  let fileHandle = null; // the design's file, where the browser keeps one (files.js)

  // On a Mac the commands take Cmd where elsewhere they take Ctrl.
  const platform = navigator.userAgentData?.platform || navigator.platform || '';
  const mac = /^Mac|^iPhone|^iPad|macOS/i.test(platform);

  // Where the focus goes back to when a menu or a dialog closes: the control
  // that had it when the first of them opened.
  let returnTo = null;
  function holdFocus() {
    const active = document.activeElement;
    if (!returnTo && active && active !== document.body && !active.closest('dialog, .menu-bar')) returnTo = active;
  }
  function giveFocusBack() {
    if (document.querySelector('dialog[open]') || !returnTo) return;
    const target = returnTo;
    returnTo = null;
    if (target.isConnected) target.focus();
  }

  // ---- Message boxes ----

  // One box at a time: a message asked for while another shows waits its
  // turn, as the calculation's messages come one after another.
  let boxTurn = Promise.resolve();

  // Shows a box with the buttons given; resolves to the index of the one
  // pressed, or of `escape` for Esc.
  function ask(title, text, buttons, escape) {
    const turn = boxTurn.then(() => new Promise((resolve) => {
      holdFocus();
      const box = byId('MessageBox');
      byId('MessageBoxTitle').textContent = title;
      byId('MessageBoxText').textContent = text.replace(/\r\n/g, '\n');
      const row = byId('MessageBoxButtons');
      row.replaceChildren();
      const finish = (index) => {
        box.removeEventListener('cancel', onCancel);
        box.removeEventListener('keydown', onKey);
        box.close();
        resolve(index);
        giveFocusBack();
      };
      const onCancel = (event) => {
        event.preventDefault();
        finish(escape);
      };
      // Enter presses the button with the focus, the first one unless the
      // user moved it, and nothing else: the key is spent here.
      const onKey = (event) => {
        if (event.key !== 'Enter') return;
        event.preventDefault();
        const at = [...row.children].indexOf(document.activeElement);
        finish(at >= 0 ? at : 0);
      };
      box.addEventListener('cancel', onCancel);
      box.addEventListener('keydown', onKey);
      buttons.forEach((caption, index) => {
        const button = document.createElement('button');
        button.type = 'button';
        button.textContent = caption;
        button.addEventListener('click', () => finish(index));
        row.append(button);
      });
      box.showModal();
      row.firstElementChild.focus();
    }));
    boxTurn = turn.catch(() => {});
    return turn;
  }

  const showMessage = (text, title) => ask(title, text, [texts.buttons.ok], 0);

  // ---- The lists ----

  // An editable drop-down list. What is typed stays as typed; which entry
  // that selects, if any, the document says.
  class List {
    constructor(edit) {
      this.edit = edit;
      this.popup = byId(edit.id + '-entries');
      this.entries = [];
      this.highlighted = -1;
      edit.parentElement.querySelector('.list-button').addEventListener('mousedown', (event) => {
        event.preventDefault();
        edit.focus();
        this.toggle();
      });
      edit.addEventListener('keydown', (event) => this.onKey(event));
      edit.addEventListener('blur', () => this.close());
      this.popup.addEventListener('mousedown', (event) => {
        event.preventDefault();
        const item = event.target.closest('li');
        if (item) {
          this.choose(Number(item.dataset.index));
          this.close();
        }
      });
    }

    fill(entries, text) {
      this.entries = entries;
      this.popup.replaceChildren(...entries.map((entry, index) => {
        const item = document.createElement('li');
        item.textContent = entry;
        item.role = 'option';
        item.dataset.index = String(index);
        return item;
      }));
      if (this.edit.value !== text) this.edit.value = text;
    }

    selectedIndex() { return calculator.selectedIndex(this.edit.id); }

    choose(index) {
      if (index < 0 || index >= this.entries.length) return;
      calculator.choose(this.edit.id, index);
      this.edit.value = this.entries[index];
      this.edit.select();
      this.edit.dispatchEvent(new Event('input', {bubbles: true}));
    }

    isOpen() { return !this.popup.hidden; }

    toggle() {
      if (this.isOpen()) {
        this.close();
        return;
      }
      this.popup.hidden = false;
      this.edit.setAttribute('aria-expanded', 'true');
      this.highlight(this.selectedIndex() >= 0 ? this.selectedIndex() : 0);
    }

    close() {
      this.popup.hidden = true;
      this.edit.setAttribute('aria-expanded', 'false');
    }

    highlight(index) {
      this.highlighted = Math.max(0, Math.min(index, this.entries.length - 1));
      [...this.popup.children].forEach((item, i) => item.setAttribute('aria-selected', String(i === this.highlighted)));
    }

    onKey(event) {
      const down = event.key === 'ArrowDown';
      const up = event.key === 'ArrowUp';
      if ((down && event.altKey) || event.key === 'F4') {
        event.preventDefault();
        this.toggle();
      } else if (this.isOpen()) {
        if (down || up) {
          event.preventDefault();
          this.highlight(this.highlighted + (down ? 1 : -1));
        } else if (event.key === 'Enter') {
          event.preventDefault();
          this.choose(this.highlighted);
          this.close();
        } else if (event.key === 'Escape') {
          event.preventDefault();
          this.close();
        }
      } else if (down || up) {
        // The arrows step through the entries, as in the desktop's lists.
        event.preventDefault();
        const chosen = this.selectedIndex();
        const from = chosen < 0 ? (down ? -1 : this.entries.length) : chosen;
        this.choose(Math.max(0, Math.min(from + (down ? 1 : -1), this.entries.length - 1)));
      }
    }
  }

  const lists = new Map();

  // ---- Between the elements and the module ----

  // After the document changed itself: an edition, a design, 新建. Every
  // box and list shows what the document holds, results and sheet included.
  // A box whose text is already the document's is left alone: the page
  // opens with the start-up texts in place, and lays itself out once.
  function showForm() {
    const written = [];
    for (const name of calculator.controlNames) {
      const text = calculator.text(name);
      if (lists.has(name)) {
        lists.get(name).fill(calculator.entries(name), text);
      } else if (byId(name).value !== text) {
        written.push(writeBox(name, text));
      }
    }
    fitMargins(written);
  }

  // Classic 3-px margins, narrowed to 1 px for a text that would be cut
  // off: the seven-digit areas just fit then, as on the desktop. The boxes
  // are measured together once written, with one layout for them all.
  function fitMargins(boxes) {
    const lines = boxes.filter((box) => box.id !== 'Text12');
    for (const box of lines) box.classList.remove('tight');
    const cut = lines.filter((box) => box.scrollWidth > box.clientWidth);
    for (const box of cut) box.classList.add('tight');
    for (const box of boxes.filter((sheet) => sheet.id === 'Text12')) {
      box.scrollTop = 0;
      box.scrollLeft = 0;
    }
  }

  // A box's text as the document or a run has it; fitMargins comes after.
  function writeBox(name, text) {
    const box = byId(name);
    box.value = text;
    return box;
  }

  // The credit line names the edition; a box the edition does not read is
  // greyed out, with a tip saying why.
  function showEdition() {
    const edition = editionOf(calculator.edition());
    const credit = byId('Label15');
    if (credit.textContent !== edition.credit) credit.textContent = edition.credit;
    for (const other of texts.editions) {
      for (const unused of other.unused) {
        const box = byId(unused.box);
        const tip = edition.unused.find((input) => input.box === unused.box)?.tip;
        box.disabled = tip !== undefined;
        if (box.title !== (tip ?? '')) box.title = tip ?? '';
      }
    }
    menuBar.refresh();
  }

  function showCaption() {
    const modified = calculator.isModified();
    const fileName = calculator.fileName();
    document.title = texts.title + (fileName ? ' - ' + fileName : '') + (modified ? '*' : '');
    return modified;
  }

  // After anything the user or a run did: the title, the greyed results,
  // and the commands that need a completed 计算.
  function refresh() {
    showCaption();
    const stale = new Set(calculator.staleBoxes());
    for (const box of document.querySelectorAll('#Form1 .box')) box.classList.toggle('stale', stale.has(box.id));
    menuBar.refresh();
  }

  // ---- Commands ----

  // 计算: the run's writes and messages in the order the desktop window
  // receives them; a message holds back what comes after it until closed.
  async function compute() {
    if (busy) return;
    busy = true;
    try {
      const run = calculator.compute();
      let written = [];
      for (const event of run.events) {
        if (event.box) {
          written.push(writeBox(event.box, event.text));
        } else {
          // What came before a message is shown as it waits.
          fitMargins(written);
          written = [];
          await showMessage(event.text, event.title);
        }
      }
      fitMargins(written);
      if (run.outcome === 'failed') await showMessage(texts.failure, texts.noticeTitle);
    } finally {
      busy = false;
      refresh();
    }
  }

  const help = () => showMessage(texts.helpText, texts.helpTitle);

  // 保存 / 不保存 / 取消 when the design has changed; true when the caller
  // may go on and drop it.
  async function maybeSave() {
    if (!showCaption()) return true;
    const fileName = calculator.fileName();
    const question = fileName ? filled(texts.saveQuestionNamed, fileName) : texts.saveQuestion;
    const {save, discard, cancel} = texts.buttons;
    const answer = await ask(texts.title, question, [save, discard, cancel], 2);
    if (answer === 0) return saveDesign();
    return answer === 1;
  }

  async function openFile(file, handle) {
    // More than a design can hold is not read: the module names the size.
    const bytes = new Uint8Array(await file.slice(0, texts.maxFileBytes + 1).arrayBuffer());
    const result = calculator.openDesign(file.name, bytes, file.size);
    if (result.error) {
      await showMessage(result.error, texts.noticeTitle);
      return false;
    }
    fileHandle = handle;
    showForm();
    showEdition();
    refresh();
    if (result.notes) await showMessage(result.notes, texts.noticeTitle);
    return true;
  }

  async function openDesign() {
    if (!(await maybeSave())) return;
    const chosen = await files.pickToOpen(texts, byId('DesignFilePicker'));
    if (chosen) await openFile(chosen.file, chosen.handle);
  }

  // What the page could not open again is not saved: false, once the
  // message says why.
  async function savable(name) {
    const fault = calculator.saveFault(name);
    if (fault) await showMessage(fault, texts.noticeTitle);
    return !fault;
  }

  // 保存: back to the design's file where the browser keeps it; otherwise,
  // or for a design never saved, as 另存为.
  async function saveDesign() {
    if (!fileHandle) return saveDesignAs();
    const name = calculator.fileName();
    if (!(await savable(name))) return false;
    try {
      if (await files.writeBack(fileHandle, calculator.designText())) {
        calculator.markSaved(fileHandle.name);
        refresh();
        return true;
      }
    } catch (error) {
      await showMessage(filled(texts.saveFailure, name, error.message), texts.noticeTitle);
      return false;
    }
    // The browser would not let the page write to it: ask where.
    return saveDesignAs();
  }

  // 另存为: where the user picks, in browsers that let a page save a file;
  // elsewhere to the browser's downloads.
  async function saveDesignAs() {
    const name = calculator.fileName() || texts.untitled + texts.fileSuffix;
    if (!(await savable(name))) return false;
    let saved;
    try {
      saved = await files.saveAs(texts, name, calculator.designText());
    } catch (error) {
      await showMessage(filled(texts.saveFailure, name, error.message), texts.noticeTitle);
      refresh();
      return false;
    }
    if (!saved) return false;
    fileHandle = saved.download ? null : saved;
    calculator.markSaved(saved.name);
    refresh();
    return true;
  }

  async function setEdition(key) {
    if (key === calculator.edition()) return;
    calculator.setEdition(key);
    showForm();
    showEdition();
    refresh();
    remember(storageKey, key);
  }

  // The edition and the factors are kept for the next visit, where the
  // browser keeps anything; a page without storage starts from the defaults.
  function remember(key, value) {
    try {
      localStorage.setItem(key, value);
    } catch {
      // nothing to keep it in
    }
  }

  function remembered(key) {
    try {
      return localStorage.getItem(key);
    } catch {
      return null;
    }
  }

  // A small form in a dialog: groups of rows (caption, box and a grey
  // clause), each with a note below it; resolves to the boxes' texts by row
  // key, or null when cancelled. `check` may refuse them with {key, message}.
  function formDialog(id, title, groups, check, wide) {
    return new Promise((resolve) => {
      const dialog = document.createElement('dialog');
      dialog.id = id;
      const heading = document.createElement('div');
      heading.className = 'dialog-title';
      heading.textContent = title;
      dialog.append(heading);
      const boxes = new Map();
      for (const group of groups) {
        const form = document.createElement('div');
        form.className = 'dialog-form' + (wide ? ' wide' : '');
        for (const row of group.rows) {
          const label = document.createElement('label');
          label.textContent = row.caption + '：';
          const box = document.createElement('input');
          box.type = 'text';
          box.maxLength = texts.maxBoxCharacters;
          box.id = id + '-' + row.key;
          box.value = row.value;
          box.spellcheck = false;
          label.htmlFor = box.id;
          form.append(label, box);
          if (!wide) {
            const clause = document.createElement('span');
            clause.className = 'clause';
            clause.textContent = row.clause || '';
            form.append(clause);
          }
          boxes.set(row.key, box);
        }
        dialog.append(form);
        if (group.note) {
          const paragraph = document.createElement('p');
          paragraph.className = 'dialog-note';
          paragraph.textContent = group.note;
          dialog.append(paragraph);
        }
      }
      const buttons = document.createElement('div');
      buttons.className = 'dialog-buttons';
      const ok = document.createElement('button');
      ok.type = 'button';
      ok.textContent = texts.buttons.ok;
      const cancel = document.createElement('button');
      cancel.type = 'button';
      cancel.textContent = texts.buttons.cancel;
      buttons.append(ok, cancel);
      dialog.append(buttons);
      document.body.append(dialog);
      holdFocus();
      const finish = (result) => {
        dialog.close();
        dialog.remove();
        resolve(result);
        giveFocusBack();
      };
      ok.addEventListener('click', async () => {
        const values = Object.fromEntries([...boxes].map(([key, box]) => [key, box.value]));
        const problem = check(values);
        if (problem) {
          await showMessage(problem.message, texts.noticeTitle);
          boxes.get(problem.key).focus();
          boxes.get(problem.key).select();
          return;
        }
        finish(values);
      });
      cancel.addEventListener('click', () => finish(null));
      dialog.addEventListener('cancel', (event) => {
        event.preventDefault();
        finish(null);
      });
      // Enter is 确定 from any box, as on the desktop; the key is spent here,
      // so that it cannot also press the button of a message it brings up.
      dialog.addEventListener('keydown', (event) => {
        if (event.key === 'Enter' && event.target.tagName === 'INPUT') {
          event.preventDefault();
          ok.click();
        }
      });
      dialog.showModal();
      const first = boxes.values().next().value;
      first.focus();
      first.select();
    });
  }

  // 荷载系数: every edition's factors, each edition's below one another with
  // what they are for.
  async function editFactors() {
    const values = calculator.factors();
    const groups = texts.editions.filter((edition) => edition.factors.length > 0).map((edition) => ({
      rows: edition.factors.map((factor) => ({...factor, value: String(values[factor.key])})),
      note: edition.factorsNote,
    }));
    const typed = await formDialog('LoadFactorsDialog', texts.loadFactorsTitle, groups,
                                   (typedTexts) => calculator.setFactors(typedTexts), false);
    if (typed) remember(factorsKey, JSON.stringify(typed));
    refresh();
  }

  // 新建: the start-up design in the edition and with the factors the page
  // has now, after the question about unsaved changes.
  async function newDesign() {
    if (!(await maybeSave())) return;
    calculator.newDesign(today());
    showForm();
    showEdition();
    refresh();
  }

  async function editProjectInfo() {
    const info = calculator.projectInfo();
    const rows = texts.projectFields.map((field) => ({key: field.key, caption: field.label, value: info[field.key]}));
    const edited = await formDialog('ProjectInfoDialog', texts.projectInfoTitle, [{rows}], () => null, true);
    if (edited) {
      calculator.setProjectInfo(edited);
      refresh();
    }
  }

  const about = () => showMessage(editionOf(calculator.edition()).about, texts.aboutTitle);

  // 工具 → 坡道分段配筋: the window's design along a whole ramp, as on the
  // desktop. Every edit designs the ramp again at once and is kept in the
  // design; the schedule downloads as the command line's CSV.
  function openRamp() {
    return new Promise((resolve) => {
      const ramp = texts.ramp;
      const dialog = document.createElement('dialog');
      dialog.id = 'RampDialog';
      const heading = document.createElement('div');
      heading.className = 'dialog-title';
      heading.textContent = ramp.title;
      const form = document.createElement('div');
      form.className = 'dialog-form wide';
      const values = calculator.rampTexts();
      const boxes = ramp.boxes.map((field, index) => {
        const label = document.createElement('label');
        label.textContent = field.caption + '：';
        const box = document.createElement('input');
        box.type = 'text';
        box.id = field.name;
        box.value = values[index];
        box.title = field.tip;
        box.spellcheck = false;
        box.maxLength = 200;
        label.htmlFor = box.id;
        form.append(label, box);
        box.addEventListener('input', () => {
          calculator.setRampText(index, box.value);
          redesign();
          showCaption();
        });
        return box;
      });
      boxes[1].placeholder = 'h2 = ' + calculator.text('Text2');
      boxes[4].placeholder = calculator.text('Text10');
      const lowerEnd = document.createElement('p');
      lowerEnd.className = 'dialog-note';
      lowerEnd.textContent = '下端墙底标高 h4 = ' + calculator.text('Text16') + ' m ' + ramp.lowerEnd;
      const fault = document.createElement('p');
      fault.id = 'RampFault';
      fault.className = 'ramp-fault';
      const drawing = document.createElement('div');
      drawing.id = 'RampDrawing';
      const table = document.createElement('table');
      table.id = 'RampSchedule';
      const head = table.createTHead().insertRow();
      for (const caption of ramp.headers) {
        const cell = document.createElement('th');
        cell.textContent = caption;
        head.append(cell);
      }
      const body = table.createTBody();
      const scroller = document.createElement('div');
      scroller.className = 'ramp-table';
      scroller.append(table);
      const total = document.createElement('p');
      total.id = 'RampTotal';
      const buttons = document.createElement('div');
      buttons.className = 'dialog-buttons';
      const button = (id, caption, run) => {
        const element = document.createElement('button');
        element.type = 'button';
        element.id = id;
        element.textContent = caption;
        element.addEventListener('click', run);
        buttons.append(element);
        return element;
      };
      let last = null;
      const redesign = () => {
        last = calculator.designRamp();
        fault.textContent = last.fault || '';
        body.replaceChildren();
        total.textContent = last.fault ? '' : last.total;
        drawing.innerHTML = '';
        for (const command of [exportRampBook, printButton, download]) command.disabled = Boolean(last.fault);
        if (last.fault) return;
        for (const row of last.rows) {
          const line = body.insertRow();
          line.className = 'status-' + row.status;
          line.title = row.messages;
          for (const text of row.cells) line.insertCell().textContent = text;
        }
        // The drawing as wide as the dialog shows it, in the page's pixels.
        const width = Math.max(400, Math.round(drawing.clientWidth || 900));
        drawing.innerHTML = calculator.rampSvg(width, 260, 12);
      };
      button('RampCompute', ramp.compute, async () => {
        redesign();
        if (last.fault) await showMessage(last.fault, texts.noticeTitle);
      });
      // The ramp's book goes out as the section's does: through the
      // browser's print, to paper or to a PDF file.
      const printRampBook = () => {
        const book = last && !last.fault ? calculator.rampBook() : null;
        if (book) bookView.print(book);
      };
      const exportRampBook = button('RampExportBook', ramp.exportBook, async () => {
        if (!last || last.fault) return;
        const answer = await ask(texts.exportBookTitle, texts.exportNote, [texts.buttons.ok, texts.buttons.cancel], 1);
        if (answer === 0) printRampBook();
      });
      const printButton = button('RampPrint', ramp.print, printRampBook);
      const download = button('RampDownloadCsv', ramp.csv, () => {
        if (!last || last.fault) return;
        // A byte order mark, so that a spreadsheet reads the Chinese as UTF-8.
        const blob = new Blob(['\ufeff' + last.csv], {type: 'text/csv'});
        const link = document.createElement('a');
        link.href = URL.createObjectURL(blob);
        const base = (calculator.fileName() || texts.untitled).replace(/\.rampwall$/i, '');
        link.download = base + '-分段配筋.csv';
        document.body.append(link);
        link.click();
        link.remove();
        setTimeout(() => URL.revokeObjectURL(link.href), 60000);
      });
      const finish = () => {
        dialog.close();
        dialog.remove();
        resolve();
      };
      button('RampClose', ramp.close, finish);
      dialog.addEventListener('cancel', (event) => {
        event.preventDefault();
        finish();
      });
      dialog.append(heading, form, lowerEnd, fault, drawing, scroller, total, buttons);
      document.body.append(dialog);
      dialog.showModal();
      redesign();
      boxes[0].focus();
    });
  }

  // 退出: the page closes when a script may close it, and is blanked
  // otherwise.
  async function exit() {
    if (!(await maybeSave())) return;
    closed = true;
    window.close();
    document.title = '';
    document.body.replaceChildren();
    document.body.className = 'blank';
  }

  // ---- The calculation book ----

  const bookView = window.RampwallBookView;

  // The book of the last 计算, or null with nothing shown when there is
  // none: the commands are offered only while there is one.
  const currentBook = () => (calculator && calculator.hasBook() ? calculator.book() : null);

  function printBook() {
    const book = currentBook();
    if (book) bookView.print(book);
  }

  // 导出计算书: the browser's print makes the PDF; the page says how first.
  async function exportBook() {
    if (!currentBook()) return;
    const answer = await ask(texts.exportBookTitle, texts.exportNote, [texts.buttons.ok, texts.buttons.cancel], 1);
    if (answer === 0) printBook();
  }

  async function previewBook() {
    const book = currentBook();
    if (!book) return;
    holdFocus();
    await bookView.preview(book, texts, printBook);
    giveFocusBack();
  }

  // The browser's own print (its menu, or Ctrl+P before the page has its
  // keys) prints the book while there is one, and the window otherwise; a
  // print a book command started keeps its book.
  window.addEventListener('beforeprint', () => {
    if (bookView.asked()) return;
    const book = currentBook();
    if (book) bookView.beginPrint(book); else bookView.endPrint();
  });

  // ---- The menu bar ----

  // "Ctrl+O", "F1": the key pressed as the commands' shortcuts are written;
  // on a Mac, Cmd stands where the shortcut says Ctrl.
  function shortcutOf(event) {
    const key = event.key.length === 1 ? event.key.toUpperCase() : event.key;
    const command = mac ? event.metaKey && !event.ctrlKey : event.ctrlKey && !event.metaKey;
    return (command ? 'Ctrl+' : '') + (event.shiftKey ? 'Shift+' : '') + (event.altKey ? 'Alt+' : '') + key;
  }

  // A shortcut as the platform writes it: "Ctrl+Shift+S", or "⇧⌘S" on a Mac.
  function shortcutCaption(shortcut) {
    if (!mac) return shortcut;
    const keys = shortcut.split('+');
    const key = keys.pop();
    const marks = {Ctrl: '⌘', Shift: '⇧', Alt: '⌥'};
    return ['Ctrl', 'Alt', 'Shift'].filter((name) => keys.includes(name)).reverse()
      .map((name) => marks[name]).join('') + key;
  }

  const menuBar = (() => {
    const bar = byId('MenuBar');
    const commands = {
      actionNew: newDesign,
      actionOpen: openDesign,
      actionSave: saveDesign,
      actionSaveAs: saveDesignAs,
      actionProjectInfo: editProjectInfo,
      actionExportBook: exportBook,
      actionPrintBook: printBook,
      actionPrintPreview: previewBook,
      actionExit: exit,
      actionLoadFactors: editFactors,
      actionHelp: help,
      actionAbout: about,
      actionRamp: openRamp,
    };
    // The generator's menus, each item with what it runs; an edition's item
    // is checked while the design follows it.
    const menus = texts.menus.map((menu) => ({...menu, items: menu.items.map((item) => item && {
      ...item,
      checked: item.edition !== undefined ? () => calculator.edition() === item.edition : undefined,
      run: item.edition !== undefined ? () => setEdition(item.edition) : commands[item.name],
    })}));
    let open = null;
    const close = () => {
      if (!open) return;
      open.element.classList.remove('open');
      open.title.setAttribute('aria-expanded', 'false');
      open.list.hidden = true;
      open = null;
    };
    const show = (menu) => {
      close();
      holdFocus();
      open = menu;
      menu.element.classList.add('open');
      menu.title.setAttribute('aria-expanded', 'true');
      menu.list.hidden = false;
      refreshItems();
      menu.list.querySelector('button:not(:disabled)')?.focus();
    };
    // Esc, a command chosen: the focus goes back where it was.
    const dismiss = () => {
      close();
      giveFocusBack();
    };
    const refreshItems = () => {
      const withBook = Boolean(calculator && calculator.hasBook());
      for (const menu of menus) {
        for (const item of menu.items) {
          if (item && item.checked) item.button.setAttribute('aria-checked', String(item.checked()));
          if (item && item.book) item.button.disabled = !withBook;
        }
      }
    };
    for (const menu of menus) {
      menu.element = document.createElement('div');
      menu.element.className = 'menu';
      menu.element.id = menu.name;
      menu.element.role = 'none';
      const title = document.createElement('button');
      title.type = 'button';
      title.className = 'menu-title';
      title.role = 'menuitem';
      title.tabIndex = -1;
      title.textContent = menu.caption;
      title.setAttribute('aria-haspopup', 'menu');
      title.setAttribute('aria-expanded', 'false');
      title.setAttribute('aria-controls', menu.name + '-items');
      title.addEventListener('mousedown', (event) => {
        event.preventDefault();
        if (open === menu) dismiss(); else show(menu);
      });
      title.addEventListener('mouseenter', () => { if (open && open !== menu) show(menu); });
      menu.title = title;
      menu.list = document.createElement('div');
      menu.list.id = menu.name + '-items';
      menu.list.className = 'menu-items';
      menu.list.role = 'menu';
      menu.list.setAttribute('aria-label', menu.caption);
      menu.list.hidden = true;
      for (const item of menu.items) {
        if (!item) {
          const rule = document.createElement('hr');
          rule.role = 'separator';
          menu.list.append(rule);
          continue;
        }
        const button = document.createElement('button');
        button.type = 'button';
        button.id = item.name;
        button.role = item.checked ? 'menuitemradio' : 'menuitem';
        button.tabIndex = -1;
        const caption = document.createElement('span');
        caption.textContent = item.caption;
        button.append(caption);
        if (item.shortcut) {
          const shortcut = document.createElement('span');
          shortcut.className = 'shortcut';
          shortcut.textContent = shortcutCaption(item.shortcut);
          button.append(shortcut);
          button.setAttribute('aria-keyshortcuts', item.shortcut.replace('Ctrl', mac ? 'Meta' : 'Control'));
        }
        button.addEventListener('click', () => {
          // The command starts from where the user was, as from a shortcut.
          dismiss();
          item.run();
        });
        item.button = button;
        menu.list.append(button);
      }
      menu.list.addEventListener('keydown', (event) => {
        const buttons = [...menu.list.querySelectorAll('button:not(:disabled)')];
        const at = buttons.indexOf(document.activeElement);
        if (event.key === 'ArrowDown' || event.key === 'ArrowUp') {
          event.preventDefault();
          const step = event.key === 'ArrowDown' ? 1 : buttons.length - 1;
          buttons[(at + step) % buttons.length].focus();
        } else if (event.key === 'Home' || event.key === 'End') {
          event.preventDefault();
          buttons[event.key === 'Home' ? 0 : buttons.length - 1].focus();
        } else if (event.key === 'ArrowRight' || event.key === 'ArrowLeft') {
          event.preventDefault();
          const index = menus.indexOf(menu) + (event.key === 'ArrowRight' ? 1 : menus.length - 1);
          show(menus[index % menus.length]);
        } else if (event.key === 'Escape' || event.key === 'Tab') {
          event.preventDefault();
          dismiss();
        }
      });
      menu.element.append(title, menu.list);
      bar.append(menu.element);
    }
    // A click elsewhere closes the menu, and the focus goes where it clicked.
    document.addEventListener('mousedown', (event) => {
      if (open && !open.element.contains(event.target)) {
        close();
        returnTo = null;
      }
    });
    // Alt and the underlined letter open a menu (by the key's place, so that
    // Option on a Mac opens it instead of typing ƒ), as do F10 and, on a
    // Mac, Ctrl+F2; the shortcuts run commands.
    const shortcuts = new Map(menus.flatMap((menu) => menu.items.filter((item) => item?.shortcut))
      .map((item) => [item.shortcut, item]));
    document.addEventListener('keydown', (event) => {
      const shortcut = shortcuts.get(shortcutOf(event));
      const letter = /^Key([A-Z])$/.exec(event.code)?.[1];
      const menu = event.altKey && !event.ctrlKey && !event.metaKey && menus.find((entry) => entry.mnemonic === letter);
      const toBar = (event.key === 'F10' && !event.shiftKey && !mac) || (mac && event.ctrlKey && event.key === 'F2');
      if (!menu && !shortcut && !toBar) return;
      // The page's keys are the page's even while it loads or a box is up:
      // the browser must not save the page or open its own print.
      if (shortcut?.book && !(calculator && calculator.hasBook())) {
        // Nothing to print yet: Ctrl+P prints the window, as the browser would.
        if (shortcut.name === 'actionPrintBook') return;
      }
      event.preventDefault();
      if (!calculator || busy || document.querySelector('dialog[open]')) return;
      if (menu || toBar) {
        show(menu || menus[0]);
      } else {
        shortcut.run();
      }
    });
    return {refresh: refreshItems};
  })();

  // ---- Start-up ----

  function today() {
    const now = new Date();
    const two = (n) => String(n).padStart(2, '0');
    return `${now.getFullYear()}-${two(now.getMonth() + 1)}-${two(now.getDate())}`;
  }

  function rememberedEdition() {
    const key = remembered(storageKey);
    return editionOf(key) ? key : texts.defaultEdition;
  }

  // The texts last accepted, by factor key; the module keeps its defaults for
  // anything else. An earlier page kept them as a list in the dialog's order.
  function rememberedFactors() {
    try {
      const factors = JSON.parse(remembered(factorsKey));
      if (!Array.isArray(factors)) return factors ?? undefined;
      const keys = texts.editions.flatMap((edition) => edition.factors.map((factor) => factor.key));
      return factors.length === keys.length ? Object.fromEntries(keys.map((key, i) => [key, String(factors[i])]))
                                            : undefined;
    } catch {
      return undefined;
    }
  }

  function wireControls() {
    for (const edit of document.querySelectorAll('.list-edit')) lists.set(edit.id, new List(edit));
    byId('Command1').addEventListener('click', compute);
    byId('Command2').addEventListener('click', help);
    byId('Command3').addEventListener('click', exit);
    // Enter presses no button: the window has no default button.
    for (const button of document.querySelectorAll('.client .button')) {
      button.addEventListener('keydown', (event) => {
        if (event.key === 'Enter') event.preventDefault();
      });
    }
    // Tab goes round the window's controls, from the last to the first and
    // back, not out of the page.
    const order = [...document.querySelectorAll('#Form1 [tabindex]')].sort((a, b) => a.tabIndex - b.tabIndex);
    byId('Form1').addEventListener('keydown', (event) => {
      if (event.key !== 'Tab') return;
      const wrapTo = event.shiftKey ? (event.target === order[0] ? order.at(-1) : null)
                                    : (event.target === order.at(-1) ? order[0] : null);
      if (wrapTo) {
        event.preventDefault();
        wrapTo.focus();
      }
    });
    // What is typed goes to the document as it is typed.
    const controls = new Set(calculator.controlNames);
    byId('Form1').addEventListener('input', (event) => {
      const control = event.target;
      if (!controls.has(control.id)) return;
      calculator.type(control.id, control.value);
      if (control.classList.contains('box')) fitMargins([control]);
      refresh();
    });
    // A design file dropped anywhere on the page opens.
    document.addEventListener('dragover', (event) => event.preventDefault());
    document.addEventListener('drop', async (event) => {
      event.preventDefault();
      if (busy || document.querySelector('dialog[open]')) return;
      const chosen = await files.dropped(event.dataTransfer);
      if (chosen && (await maybeSave())) await openFile(chosen.file, chosen.handle);
    });
    window.addEventListener('beforeunload', (event) => {
      if (!closed && calculator && showCaption()) event.preventDefault();
    });
  }

  // The module over the wasm that load_wasm.js set on its way and compiled.
  async function instantiate(imports) {
    return WebAssembly.instantiate(await window.rampwallWasm, imports);
  }

  function loadModule() {
    return new Promise((resolve, reject) => {
      createRampwall({
        instantiateWasm(imports, done) {
          instantiate(imports).then((instance) => done(instance), reject);
          return {};
        },
      }).then(resolve, reject);
    });
  }

  // Served, the page is an app the browser can install and keep: its
  // manifest, and a worker that answers from the files it kept when the
  // network does not. Never from a disk, where neither can work.
  function offerInstall() {
    if (!/^https?:$/.test(location.protocol) || document.documentElement.dataset.kind !== 'folder') return;
    const manifest = document.createElement('link');
    manifest.rel = 'manifest';
    manifest.href = 'manifest.webmanifest';
    document.head.append(manifest);
    navigator.serviceWorker?.register('sw.js').catch(() => {});
  }

  async function start() {
    module = await loadModule();
    calculator = module.openWindow({edition: rememberedEdition(), today: today(), factors: rememberedFactors()});
    wireControls();
    // Form_Load: the lists filled with their start-up entries selected.
    showForm();
    showEdition();
    refresh();
    // Live only now: nothing typed while the page loaded could be lost. The
    // focus goes to the first list with the next frame, which lays the page
    // out anyway, rather than asking for a layout of its own now.
    windowElement.inert = false;
    requestAnimationFrame(() => {
      if (!document.activeElement || document.activeElement === document.body) byId('Combo1').focus();
    });
    // For scripts and tests: the calculation behind the page.
    window.rampwallPage = {module, calculator: () => calculator, compute};
    document.body.dataset.ready = 'true';
    // The sketch last, once the page is idle: laying out its text takes the
    // browser longer than anything else the page shows, and the controls and
    // a first 计算 need none of it.
    const inside = byId('Sketch')?.textContent;
    // The app's manifest and worker then too.
    const later = () => {
      for (const picture of document.querySelectorAll('img[data-src]')) picture.src = inside || picture.dataset.src;
      offerInstall();
    };
    if (window.requestIdleCallback) requestIdleCallback(later, {timeout: 1000}); else setTimeout(later, 0);
  }

  const windowElement = document.querySelector('.window');
  const files = window.RampwallFiles;
  window.RampwallFit.start(windowElement, byId('Form1'));
  start().catch((error) => {
    // The form gives way to the reason: nothing on it could work.
    windowElement.classList.add('failed');
    const status = byId('LoadStatus');
    status.role = 'alert';
    status.textContent = texts.moduleFailure + (error?.message ?? String(error)) + '\n' + texts.moduleFailureHint;
    document.body.dataset.ready = 'failed';
  });
})();
