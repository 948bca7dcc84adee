// The window's behaviour in the page. The calculation is the WebAssembly
// module (rampwall.js); the page keeps what the user sees in its elements and
// hands the inputs to the module for each command, as the desktop window's
// operations do. Every text the window shows comes from index.html, which is
// generated from the control table.
'use strict';

(function () {
  const texts = JSON.parse(document.getElementById('WindowTexts').textContent);
  const byId = (id) => document.getElementById(id);
  const storageKey = 'rampwall.edition';
  const factorsKey = 'rampwall.loadFactors';

  let module = null;
  let calculator = null; // the module's window
  let fileName = ''; // the design file's name, once opened or saved
  let busy = false; // a command is waiting on a message box
  let closed = false;

  // ---- Message boxes ----

  // One box at a time: a message asked for while another shows waits its
  // turn, as the calculation's messages come one after another.
  let boxTurn = Promise.resolve();

  // Shows a box with the buttons given; resolves to the index of the one
  // pressed, or of `escape` for Esc.
  function ask(title, text, buttons, escape) {
    const turn = boxTurn.then(() => new Promise((resolve) => {
      const box = byId('MessageBox');
      byId('MessageBoxTitle').textContent = title;
      byId('MessageBoxText').textContent = text.replace(/\r\n/g, '\n');
      const row = byId('MessageBoxButtons');
      row.replaceChildren();
      const finish = (index) => {
        box.removeEventListener('cancel', onCancel);
        box.close();
        resolve(index);
      };
      const onCancel = (event) => {
        event.preventDefault();
        finish(escape);
      };
      box.addEventListener('cancel', onCancel);
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

  const showMessage = (text, title) => ask(title, text, ['确定'], 0);

  // ---- The lists ----

  // An editable drop-down list. What is typed stays as typed; the list has
  // an entry selected only while its text is exactly the chosen entry's.
  class List {
    constructor(edit) {
      this.edit = edit;
      this.popup = byId(edit.id + '-entries');
      this.entries = [];
      this.chosen = -1;
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

    fill(entries, selected, text) {
      this.entries = entries;
      this.popup.replaceChildren(...entries.map((entry, index) => {
        const item = document.createElement('li');
        item.textContent = entry;
        item.role = 'option';
        item.dataset.index = String(index);
        return item;
      }));
      this.chosen = selected;
      this.edit.value = text;
    }

    selectedIndex() {
      return this.chosen >= 0 && this.edit.value === this.entries[this.chosen] ? this.chosen : -1;
    }

    choose(index) {
      if (index < 0 || index >= this.entries.length) return;
      this.chosen = index;
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
        const from = this.chosen < 0 ? (down ? -1 : this.entries.length) : this.chosen;
        this.choose(Math.max(0, Math.min(from + (down ? 1 : -1), this.entries.length - 1)));
      }
    }
  }

  const lists = new Map();
  const controlNames = () => calculator.controlNames;
  const isList = (name) => lists.has(name);

  // ---- Between the elements and the module ----

  function pushInputs() {
    for (const name of controlNames()) {
      if (isList(name)) {
        const list = lists.get(name);
        // The index first: leaving a list at -1 blanks its text.
        calculator.selectIndex(name, list.selectedIndex());
        calculator.setText(name, list.edit.value);
      } else if (name !== 'Text12') {
        calculator.setText(name, byId(name).value);
      }
    }
  }

  // After the module changed the window itself: an edition or a design.
  function pullInputs() {
    for (const name of controlNames()) {
      if (isList(name)) {
        lists.get(name).fill(calculator.entries(name), calculator.selectedIndex(name), calculator.text(name));
      } else if (name !== 'Text12') {
        byId(name).value = calculator.text(name);
      }
    }
  }

  // Classic 3-px margins, narrowed to 1 px for a text that would be cut
  // off: the seven-digit areas just fit then, as on the desktop.
  function fitMargins(box) {
    box.classList.remove('tight');
    if (box.scrollWidth > box.clientWidth) box.classList.add('tight');
  }

  function writeBox(name, text) {
    const box = byId(name);
    box.value = text;
    if (name !== 'Text12') fitMargins(box);
    if (name === 'Text12') {
      box.scrollTop = 0;
      box.scrollLeft = 0;
    }
  }

  function clearResults() {
    for (const [name, text] of Object.entries(texts.resultBoxes)) writeBox(name, text);
  }

  function showEdition() {
    const edition2002 = calculator.edition() === texts.editions[0].key;
    const title = texts.editions.find((edition) => edition.key === calculator.edition()).title;
    byId('Label15').textContent = texts.credit.replace(texts.editions[0].title, title);
    const factorBox = byId('Text5');
    factorBox.disabled = !edition2002;
    factorBox.title = edition2002 ? '' : texts.loadFactorBoxTip2010;
    menuBar.refresh();
  }

  function showCaption() {
    pushInputs();
    const modified = calculator.isModified();
    document.title = texts.title + (fileName ? ' - ' + fileName : '') + (modified ? '*' : '');
    return modified;
  }

  // ---- Commands ----

  // 计算: the run's writes and messages in the order the desktop window
  // receives them; a message holds back what comes after it until closed.
  async function compute() {
    if (busy) return;
    busy = true;
    try {
      pushInputs();
      const run = calculator.compute();
      for (const event of run.events) {
        if (event.box) {
          writeBox(event.box, event.text);
        } else {
          await showMessage(event.text, event.title);
        }
      }
      if (run.outcome === 'failed') await showMessage(texts.failure, texts.noticeTitle);
    } finally {
      busy = false;
    }
  }

  const help = () => showMessage(texts.helpText, texts.helpTitle);

  // 保存 / 不保存 / 取消 when the design has changed; true when the caller
  // may go on and drop it.
  async function maybeSave() {
    if (!showCaption()) return true;
    const question = fileName ? `设计“${fileName}”已经修改，要保存吗？` : '当前设计已经修改，要保存吗？';
    const answer = await ask(texts.title, question, ['保存', '不保存', '取消'], 2);
    if (answer === 0) return saveDesign();
    return answer === 1;
  }

  async function openFile(file) {
    // More than a design can hold is not read: the module names the size.
    const bytes = new Uint8Array(await file.slice(0, texts.maxFileBytes + 1).arrayBuffer());
    const result = calculator.openDesign(file.name, bytes, file.size);
    if (result.error) {
      await showMessage(result.error, texts.noticeTitle);
      return false;
    }
    fileName = file.name;
    pullInputs();
    showEdition();
    clearResults();
    showCaption();
    if (result.notes) await showMessage(result.notes, texts.noticeTitle);
    return true;
  }

  async function openDesign() {
    if (!(await maybeSave())) return;
    const picker = byId('DesignFilePicker');
    picker.value = '';
    const chosen = new Promise((resolve) => {
      picker.onchange = () => resolve(picker.files[0] || null);
      picker.oncancel = () => resolve(null);
    });
    picker.click();
    const file = await chosen;
    if (file) await openFile(file);
  }

  // The design as the file format has it, offered as a download (or written
  // where the user picks, in browsers that let a page save a file).
  async function saveDesign() {
    pushInputs();
    const name = fileName || '未命名' + texts.fileSuffix;
    const text = calculator.designText();
    const blob = new Blob([text], {type: 'application/x-rampwall'});
    if (typeof window.showSaveFilePicker === 'function') {
      try {
        const handle = await window.showSaveFilePicker({
          suggestedName: name,
          types: [{description: '坡道外墙设计', accept: {'application/x-rampwall': [texts.fileSuffix]}}],
        });
        // The browser writes beside the file and swaps it in on close.
        const writable = await handle.createWritable();
        await writable.write(blob);
        await writable.close();
        fileName = handle.name;
      } catch (error) {
        if (error.name !== 'AbortError') {
          await showMessage(`设计文件“${name}”无法保存：${error.message}`, texts.noticeTitle);
        }
        showCaption();
        return false;
      }
    } else {
      const link = document.createElement('a');
      link.href = URL.createObjectURL(blob);
      link.download = name;
      document.body.append(link);
      link.click();
      link.remove();
      setTimeout(() => URL.revokeObjectURL(link.href), 60000);
      fileName = name;
    }
    calculator.markSaved();
    showCaption();
    return true;
  }

  async function setEdition(key) {
    if (key === calculator.edition()) return;
    pushInputs();
    calculator.setEdition(key);
    pullInputs();
    clearResults();
    showEdition();
    showCaption();
    remember(storageKey, key);
  }

  // The edition and the factors are kept for the next visit, where the
  // browser keeps anything; a page without storage starts from the defaults.
  function remember(key, value) {
    try {
      localStorage.setItem(key, value);
    } catch (error) {
      // nothing to keep it in
    }
  }

  function remembered(key) {
    try {
      return localStorage.getItem(key);
    } catch (error) {
      return null;
    }
  }

  // A small form in a dialog: rows of caption, box and a grey note; resolves
  // to the boxes' texts, or null when cancelled. `check` may refuse them with
  // {field, message}.
  function formDialog(title, rows, note, check, wide) {
    return new Promise((resolve) => {
      const dialog = document.createElement('dialog');
      dialog.id = title === '荷载系数' ? 'LoadFactorsDialog' : 'ProjectInfoDialog';
      const heading = document.createElement('div');
      heading.className = 'dialog-title';
      heading.textContent = title;
      const form = document.createElement('div');
      form.className = 'dialog-form' + (wide ? ' wide' : '');
      const boxes = rows.map((row) => {
        const label = document.createElement('label');
        label.textContent = row.caption + '：';
        const box = document.createElement('input');
        box.type = 'text';
        box.id = dialog.id + '-' + row.key;
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
        return box;
      });
      const buttons = document.createElement('div');
      buttons.className = 'dialog-buttons';
      const ok = document.createElement('button');
      ok.type = 'button';
      ok.textContent = '确定';
      const cancel = document.createElement('button');
      cancel.type = 'button';
      cancel.textContent = '取消';
      buttons.append(ok, cancel);
      dialog.append(heading, form);
      if (note) {
        const paragraph = document.createElement('p');
        paragraph.className = 'dialog-note';
        paragraph.textContent = note;
        dialog.append(paragraph);
      }
      dialog.append(buttons);
      document.body.append(dialog);
      const finish = (result) => {
        dialog.close();
        dialog.remove();
        resolve(result);
      };
      ok.addEventListener('click', async () => {
        const values = boxes.map((box) => box.value);
        const problem = check(values);
        if (problem) {
          await showMessage(problem.message, texts.noticeTitle);
          boxes[problem.field].focus();
          boxes[problem.field].select();
          return;
        }
        finish(values);
      });
      cancel.addEventListener('click', () => finish(null));
      dialog.addEventListener('cancel', (event) => {
        event.preventDefault();
        finish(null);
      });
      dialog.addEventListener('keydown', (event) => {
        if (event.key === 'Enter' && event.target.tagName === 'INPUT') ok.click();
      });
      dialog.showModal();
      boxes[0].focus();
      boxes[0].select();
    });
  }

  async function editLoadFactors() {
    const rows = calculator.loadFactors().map((field) => ({...field, value: String(field.value)}));
    const values =
        await formDialog('荷载系数', rows, texts.loadFactorNote, (typed) => calculator.setLoadFactors(typed), false);
    if (values) remember(factorsKey, JSON.stringify(values));
    showCaption();
  }

  // 新建: the start-up design in the edition and with the factors the page
  // has now, after the question about unsaved changes.
  async function newDesign() {
    if (!(await maybeSave())) return;
    const factors = calculator.loadFactors().map((field) => String(field.value));
    calculator = module.openWindow({edition: calculator.edition(), today: today(), factors});
    fileName = '';
    pullInputs();
    clearResults();
    showEdition();
    showCaption();
  }

  async function editProjectInfo() {
    const info = calculator.projectInfo();
    const rows = texts.projectFields.map((field) => ({key: field.key, caption: field.label, value: info[field.key]}));
    const values = await formDialog('工程信息', rows, '', () => null, true);
    if (values) {
      const edited = {};
      texts.projectFields.forEach((field, index) => { edited[field.key] = values[index]; });
      calculator.setProjectInfo(edited);
      showCaption();
    }
  }

  function about() {
    return showMessage(`${texts.title}\n版本 ${texts.version}\n\n${texts.credit}\n\n许可证：MIT\n` +
                       '网页版：计算在本机的浏览器中进行，不连网络', '关于' + texts.title);
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

  // ---- The menu bar ----

  const menuBar = (() => {
    const bar = byId('MenuBar');
    const editionItems = texts.editions.map((edition) => ({
      id: 'actionEdition' + edition.key,
      text: edition.title,
      checked: () => calculator.edition() === edition.key,
      run: () => setEdition(edition.key),
    }));
    const menus = [
      {id: 'FileMenu', title: '文件(F)', key: 'f', items: [
        {id: 'actionNew', text: '新建(N)', run: newDesign},
        {id: 'actionOpen', text: '打开(O)…', shortcut: 'Ctrl+O', run: openDesign},
        {id: 'actionSave', text: '保存(S)…', shortcut: 'Ctrl+S', run: saveDesign},
        null,
        {id: 'actionProjectInfo', text: '工程信息(I)…', run: editProjectInfo},
        null,
        {id: 'actionExit', text: '退出(X)', run: exit},
      ]},
      {id: 'CodeMenu', title: '规范(G)', key: 'g', items: [
        ...editionItems,
        null,
        {id: 'actionLoadFactors', text: '荷载系数(F)…', run: editLoadFactors},
      ]},
      {id: 'HelpMenu', title: '帮助(H)', key: 'h', items: [
        {id: 'actionHelp', text: '使用说明(U)', shortcut: 'F1', run: help},
        {id: 'actionAbout', text: '关于(A)', run: about},
      ]},
    ];
    let open = null;
    const close = () => {
      if (!open) return;
      open.element.classList.remove('open');
      open.list.hidden = true;
      open = null;
    };
    const show = (menu) => {
      close();
      open = menu;
      menu.element.classList.add('open');
      menu.list.hidden = false;
      refresh();
      menu.list.querySelector('button')?.focus();
    };
    const refresh = () => {
      for (const menu of menus) {
        for (const item of menu.items) {
          if (item && item.checked) item.button.setAttribute('aria-checked', String(item.checked()));
        }
      }
    };
    for (const menu of menus) {
      menu.element = document.createElement('div');
      menu.element.className = 'menu';
      menu.element.id = menu.id;
      const title = document.createElement('button');
      title.type = 'button';
      title.className = 'menu-title';
      title.tabIndex = -1;
      title.textContent = menu.title;
      title.addEventListener('mousedown', (event) => {
        event.preventDefault();
        if (open === menu) close(); else show(menu);
      });
      title.addEventListener('mouseenter', () => { if (open && open !== menu) show(menu); });
      menu.list = document.createElement('div');
      menu.list.className = 'menu-items';
      menu.list.role = 'menu';
      menu.list.hidden = true;
      for (const item of menu.items) {
        if (!item) {
          menu.list.append(document.createElement('hr'));
          continue;
        }
        const button = document.createElement('button');
        button.type = 'button';
        button.id = item.id;
        button.role = item.checked ? 'menuitemradio' : 'menuitem';
        button.tabIndex = -1;
        const caption = document.createElement('span');
        caption.textContent = item.text;
        button.append(caption);
        if (item.shortcut) {
          const shortcut = document.createElement('span');
          shortcut.className = 'shortcut';
          shortcut.textContent = item.shortcut;
          button.append(shortcut);
        }
        button.addEventListener('click', () => {
          close();
          item.run();
        });
        item.button = button;
        menu.list.append(button);
      }
      menu.list.addEventListener('keydown', (event) => {
        const buttons = [...menu.list.querySelectorAll('button')];
        const at = buttons.indexOf(document.activeElement);
        if (event.key === 'ArrowDown' || event.key === 'ArrowUp') {
          event.preventDefault();
          const step = event.key === 'ArrowDown' ? 1 : buttons.length - 1;
          buttons[(at + step) % buttons.length].focus();
        } else if (event.key === 'ArrowRight' || event.key === 'ArrowLeft') {
          event.preventDefault();
          const index = menus.indexOf(menu) + (event.key === 'ArrowRight' ? 1 : menus.length - 1);
          show(menus[index % menus.length]);
        } else if (event.key === 'Escape') {
          event.preventDefault();
          close();
        }
      });
      menu.element.append(title, menu.list);
      bar.append(menu.element);
    }
    document.addEventListener('mousedown', (event) => {
      if (open && !open.element.contains(event.target)) close();
    });
    // Alt and the underlined letter open a menu; the shortcuts run commands.
    document.addEventListener('keydown', (event) => {
      if (!calculator || busy || document.querySelector('dialog[open]')) return;
      const key = event.key.toLowerCase();
      const menu = event.altKey && !event.ctrlKey && menus.find((candidate) => candidate.key === key);
      if (menu) {
        event.preventDefault();
        show(menu);
      } else if (event.ctrlKey && !event.altKey && (key === 'o' || key === 's')) {
        event.preventDefault();
        (key === 'o' ? openDesign : saveDesign)();
      } else if (event.key === 'F1') {
        event.preventDefault();
        help();
      }
    });
    return {refresh};
  })();

  // ---- Start-up ----

  function today() {
    const now = new Date();
    const two = (n) => String(n).padStart(2, '0');
    return `${now.getFullYear()}-${two(now.getMonth() + 1)}-${two(now.getDate())}`;
  }

  function rememberedEdition() {
    const key = remembered(storageKey);
    return texts.editions.some((edition) => edition.key === key) ? key : texts.editions[0].key;
  }

  // The texts last accepted; the module keeps its defaults for anything else.
  function rememberedFactors() {
    try {
      const factors = JSON.parse(remembered(factorsKey));
      return Array.isArray(factors) ? factors.map(String) : undefined;
    } catch (error) {
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
    byId('Form1').addEventListener('input', (event) => {
      if (event.target.classList.contains('box')) fitMargins(event.target);
      showCaption();
    });
    // A design file dropped anywhere on the page opens.
    document.addEventListener('dragover', (event) => event.preventDefault());
    document.addEventListener('drop', async (event) => {
      event.preventDefault();
      const file = event.dataTransfer.files[0];
      if (file && !busy && (await maybeSave())) await openFile(file);
    });
    window.addEventListener('beforeunload', (event) => {
      if (!closed && calculator && showCaption()) event.preventDefault();
    });
  }

  // The module over the wasm that load_wasm.js set on its way: compiled as
  // it streams in when served, from its bytes when opened from a disk.
  async function instantiate(imports) {
    const wasm = await window.rampwallWasm;
    if (!(wasm instanceof Response)) return (await WebAssembly.instantiate(wasm, imports)).instance;
    if (!wasm.ok) throw new Error(`rampwall.wasm: ${wasm.status}`);
    try {
      return (await WebAssembly.instantiateStreaming(wasm.clone(), imports)).instance;
    } catch (error) {
      // A server that does not say application/wasm: compiled once it is all here.
      return (await WebAssembly.instantiate(await wasm.arrayBuffer(), imports)).instance;
    }
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

  async function start() {
    module = await loadModule();
    calculator = module.openWindow({edition: rememberedEdition(), today: today(), factors: rememberedFactors()});
    wireControls();
    // Form_Load: the lists filled with their first entries selected.
    pullInputs();
    showEdition();
    showCaption();
    byId('Combo1').focus();
    // For scripts and tests: the calculation behind the page.
    window.rampwallPage = {module, calculator: () => calculator, compute};
    document.body.dataset.ready = 'true';
    // The sketch last: laying out its text takes the browser longer than
    // anything else the page shows, and the controls need none of it.
    for (const picture of document.querySelectorAll('img[data-src]')) picture.src = picture.dataset.src;
  }

  start().catch((error) => {
    document.body.dataset.ready = 'failed';
    showMessage('计算模块无法载入：' + error.message, texts.noticeTitle);
  });
})();
