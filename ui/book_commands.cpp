#include "ui/book_commands.h"

#include "book/book.h"
#include "calc/calculation_stop.h"
#include "calc/window_texts.h"
#include "ui/form1.h"
#include "ui/menu_texts.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace rampwall {

namespace {

QString qText(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QString choosePdf(QWidget* parent, const QString& start) {
    return QFileDialog::getSaveFileName(
        parent, qText(kExportBookTitle), start,
        QStringLiteral("%1 (*.pdf);;%2 (*)").arg(qText(kPdfFileKind), qText(kAllFilesKind)));
}

bool askPrinter(QWidget* parent, QPrinter& printer) {
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

QAction* addBookCommand(QMenu* menu, QAction* place, std::string_view name) {
    QAction* action = commandAction(name, menu);
    menu->insertAction(place, action);
    return action;
}

// A4 portrait on whatever printer is picked; paintBook fits other paper.
void prepare(QPrinter& printer) {
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    printer.setDocName(QStringLiteral("坡道外墙配筋计算书"));
}

} // namespace

BookCommands::BookCommands(Form1& form, QMenu* menu, QAction* place)
    : QObject(menu), m_form(form), m_chooser(choosePdf), m_printDialog(askPrinter) {
    setObjectName(QStringLiteral("BookCommands"));
    m_export = addBookCommand(menu, place, "actionExportBook");
    m_print = addBookCommand(menu, place, "actionPrintBook");
    m_preview = addBookCommand(menu, place, "actionPrintPreview");
    connect(m_export, &QAction::triggered, this, [this] { exportPdf(); });
    connect(m_print, &QAction::triggered, this, &BookCommands::print);
    connect(m_preview, &QAction::triggered, this, &BookCommands::printPreview);
    connect(&m_form, &Form1::documentChanged, this, &BookCommands::updateEnabled);
    updateEnabled();
}

// Any edit, 新建, 打开, another edition or other factors end the run's standing.
void BookCommands::updateEnabled() {
    const bool ready = bookRun() != nullptr;
    for (QAction* action : {m_export, m_print, m_preview}) {
        action->setEnabled(ready);
    }
}

const design::DesignRun* BookCommands::bookRun() const {
    const design::DesignRun* run = m_form.document().completedRun();
    return run != nullptr && book::hasBook(*run) ? run : nullptr;
}

std::optional<book::BookInput> BookCommands::bookInput() const {
    const design::DesignRun* run = bookRun();
    if (run == nullptr) {
        return std::nullopt;
    }
    const design::DesignDocument& document = m_form.document();
    const QString path = QString::fromStdString(document.path());
    return book::BookInput{.run = *run,
                           .project = document.project(),
                           .designFileName = path.isEmpty() ? std::string() : QFileInfo(path).fileName().toStdString()};
}

QString BookCommands::defaultPdfName() const {
    const design::DesignDocument& document = m_form.document();
    return QString::fromStdString(book::bookFileStem(document.project(), document.path())) + QStringLiteral(".pdf");
}

bool BookCommands::exportPdf() {
    const std::optional<book::BookInput> input = bookInput();
    if (!input) {
        return false;
    }
    const std::string& file = m_form.document().path();
    const QString folder = file.empty() ? QDir::homePath() : QFileInfo(QString::fromStdString(file)).absolutePath();
    QString path = m_chooser(&m_form, QDir(folder).filePath(defaultPdfName()));
    if (path.isEmpty()) {
        return false;
    }
    if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) {
        path += QStringLiteral(".pdf");
    }
    if (const std::optional<std::string> fault = book::writeBookPdf(*input, path)) {
        m_form.showMessage(*fault, kNoticeTitle);
        return false;
    }
    return true;
}

void BookCommands::print() {
    const std::optional<book::BookInput> input = bookInput();
    if (!input) {
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    prepare(printer);
    if (!m_printDialog(&m_form, printer)) {
        return;
    }
    // Printed to a file, the book is the exported one, written whole or not
    // at all: Qt's own PDF output writes into the file as it goes, and a full
    // disk would leave a cut-off file in the old one's place.
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        if (const std::optional<std::string> fault = book::writeBookPdf(*input, printer.outputFileName())) {
            m_form.showMessage(*fault, kNoticeTitle);
        }
        return;
    }
    QPainter painter(&printer);
    if (const std::optional<std::string> fault = book::paintBook(painter, printer, *input)) {
        painter.end();
        m_form.showMessage(*fault, kNoticeTitle);
    }
}

void BookCommands::printPreview() {
    const std::optional<book::BookInput> input = bookInput();
    if (!input) {
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    prepare(printer);
    QPrintPreviewDialog dialog(&printer, &m_form);
    dialog.setObjectName(QStringLiteral("BookPreview"));
    dialog.setWindowTitle(qText(kPrintPreviewTitle));
    std::optional<std::string> fault;
    connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&](QPrinter* target) {
        QPainter painter(target);
        fault = book::paintBook(painter, *target, *input);
    });
    dialog.resize(900, 1000);
    dialog.exec();
    if (fault) {
        m_form.showMessage(*fault, kNoticeTitle);
    }
}

} // namespace rampwall
