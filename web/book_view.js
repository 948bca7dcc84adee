// The calculation book in the page: printed on A4 pages by the browser's
// print (to paper, or to a PDF file), and shown in the page by 打印预览. The
// book is whatever the module composes, as HTML with its own print rules:
// any kind of book goes the same way.
'use strict';

window.RampwallBookView = (() => {
  const byId = (id) => document.getElementById(id);
  let printing = null; // the title to put back after printing
  let asked = false; // a command sent this book to the printer

  // The sheet in one size for all its lines, as the desktop sets it: the
  // largest from its data-largest points down to data-smallest at which its
  // longest line fits the column, measured in the face this browser has; a
  // line longer still wraps.
  function fitSheets(root) {
    for (const sheet of root.querySelectorAll('.sheet[data-largest]')) {
      const largest = Number(sheet.dataset.largest);
      const smallest = Number(sheet.dataset.smallest);
      // Measured ten times as large: a screen rounds small glyphs' widths to
      // whole pixels, a printer does not.
      const ruler = document.createElement('div');
      ruler.className = 'book';
      ruler.style.cssText = `position:absolute;left:-10000px;top:0;visibility:hidden;font-size:${largest * 10}pt`;
      const line = document.createElement('span');
      line.style.whiteSpace = 'pre';
      ruler.append(line);
      document.body.append(ruler);
      let widest = 0;
      for (const text of sheet.querySelectorAll('p')) {
        line.textContent = text.textContent;
        widest = Math.max(widest, line.getBoundingClientRect().width);
      }
      widest /= 10;
      // The book's column, 165 mm, less a hair for the printer's rounding.
      const column = ruler.getBoundingClientRect().width * 0.99;
      ruler.remove();
      const points = widest <= column ? largest : Math.max(smallest, Math.floor(largest * column / widest * 10) / 10);
      sheet.style.fontSize = points + 'pt';
    }
  }

  // Puts the book where the print style sheet prints it from.
  function place(book) {
    byId('Book').innerHTML = book.html;
    fitSheets(byId('Book'));
  }

  // The print of the book instead of the window, until the print is over.
  // The browser names a PDF after the page's title: the book's name.
  function beginPrint(book) {
    place(book);
    document.body.classList.add('printing-book');
    if (printing === null) printing = document.title;
    document.title = book.name;
  }

  function endPrint() {
    asked = false;
    document.body.classList.remove('printing-book');
    if (printing !== null) document.title = printing;
    printing = null;
  }

  // The browser's print, of the book; afterprint puts the window back.
  function print(book) {
    beginPrint(book);
    asked = true;
    window.print();
  }

  // 打印预览: the book on A4-wide paper in a dialog over the window, with its
  // print button; resolves when it is closed.
  function preview(book, texts, onPrint) {
    return new Promise((resolve) => {
      const dialog = document.createElement('dialog');
      dialog.id = 'BookPreview';
      dialog.className = 'book-preview';
      dialog.setAttribute('aria-labelledby', 'BookPreviewTitle');
      const bar = document.createElement('div');
      bar.className = 'preview-bar';
      const title = document.createElement('span');
      title.id = 'BookPreviewTitle';
      title.textContent = texts.printPreviewTitle;
      const printButton = document.createElement('button');
      printButton.type = 'button';
      printButton.textContent = texts.printButton;
      const close = document.createElement('button');
      close.type = 'button';
      close.textContent = texts.closeButton;
      bar.append(title, printButton, close);
      const paper = document.createElement('div');
      paper.className = 'preview-paper';
      paper.innerHTML = book.html;
      fitSheets(paper);
      const sheets = document.createElement('div');
      sheets.className = 'preview-sheets';
      sheets.append(paper);
      dialog.append(bar, sheets);
      document.body.append(dialog);
      const finish = () => {
        dialog.close();
        dialog.remove();
        resolve();
      };
      close.addEventListener('click', finish);
      printButton.addEventListener('click', onPrint);
      dialog.addEventListener('cancel', (event) => {
        event.preventDefault();
        finish();
      });
      dialog.showModal();
      // A4 is wider than a phone: the paper shrinks to the screen's width.
      const room = sheets.clientWidth - 32;
      if (paper.offsetWidth > room && room > 0) paper.style.zoom = String(room / paper.offsetWidth);
      printButton.focus();
    });
  }

  window.addEventListener('afterprint', endPrint);
  // Whether the print under way is of a book a command chose (the ramp's),
  // which the browser's beforeprint must leave as it is.
  return {print, preview, beginPrint, endPrint, asked: () => asked};
})();
