#include "ui/text_margins.h"

#include <QEvent>
#include <QFontMetrics>
#include <QLineEdit>
#include <QStyle>

namespace rampwall {

namespace {

// Qt keeps this much room on each side inside a line edit's frame, which is
// the classic margin already.
constexpr int kQtTextMargin = 2;

void fitMargins(QLineEdit& box) {
    const int frame = box.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, &box);
    const int room = box.width() - 2 * (frame + kQtTextMargin);
    const bool fits = QFontMetrics(box.font()).horizontalAdvance(box.text()) <= room;
    const int margin = fits ? 0 : -1;
    if (box.textMargins().left() != margin) {
        box.setTextMargins(margin, 0, margin, 0);
    }
}

// Refits the margins when the text, the box's size or its font changes.
class MarginKeeper final : public QObject {
public:
    explicit MarginKeeper(QLineEdit& box) : QObject(&box), m_box(box) {
        connect(&box, &QLineEdit::textChanged, this, [this] { fitMargins(m_box); });
        box.installEventFilter(this);
        fitMargins(box);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &m_box && (event->type() == QEvent::Resize || event->type() == QEvent::FontChange)) {
            fitMargins(m_box);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QLineEdit& m_box;
};

} // namespace

void keepClassicTextMargins(QLineEdit& box) { new MarginKeeper(box); }

} // namespace rampwall
