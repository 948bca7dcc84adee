#include "form1.h"

#include "background_music.h"
#include "calculation_stop.h"
#include "compute.h"
#include "control_table.h"
#include "design_file.h"
#include "look.h"
#include "main_menu.h"
#include "materials_2010.h"
#include "paste_guard.h"
#include "pixels.h"
#include "sketch_view.h"
#include "startup.h"
#include "text_margins.h"
#include "wall_icon.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>

#include <exception>
#include <limits>
#include <map>
#include <vector>

namespace rampwall {

namespace {

QString qText(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QPalette captionPalette(QRgb textColour) {
    QPalette palette = windowPalette();
    palette.setColor(QPalette::WindowText, QColor(textColour));
    return palette;
}

// Text boxes and lists: orange-brown text on the pale blue of an inactive
// caption's text, the edit field and the drop-down button alike.
QPalette boxPalette() {
    QPalette palette = windowPalette();
    palette.setColor(QPalette::Base, QColor(kBoxBackground));
    palette.setColor(QPalette::Button, QColor(kBoxBackground));
    palette.setColor(QPalette::Text, QColor(kCaptionText));
    palette.setColor(QPalette::ButtonText, QColor(kCaptionText));
    palette.setColor(QPalette::WindowText, QColor(kCaptionText));
    return palette;
}

// A group frame drawn the classic way: an etched line around the controls,
// the caption sitting on its top edge, and the plain dialog face inside.
// Fusion's own frame puts the caption above the line and shades the inside,
// which would cut through the first row of controls placed at their twip
// positions and show the opaque labels as patches.
class EtchedFrame final : public QGroupBox {
public:
    using QGroupBox::QGroupBox;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const QFontMetrics metrics(font());
        const int lineTop = metrics.height() / 2;
        const QRect outline = rect().adjusted(0, lineTop, -2, -2);
        painter.setPen(palette().color(QPalette::Dark));
        painter.drawRect(outline);
        painter.setPen(palette().color(QPalette::Light));
        painter.drawRect(outline.translated(1, 1));

        const QString caption = title();
        const QRect captionRect(7, 0, metrics.horizontalAdvance(caption) + 4, metrics.height());
        painter.fillRect(captionRect, palette().color(QPalette::Window));
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(captionRect, Qt::AlignCenter | Qt::TextSingleLine, caption);
    }
};

} // namespace

Form1::Form1(QWidget* parent) : QWidget(parent) {
    installFontSubstitutes();
    setObjectName(qText(kFormName));
    setWindowTitle(qText(kWindowTitle));
    setWindowIcon(wallIcon());
    // A fixed single border: a title bar with minimise and close, no maximise,
    // and a size the user cannot drag.
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setPalette(windowPalette());
    setAutoFillBackground(true);
    setFont(controlFont(FontRole::Standard));
    // The controls sit on a client area of the original size; the menu bar
    // goes above it and the window grows by the bar's height.
    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("ClientArea"));
    m_client->setFixedSize(clientSizePixels());

    buildControls();
    guardPastes(*this);
    setTabOrderFromTable();
    connectCommands();
    Form_Load();
    watchInputsForEdits();
    // The menu bar, the design file and the remembered settings. It also
    // starts the hidden player once the lists are filled, as the last step
    // of opening the window, unless the music was switched off.
    new MainMenu(*this, m_client);
    listOf(Control::Combo1)->setFocus();
}

Form1::~Form1() = default;

void Form1::buildControls() {
    std::map<std::string_view, QWidget*> containers{{kFormName, m_client}};
    for (const ControlRow& row : kControlTable) {
        QWidget* container = containers.at(row.container);
        QWidget* widget = createControl(row, container);
        if (widget == nullptr) {
            continue;
        }
        widget->setObjectName(qText(row.name));
        widget->setGeometry(pixelRect(row.twips));
        widget->setFont(controlFont(fontRoleOf(row)));
        if (row.kind == ControlKind::Frame) {
            containers.emplace(row.name, widget);
        }
    }
}

QWidget* Form1::createControl(const ControlRow& row, QWidget* container) {
    switch (row.kind) {
    case ControlKind::Label:
    case ControlKind::CentredLabel: {
        auto* label = new QLabel(qText(row.text), container);
        label->setTextFormat(Qt::PlainText);
        label->setAutoFillBackground(true); // opaque, on the dialog face
        const bool credit = row.kind == ControlKind::CentredLabel;
        label->setAlignment(credit ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
        label->setPalette(captionPalette(credit ? kCreditText : kCaptionText));
        return label;
    }
    case ControlKind::TextBox: {
        auto* edit = new QLineEdit(container);
        edit->setMaxLength(std::numeric_limits<int>::max()); // a box has no length limit
        edit->setPalette(boxPalette());
        edit->setText(qText(row.text));
        keepClassicTextMargins(*edit);
        // Every box and list row carries its control: the table proves it at
        // compile time.
        m_lineEdits[slot(*row.control)] = edit;
        return edit;
    }
    case ControlKind::ReportBox: {
        m_report = new SheetBox(container);
        // A sheet line never wraps; the horizontal scroll bar reaches it.
        m_report->setLineWrapMode(QPlainTextEdit::NoWrap);
        m_report->setWordWrapMode(QTextOption::NoWrap);
        m_report->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        m_report->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        // Tab moves on to the next control, as in every other box.
        m_report->setTabChangesFocus(true);
        m_report->setPalette(boxPalette());
        m_report->setPlainText(qText(row.text));
        return m_report;
    }
    case ControlKind::List: {
        auto* list = new QComboBox(container);
        list->setEditable(true);
        // Typing neither completes nor adds an entry: what is typed stays as
        // typed and selects nothing.
        list->setCompleter(nullptr);
        list->setInsertPolicy(QComboBox::NoInsert);
        list->setPalette(boxPalette());
        m_lists[slot(*row.control)] = list;
        return list;
    }
    case ControlKind::Frame: {
        auto* frame = new EtchedFrame(qText(row.text), container);
        frame->setPalette(captionPalette(kCaptionText));
        return frame;
    }
    case ControlKind::Button: {
        auto* button = new QPushButton(qText(row.text), container);
        // No default button: Enter starts nothing, wherever the focus is.
        button->setAutoDefault(false);
        button->setDefault(false);
        if (row.name == "Command1") {
            m_command1 = button;
        } else if (row.name == "Command2") {
            m_command2 = button;
        } else {
            m_command3 = button;
        }
        return button;
    }
    case ControlKind::SketchArea: return new SketchView(container);
    case ControlKind::HiddenPlayer: return nullptr; // nothing to place; the constructor starts it after Form_Load
    }
    return nullptr;
}

void Form1::setTabOrderFromTable() {
    QWidget* previous = nullptr;
    for (const ControlRow* row : tabOrder()) {
        QWidget* widget = findChild<QWidget*>(qText(row->name));
        if (previous != nullptr) {
            QWidget::setTabOrder(previous, widget);
        }
        previous = widget;
    }
}

void Form1::connectCommands() {
    connect(m_command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(m_command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(m_command3, &QPushButton::clicked, this, &Form1::Command3_Click);
}

// Any edit of an input makes the last run's results belong to other inputs.
void Form1::watchInputsForEdits() {
    for (const design::DesignInput& input : design::kDesignInputs) {
        if (QComboBox* list = listOf(input.control)) {
            connect(list, &QComboBox::editTextChanged, this, &Form1::forgetCompletedRun);
            connect(list, &QComboBox::currentIndexChanged, this, &Form1::forgetCompletedRun);
        } else if (QLineEdit* edit = lineEditOf(input.control)) {
            connect(edit, &QLineEdit::textChanged, this, &Form1::forgetCompletedRun);
        }
    }
}

void Form1::forgetCompletedRun() {
    if (m_completedRun) {
        m_completedRun.reset();
        emit completedRunChanged();
    }
}

void Form1::setMessagePresenter(MessagePresenter presenter) { m_presenter = std::move(presenter); }

void Form1::setMusicOn(bool on) {
    if (on && m_music == nullptr) {
        // Not a widget: it shows nothing and plays by itself.
        m_music = new BackgroundMusic(BackgroundMusic::startupSource(), this);
    } else if (!on && m_music != nullptr) {
        delete m_music; // stops the sound at once
        m_music = nullptr;
    }
}

void Form1::clearResults() {
    m_state = DesignState{};
    forgetCompletedRun();
    for (const Control output : kWrittenBoxes) {
        replaceText(output, initialText(output));
    }
}

void Form1::setEdition(Edition edition) {
    if (edition == m_edition) {
        return;
    }
    QComboBox* steel = listOf(Control::Combo2);
    const int selected = selectedIndex(Control::Combo2);
    const QString typed = steel->currentText();
    const std::optional<int> mapped = steelIndexInEdition(selected, m_edition, edition);
    m_edition = edition;
    const QSignalBlocker quiet(steel);
    steel->clear();
    for (std::string_view entry : steelEntries(edition)) {
        appendEntry(Control::Combo2, entry);
    }
    if (mapped) {
        steel->setCurrentIndex(*mapped);
    } else {
        // Typed text stays as typed; a grade the edition lacks leaves none.
        steel->setCurrentIndex(-1);
        steel->setEditText(selected < 0 ? typed : QString());
    }
    showEdition();
    clearResults();
    emit codeChanged();
}

void Form1::setLoadFactors(const LoadFactors& factors) {
    if (factors == m_factors) {
        return;
    }
    m_factors = factors;
    // A book must not show results worked out with other factors.
    forgetCompletedRun();
    emit codeChanged();
}

void Form1::showEdition() {
    const bool edition2002 = m_edition == Edition::GB50010_2002;
    QString credit = qText(kCreditLine);
    if (!edition2002) {
        credit.replace(qText(editionTitle(Edition::GB50010_2002)), qText(editionTitle(m_edition)));
    }
    findChild<QLabel*>(QStringLiteral("Label15"))->setText(credit);
    QLineEdit* factorBox = lineEditOf(Control::Text5);
    factorBox->setEnabled(edition2002);
    factorBox->setToolTip(edition2002 ? QString() : qText(kLoadFactorBoxTip2010));
}

// ---- Handlers ----

void Form1::Form_Load() { fillLists(*this); }

void Form1::Command1_Click() {
    forgetCompletedRun();
    try {
        ComputeOptions options;
        options.edition = m_edition;
        options.factors = m_factors;
        const RunOutcome outcome = COMPUTE(m_state, *this, options);
        m_completedRun = book::CompletedRun::capture(outcome, m_state, *this);
        if (m_completedRun) {
            emit completedRunChanged();
        }
    } catch (const std::exception&) {
        // COMPUTE presents its own stops; anything else must still not take
        // the window down with it.
        showMessage(kUnexpectedFailureMessage, kNoticeTitle);
    }
}

void Form1::Command2_Click() { showMessage(kHelpText, kHelpTitle); }

void Form1::Command3_Click() { closeWindow(); }

// ---- Window operations ----

std::string Form1::readText(Control box) {
    if (QLineEdit* edit = lineEditOf(box)) {
        return edit->text().toStdString();
    }
    if (QComboBox* list = listOf(box)) {
        return list->currentText().toStdString();
    }
    // The report box keeps its lines apart with LF; its text is read with
    // CR LF, the way the sheet was written into it.
    QString text = m_report->toPlainText();
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return text.toStdString();
}

void Form1::replaceText(Control box, std::string_view text) {
    if (QLineEdit* edit = lineEditOf(box)) {
        edit->setText(qText(text));
        // Show a result from its first digit, not scrolled to its end.
        edit->setCursorPosition(0);
    } else if (QComboBox* list = listOf(box)) {
        list->setEditText(qText(text));
    } else {
        // The document takes CR LF as one line break, so the sheet goes in as
        // composed.
        m_report->setPlainText(qText(text));
    }
}

int Form1::selectedIndex(Control list) {
    // An entry counts as selected only while the list shows exactly its text;
    // anything typed over it leaves the list with no selection.
    const QComboBox* box = listOf(list);
    const int index = box->currentIndex();
    if (index < 0 || box->currentText() != box->itemText(index)) {
        return -1;
    }
    return index;
}

void Form1::showMessage(std::string_view text, std::string_view title) { m_presenter(this, qText(text), qText(title)); }

void Form1::appendEntry(Control list, std::string_view entry) { listOf(list)->addItem(qText(entry)); }

void Form1::selectEntry(Control list, int index) {
    QComboBox* box = listOf(list);
    if (index >= -1 && index < box->count()) {
        box->setCurrentIndex(index);
    }
}

void Form1::closeWindow() { close(); }

} // namespace rampwall
