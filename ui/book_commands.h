// 文件 → 导出计算书(PDF)…, 打印… and 打印预览…: the calculation book of the
// last completed run, offered only while its inputs are still the window's.
#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class QAction;
class QMenu;
class QPrinter;
class QWidget;

namespace rampwall {

namespace book {
struct BookInput;
}

namespace design {
struct DesignRun;
}

class Form1;

class BookCommands final : public QObject {
    Q_OBJECT

public:
    // The PDF file the user picks, starting at `start`; empty when cancelled.
    // Tests answer in its place.
    using PdfChooser = std::function<QString(QWidget* parent, const QString& start)>;
    // Asks for the printer, or a file to print to, and sets up `printer`;
    // false when the user cancelled. Tests answer in its place.
    using PrintDialog = std::function<bool(QWidget* parent, QPrinter& printer)>;

    // Puts the three commands into `menu` before `place`.
    BookCommands(Form1& form, QMenu* menu, QAction* place);

    void setPdfChooser(PdfChooser chooser) { m_chooser = std::move(chooser); }
    void setPrintDialog(PrintDialog dialog) { m_printDialog = std::move(dialog); }

    // The file name the export offers: the component's name, else the design
    // file's, else 计算书; always ending in .pdf.
    QString defaultPdfName() const;

    bool exportPdf();
    void print();
    void printPreview();

private:
    // The document's last run while it stands and it makes a book, or null.
    const design::DesignRun* bookRun() const;
    std::optional<book::BookInput> bookInput() const;
    void updateEnabled();

    Form1& m_form;
    PdfChooser m_chooser;
    PrintDialog m_printDialog;
    QAction* m_export = nullptr;
    QAction* m_print = nullptr;
    QAction* m_preview = nullptr;
};

} // namespace rampwall
