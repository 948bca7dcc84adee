#include "ui/paste_guard.h"

#include <QAction>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>

#include <algorithm>

namespace rampwall {

namespace {

bool clipboardHoldsText(QClipboard::Mode mode) { return holdsText(QGuiApplication::clipboard()->mimeData(mode)); }

// Ctrl+Shift+Insert pastes the X selection, the other paste keys the
// clipboard, as the boxes themselves decide.
QClipboard::Mode modeOf(const QKeyEvent& key) {
    const bool selection = key.key() == Qt::Key_Insert &&
                           key.modifiers() == (Qt::ControlModifier | Qt::ShiftModifier) &&
                           QGuiApplication::clipboard()->supportsSelection();
    return selection ? QClipboard::Selection : QClipboard::Clipboard;
}

// The box's own menu, its Paste entry rewired: Qt's entry pastes whatever the
// clipboard holds by the time it is chosen, which may no longer be what it
// held when the menu opened.
void showMenu(QLineEdit* edit, const QPoint& where) {
    QMenu* menu = edit->createStandardContextMenu();
    for (QAction* entry : menu->actions()) {
        // Qt 6.4 connects the entry by name; later versions by member.
        if (QObject::disconnect(entry, SIGNAL(triggered()), edit, SLOT(paste())) ||
            QObject::disconnect(entry, &QAction::triggered, edit, &QLineEdit::paste)) {
            entry->setEnabled(entry->isEnabled() && clipboardHoldsText(QClipboard::Clipboard));
            QObject::connect(entry, &QAction::triggered, edit, [edit] {
                if (clipboardHoldsText(QClipboard::Clipboard)) {
                    edit->paste();
                }
            });
        }
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(where);
}

class PasteGuard final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // A list takes the keys and its menu event itself and hands them to
        // its line edit directly, past any filter there.
        auto* list = qobject_cast<QComboBox*>(watched);
        QLineEdit* edit = list != nullptr ? list->lineEdit() : qobject_cast<QLineEdit*>(watched);
        if (edit == nullptr) {
            return false;
        }
        bool handled = false;
        switch (event->type()) {
        case QEvent::KeyPress: {
            const auto& key = static_cast<const QKeyEvent&>(*event);
            handled = key.matches(QKeySequence::Paste) && !clipboardHoldsText(modeOf(key));
            break;
        }
        case QEvent::MouseButtonRelease:
            handled = watched == edit && static_cast<const QMouseEvent&>(*event).button() == Qt::MiddleButton &&
                      QGuiApplication::clipboard()->supportsSelection() && !clipboardHoldsText(QClipboard::Selection);
            break;
        case QEvent::ContextMenu:
            // A list's line edit leaves its menu to the list.
            if (static_cast<QWidget*>(watched)->contextMenuPolicy() == Qt::DefaultContextMenu) {
                showMenu(edit, static_cast<const QContextMenuEvent&>(*event).globalPos());
                handled = true;
            }
            break;
        default: break;
        }
        if (handled) {
            event->accept();
        }
        return handled;
    }
};

} // namespace

bool holdsText(const QMimeData* data) {
    // Copied files come with their addresses as text too, and a file list
    // answers text() with them even without.
    if (data == nullptr || data->hasUrls()) {
        return false;
    }
    const QStringList formats = data->formats();
    const bool plain = std::any_of(formats.begin(), formats.end(), [](const QString& format) {
        return format.startsWith(QLatin1String("text/plain"));
    });
    return plain && !data->text().isEmpty();
}

bool SheetBox::canInsertFromMimeData(const QMimeData* source) const {
    return holdsText(source) && QPlainTextEdit::canInsertFromMimeData(source);
}

void SheetBox::insertFromMimeData(const QMimeData* source) {
    if (holdsText(source)) {
        QPlainTextEdit::insertFromMimeData(source);
    }
}

void guardPastes(QWidget& window) {
    auto* guard = new PasteGuard(&window);
    for (QLineEdit* edit : window.findChildren<QLineEdit*>()) {
        edit->installEventFilter(guard);
    }
    for (QComboBox* list : window.findChildren<QComboBox*>()) {
        list->installEventFilter(guard);
    }
}

} // namespace rampwall
