#include "ui/ramp_dialog.h"

#include "book/ramp_book.h"
#include "book/ramp_painter.h"
#include "calc/calculation_stop.h"
#include "calc/ramp/ramp_drawing.h"
#include "calc/ramp/ramp_table.h"
#include "calc/window_texts.h"
#include "cli/schedule_workbook.h"
#include "ui/form1.h"

#include <QAbstractTableModel>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <variant>

namespace rampwall {

namespace {

constexpr int kDrawingFontPixels = 12;

QString qText(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QString chooseFile(QWidget* parent, const QString& title, const QString& start, const QString& filter) {
    return QFileDialog::getSaveFileName(parent, title, start, filter);
}

// The dialog's boxes are the design file's ramp keys, in the same order.
static_assert(kRampBoxes.size() == design::kRampFields.size());

const QColor kPass(0, 110, 40);
const QColor kFail(190, 0, 0);
const QColor kQuiet(90, 90, 90);

} // namespace

// The schedule's rows as the table shows them: a model, so that a redesign
// replaces a few strings and the view paints only the rows in sight.
class RampTableModel final : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    void show(const ramp::Schedule* schedule) {
        beginResetModel();
        m_rows.clear();
        if (schedule != nullptr) {
            m_rows.reserve(schedule->segments.size());
            for (std::size_t i = 0; i < schedule->segments.size(); ++i) {
                const ramp::SegmentDesign& segment = schedule->segments[i];
                m_rows.push_back({ramp::tableRow(*schedule, i), segment.status, segment.messages()});
            }
        }
        endResetModel();
    }

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(kRampTableHeaders.size());
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid()) {
            return {};
        }
        const Row& row = m_rows[static_cast<std::size_t>(index.row())];
        switch (role) {
        case Qt::DisplayRole: return qText(row.cells[static_cast<std::size_t>(index.column())]);
        case Qt::TextAlignmentRole: return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
        case Qt::ToolTipRole: return row.messages.empty() ? QVariant() : QVariant(qText(row.messages));
        case Qt::ForegroundRole:
            if (index.column() == kVerdictColumn) {
                return row.status == ramp::SegmentStatus::Ok     ? kPass
                       : row.status == ramp::SegmentStatus::None ? kQuiet
                                                                 : kFail;
            }
            return {};
        default: return {};
        }
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
            static_cast<std::size_t>(section) < kRampTableHeaders.size()) {
            return qText(kRampTableHeaders[static_cast<std::size_t>(section)]);
        }
        return QAbstractTableModel::headerData(section, orientation, role);
    }

private:
    static constexpr int kVerdictColumn = 8; // 结论
    struct Row {
        std::array<std::string, 11> cells;
        ramp::SegmentStatus status;
        std::string messages;
    };
    std::vector<Row> m_rows;
};

RampDrawingView::RampDrawingView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("RampDrawing"));
    setMinimumHeight(230);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::white);
    setPalette(palette);
}

void RampDrawingView::show(const ramp::Schedule* schedule) {
    m_schedule = schedule;
    update();
}

void RampDrawingView::paintEvent(QPaintEvent*) {
    if (m_schedule == nullptr) {
        return;
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QFont font = this->font();
    font.setPixelSize(kDrawingFontPixels);
    painter.setFont(font);
    const ramp::Drawing drawing = ramp::drawRamp(*m_schedule, width(), height(), kDrawingFontPixels);
    book::paintRampDrawing(
        painter, drawing, QPointF(0, 0),
        [](QPainter& p, QPointF at, const QString& text, ramp::Anchor anchor, const QColor& colour) {
            const double width = p.fontMetrics().horizontalAdvance(text);
            const double shift = anchor == ramp::Anchor::Start ? 0 : anchor == ramp::Anchor::Middle ? width / 2 : width;
            p.setPen(colour);
            p.drawText(QPointF(at.x() - shift, at.y()), text);
        });
}

RampDialog::RampDialog(Form1& form) : QDialog(&form), m_form(form), m_chooser(chooseFile) {
    setObjectName(QStringLiteral("RampDialog"));
    setWindowTitle(qText(kRampTitle));
    const design::DesignDocument& document = form.document();
    const ramp::RampInput start = document.ramp().value_or(ramp::startupRamp());

    auto* inputs = new QFormLayout;
    for (std::size_t i = 0; i < kRampBoxes.size(); ++i) {
        auto* box = new QLineEdit(qText(start.*design::kRampFields[i].member), this);
        box->setObjectName(qText(kRampBoxes[i].name));
        box->setToolTip(qText(kRampBoxes[i].tip));
        box->setMaxLength(200);
        inputs->addRow(qText(kRampBoxes[i].caption) + QStringLiteral("："), box);
        m_boxes[i] = box;
        connect(box, &QLineEdit::textEdited, this, [this] {
            m_form.setRamp(input());
            redesign(false);
        });
    }
    m_boxes[1]->setPlaceholderText(QStringLiteral("h2 = ") + qText(document.text(Control::Text2)));
    m_boxes[4]->setPlaceholderText(qText(document.text(Control::Text10)));
    m_lowerEnd = new QLabel(QStringLiteral("下端墙底标高 h4 = %1 m ").arg(qText(document.text(Control::Text16))) +
                                qText(kRampLowerEnd),
                            this);
    m_lowerEnd->setObjectName(QStringLiteral("RampLowerEnd"));
    m_lowerEnd->setWordWrap(true);
    inputs->addRow(m_lowerEnd);

    auto* buttons = new QVBoxLayout;
    std::array<QPushButton*, kRampButtons.size()> made{};
    for (std::size_t i = 0; i < kRampButtons.size(); ++i) {
        made[i] = new QPushButton(qText(kRampButtons[i].caption), this);
        made[i]->setObjectName(qText(kRampButtons[i].name));
        made[i]->setAutoDefault(false);
        buttons->addWidget(made[i]);
    }
    buttons->addStretch();
    connect(made[0], &QPushButton::clicked, this, &RampDialog::compute);
    m_exportBook = made[1];
    m_print = made[2];
    m_exportTable = made[3];
    connect(m_exportBook, &QPushButton::clicked, this, [this] { exportBook(); });
    connect(m_print, &QPushButton::clicked, this, &RampDialog::print);
    connect(m_exportTable, &QPushButton::clicked, this, [this] { exportTable(); });
    connect(made[4], &QPushButton::clicked, this, &QDialog::accept);

    auto* top = new QHBoxLayout;
    top->addLayout(inputs, 1);
    top->addLayout(buttons);

    m_fault = new QLabel(this);
    m_fault->setObjectName(QStringLiteral("RampFault"));
    m_fault->setStyleSheet(QStringLiteral("color: #be0000"));
    m_drawing = new RampDrawingView(this);
    m_model = new RampTableModel(this);
    m_table = new QTableView(this);
    m_table->setObjectName(QStringLiteral("RampSchedule"));
    m_table->setModel(m_model);
    m_table->verticalHeader()->setVisible(false);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 8);
    m_total = new QLabel(this);
    m_total->setObjectName(QStringLiteral("RampTotal"));
    m_total->setWordWrap(true);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_fault);
    layout->addWidget(m_drawing, 3);
    layout->addWidget(m_table, 4);
    layout->addWidget(m_total);
    resize(1000, 760);
    redesign(false);
}

RampDialog::~RampDialog() = default;

ramp::RampInput RampDialog::input() const {
    ramp::RampInput input;
    for (std::size_t i = 0; i < design::kRampFields.size(); ++i) {
        input.*design::kRampFields[i].member = m_boxes[i]->text().toStdString();
    }
    return input;
}

void RampDialog::redesign(bool showFault) {
    const design::DesignDocument& document = m_form.document();
    const FormInputs form = document.form().inputs();
    auto planned = ramp::planRamp(input(), form);
    if (const auto* problem = std::get_if<std::string>(&planned)) {
        m_schedule.reset();
        m_fault->setText(qText(*problem));
        if (showFault) {
            m_form.showMessage(*problem, kNoticeTitle);
        }
    } else {
        m_fault->clear();
        m_schedule = ramp::designRamp(document.edition(), document.factors(), form, std::get<ramp::RampPlan>(planned));
    }
    fillTable();
    m_drawing->show(schedule());
    updateButtons();
}

void RampDialog::compute() { redesign(true); }

void RampDialog::fillTable() {
    m_model->show(schedule());
    if (!m_schedule) {
        m_total->clear();
        return;
    }
    m_total->setText(qText(ramp::totalText(*m_schedule)) + QStringLiteral("；") + qText(ramp::kWeightNote) +
                     QStringLiteral("。"));
}

void RampDialog::updateButtons() {
    for (QPushButton* button : {m_exportBook, m_print, m_exportTable}) {
        button->setEnabled(m_schedule.has_value());
    }
}

QString RampDialog::offeredName(const QString& suffix) const {
    const design::DesignDocument& document = m_form.document();
    const std::string& file = document.path();
    const QString folder = file.empty() ? QDir::homePath() : QFileInfo(QString::fromStdString(file)).absolutePath();
    return QDir(folder).filePath(QString::fromStdString(book::rampBookFileStem(document.project(), file)) + suffix);
}

// The book of the schedule shown, with the project and the design file's
// name in its margins.
book::RampBookInput RampDialog::bookInput() const {
    const design::DesignDocument& document = m_form.document();
    const QString file = QString::fromStdString(document.path());
    return {.schedule = &*m_schedule,
            .ramp = input(),
            .project = document.project(),
            .designFileName = file.isEmpty() ? std::string() : QFileInfo(file).fileName().toStdString()};
}

bool RampDialog::exportBook() {
    if (!m_schedule) {
        return false;
    }
    QString path = m_chooser(this, qText(kExportBookTitle), offeredName(QStringLiteral(".pdf")),
                             QStringLiteral("%1 (*.pdf);;%2 (*)").arg(qText(kPdfFileKind), qText(kAllFilesKind)));
    if (path.isEmpty()) {
        return false;
    }
    if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) {
        path += QStringLiteral(".pdf");
    }
    if (const std::optional<std::string> fault = book::writeRampBookPdf(bookInput(), path)) {
        m_form.showMessage(*fault, kNoticeTitle);
        return false;
    }
    return true;
}

void RampDialog::print() {
    if (!m_schedule) {
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    printer.setDocName(qText(book::kRampBookTitle));
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    QPainter painter(&printer);
    if (const std::optional<std::string> fault = book::paintRampBook(painter, printer, bookInput())) {
        painter.end();
        m_form.showMessage(*fault, kNoticeTitle);
    }
}

bool RampDialog::exportTable() {
    if (!m_schedule) {
        return false;
    }
    QString path = m_chooser(this, qText(kExportTableTitle), offeredName(QStringLiteral(".xlsx")),
                             QStringLiteral("%1 (*.xlsx);;%2 (*)").arg(qText(kWorkbookFileKind), qText(kAllFilesKind)));
    if (path.isEmpty()) {
        return false;
    }
    if (!path.endsWith(QStringLiteral(".xlsx"), Qt::CaseInsensitive)) {
        path += QStringLiteral(".xlsx");
    }
    if (const std::optional<std::string> fault = workbook::writeSchedule(*m_schedule, path.toStdString())) {
        m_form.showMessage(*fault, kNoticeTitle);
        return false;
    }
    return true;
}

} // namespace rampwall
