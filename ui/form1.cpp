#include "ui/form1.h"

#include "calc/calculation_stop.h"
#include "calc/compute.h"
#include "calc/control_table.h"
#include "calc/input_table.h"
#include "ui/look.h"
#include "ui/main_menu.h"
#include "ui/media/background_music.h"
#include "ui/media/sketch_view.h"
#include "ui/media/wall_icon.h"
#include "ui/paste_guard.h"
#include "ui/pixels.h"
#include "ui/text_margins.h"

#include <QComboBox>
#include <QDate>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>

#include <algorithm>
#include <exception>
#include <map>
#include <utility>
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

Form1::Form1(QWidget* parent) : QWidget(parent), m_document(QDate::currentDate().toString(Qt::ISODate).toStdString()) {
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
    connect(this, &Form1::documentChanged, this, &Form1::showStaleResults);
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
        // As much as a text box holds on the platform the window imitates:
        // a longer paste is cut there, and a full window still makes a
        // design file the window opens again.
        edit->setMaxLength(design::kMaxBoxCharacters);
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
        list->lineEdit()->setMaxLength(design::kMaxBoxCharacters);
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

// Every edit of an input goes into the document, as typed.
void Form1::watchInputsForEdits() {
    for (const InputRow& input : kInputs) {
        const Control control = input.control;
        if (QComboBox* list = listOf(control)) {
            connect(list, &QComboBox::editTextChanged, this,
                    [this, control](const QString& text) { typed(control, text); });
            connect(list, &QComboBox::currentIndexChanged, this,
                    [this, control](int index) { chosen(control, index); });
        } else {
            connect(lineEditOf(control), &QLineEdit::textChanged, this,
                    [this, control](const QString& text) { typed(control, text); });
        }
    }
}

void Form1::typed(Control input, const QString& text) {
    m_document.type(input, text.toStdString());
    if (QComboBox* list = listOf(input)) {
        // Text that is an entry selects it, in the list as in the document.
        // The text stays as typed: the entry's is the same.
        const int shown = m_document.form().shownEntry(input);
        if (shown >= 0 && list->currentIndex() != shown) {
            const QSignalBlocker quiet(list);
            list->setCurrentIndex(shown);
        }
    }
    emit documentChanged();
}

// An entry chosen from the list; its text has come as an edit already, but
// choosing the entry a file's free text reads changes no text.
void Form1::chosen(Control list, int index) {
    if (m_document.form().shownEntry(list) != index) {
        m_document.choose(list, index);
        emit documentChanged();
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

void Form1::showDesign(const design::DesignFile& design, const std::string& path) {
    const CodeEdition* edition = &m_document.edition();
    const FactorValues factors = m_document.factors();
    m_document.show(design, path);
    showForm();
    showEdition();
    if (edition != &m_document.edition() || factors != m_document.factors()) {
        emit codeChanged();
    }
    emit documentChanged();
}

void Form1::markSaved(const std::string& path) {
    m_document.markSaved(path);
    emit documentChanged();
}

void Form1::setProject(const design::ProjectInfo& project) {
    m_document.setProject(project);
    emit documentChanged();
}

void Form1::setEdition(const CodeEdition& edition) {
    if (&edition == &m_document.edition()) {
        return;
    }
    m_document.setEdition(edition);
    showForm();
    showEdition();
    emit codeChanged();
    emit documentChanged();
}

void Form1::setRamp(const ramp::RampInput& ramp) {
    if (m_document.ramp() == ramp) {
        return;
    }
    m_document.setRamp(ramp);
    emit documentChanged();
}

void Form1::setFactors(const FactorValues& factors) {
    if (factors == m_document.factors()) {
        return;
    }
    // The last run stops counting for a book: it was worked out with others.
    m_document.setFactors(factors);
    emit codeChanged();
    emit documentChanged();
}

QWidget* Form1::widgetOf(Control control) const {
    if (QLineEdit* edit = lineEditOf(control)) {
        return edit;
    }
    if (QComboBox* list = listOf(control)) {
        return list;
    }
    return m_report;
}

void Form1::showForm() {
    const HeadlessWindow& form = m_document.form();
    for (const Control control : kAllControls) {
        const QSignalBlocker quiet(widgetOf(control));
        QComboBox* list = listOf(control);
        if (list == nullptr) {
            // A box already showing the text keeps its cursor and its undo.
            if (readText(control) != form.text(control)) {
                replaceText(control, form.text(control));
            }
            continue;
        }
        const std::vector<std::string>& entries = form.entries(control);
        bool sameEntries = std::cmp_equal(list->count(), entries.size());
        for (int i = 0; sameEntries && i < list->count(); ++i) {
            sameEntries = list->itemText(i) == qText(entries[static_cast<std::size_t>(i)]);
        }
        if (!sameEntries) {
            list->clear();
            for (const std::string& entry : entries) {
                list->addItem(qText(entry));
            }
        }
        // No entry for free text, even text that reads as one: the design
        // file said so.
        const int shown = form.shownEntry(control);
        if (list->currentIndex() != shown) {
            list->setCurrentIndex(shown);
        }
        const QString text = qText(form.text(control));
        if (list->currentText() != text) {
            list->setEditText(text);
        }
    }
}

void Form1::showEdition() {
    const CodeEdition& edition = m_document.edition();
    findChild<QLabel*>(QStringLiteral("Label15"))->setText(qText(creditLine(edition)));
    for (const InputRow& input : kInputs) {
        QWidget* widget = widgetOf(input.control);
        widget->setEnabled(usesInput(edition, input.control));
        widget->setToolTip(qText(unusedTip(edition, input.control)));
    }
}

// ---- Handlers ----

// The lists filled and every box as the document opens.
void Form1::Form_Load() {
    showForm();
    showEdition();
}

void Form1::Command1_Click() {
    try {
        const RunResult result = m_document.compute();
        // The book commands follow the run before its messages are shown.
        emit documentChanged();
        replay(result, *this);
    } catch (const std::exception&) {
        // A run presents its own stops; anything else must still not take
        // the window down with it.
        emit documentChanged();
        showMessage(kUnexpectedFailureMessage, kNoticeTitle);
    }
}

void Form1::showStaleResults() {
    const std::vector<Control> stale = m_document.staleBoxes();
    for (const Control box : kWrittenBoxes) {
        QWidget* widget = box == Control::Text12 ? static_cast<QWidget*>(m_report) : lineEditOf(box);
        const bool grey = std::find(stale.begin(), stale.end(), box) != stale.end();
        QPalette palette = widget->palette();
        const QColor text(grey ? kStaleText : kCaptionText);
        if (palette.color(QPalette::Text) != text) {
            palette.setColor(QPalette::Text, text);
            widget->setPalette(palette);
        }
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
