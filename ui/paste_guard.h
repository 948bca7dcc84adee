// Pastes that only text may make. A box takes a paste when the clipboard holds
// text; anything else (nothing at all, an image, a file list) leaves the box
// as it was. Qt 6.4's multi-line box crashes when it pastes from an X
// clipboard that holds nothing, which is what a fresh session has, and every
// box would otherwise take a file list's addresses as typed text.
#pragma once

#include <QClipboard>
#include <QPlainTextEdit>

class QMimeData;

namespace rampwall {

// True when the data offers plain text, and not empty text.
bool holdsText(const QMimeData* data);

// The multi-line box. Every paste into it (keys, context menu, middle button)
// and every drop comes through these two.
class SheetBox final : public QPlainTextEdit {
    Q_OBJECT

public:
    using QPlainTextEdit::QPlainTextEdit;

protected:
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;
};

// Guards the single-line boxes and editable lists inside `window`, which
// paste with no such hook: the keyboard's paste keys, the context menu's
// Paste and the middle-button paste of the X selection.
void guardPastes(QWidget& window);

} // namespace rampwall
