#include "book_commands.h"

#include "book.h"
#include "calculation_stop.h"
#include "design_document.h"
#include "form1.h"

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
#include <QRegularExpression>

namespace rampwall {

namespace {

QString choosePdf(QWidget* parent, const QString& start) {
    return QFileDialog::getSaveFileName(parent, QStringLiteral("导出计算书"), start,
                                        QStringLiteral("PDF 文件 (*.pdf);;所有文件 (*)"));
}

QAction* addBookCommand(QMenu* menu, QAction* place, const QString& text, const QString& name,
                        const QKeySequence& shortcut) {
    auto* action = new QAction(text, menu);
    action->setObjectName(name);
    action->setShortcut(shortcut);
    menu->insertAction(place, action);
    return action;
}

// A4 portrait on whatever printer is picked; paintBook fits other paper.
void prepare(QPrinter& printer) {
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    printer.setDocName(QStringLiteral("坡道外墙配筋计算书"));
}

} // namespace

BookCommands::BookCommands(Form1& form, DesignDocument& document, QMenu* menu, QAction* place)
    : QObject(menu), m_form(form), m_document(document), m_chooser(choosePdf) {
    setObjectName(QStringLiteral("BookCommands"));
    m_export = addBookCommand(menu, place, QStringLiteral("导出计算书(PDF)(&E)…"), QStringLiteral("actionExportBook"),
                              QKeySequence(Qt::CTRL | Qt::Key_E));
    m_print = addBookCommand(menu, place, QStringLiteral("打印(&P)…"), QStringLiteral("actionPrintBook"),
                             QKeySequence(Qt::CTRL | Qt::Key_P));
    m_preview = addBookCommand(menu, place, QStringLiteral("打印预览(&V)…"), QStringLiteral("actionPrintPreview"),
                               QKeySequence());
    connect(m_export, &QAction::triggered, this, [this] { exportPdf(); });
    connect(m_print, &QAction::triggered, this, &BookCommands::print);
    connect(m_preview, &QAction::triggered, this, &BookCommands::printPreview);
    connect(&m_form, &Form1::completedRunChanged, this, &BookCommands::updateEnabled);
    updateEnabled();
}

void BookCommands::updateEnabled() {
    const bool ready = m_form.completedRun().has_value();
    for (QAction* action : {m_export, m_print, m_preview}) {
        action->setEnabled(ready);
    }
}

std::optional<book::BookInput> BookCommands::bookInput() const {
    const std::optional<book::CompletedRun>& run = m_form.completedRun();
    if (!run) {
        return std::nullopt;
    }
    const design::ProjectInfo& info = m_document.projectInfo();
    book::ProjectInfo project{info.projectName, info.member, info.designer, info.checker, info.approver, info.date};
    const QString path = m_document.filePath();
    return book::BookInput{.run = *run,
                           .project = std::move(project),
                           .code = book::codeEditionFor(m_form.edition(), m_form.loadFactors()),
                           .designFileName = path.isEmpty() ? std::string() : QFileInfo(path).fileName().toStdString(),
                           .program = book::thisProgram()};
}

QString BookCommands::defaultPdfName() const {
    // Characters no file name may hold on any desktop become underscores.
    static const QRegularExpression unfit(QStringLiteral(R"([\\/:*?"<>|\x00-\x1f])"));
    QString name = QString::fromStdString(m_document.projectInfo().member).trimmed();
    name.replace(unfit, QStringLiteral("_"));
    if (name.isEmpty() && !m_document.filePath().isEmpty()) {
        name = QFileInfo(m_document.filePath()).completeBaseName();
    }
    if (name.isEmpty()) {
        name = QStringLiteral("计算书");
    }
    return name + QStringLiteral(".pdf");
}

bool BookCommands::exportPdf() {
    const std::optional<book::BookInput> input = bookInput();
    if (!input) {
        return false;
    }
    const QString folder =
        m_document.filePath().isEmpty() ? QDir::homePath() : QFileInfo(m_document.filePath()).absolutePath();
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
    QPrintDialog dialog(&printer, &m_form);
    if (dialog.exec() != QDialog::Accepted) {
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
    dialog.setWindowTitle(QStringLiteral("打印预览"));
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
