// The window's message box: modal, one OK button, no icon, a title and a
// multi-line text.
#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace rampwall {

// Shows a message and returns once it is closed. Tests put a recorder in its
// place so that no modal box blocks them.
using MessagePresenter = std::function<void(QWidget* parent, const QString& text, const QString& title)>;

void showModalMessage(QWidget* parent, const QString& text, const QString& title);

} // namespace rampwall
