// 文件 → 导出计算书(PDF)…, 打印… and 打印预览…: the calculation book of the
// last completed run, offered only while its inputs are still the window's.
#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class QAction;
class QMenu;
class QWidget;

namespace rampwall {

namespace book {
struct BookInput;
}

class DesignDocument;
class Form1;

class BookCommands final : public QObject {
    Q_OBJECT

public:
    // The PDF file the user picks, starting at `start`; empty when cancelled.
    // Tests answer in its place.
    using PdfChooser = std::function<QString(QWidget* parent, const QString& start)>;

    // Puts the three commands into `menu` before `place`.
    BookCommands(Form1& form, DesignDocument& document, QMenu* menu, QAction* place);

    void setPdfChooser(PdfChooser chooser) { m_chooser = std::move(chooser); }

    // The file name the export offers: the component's name, else the design
    // file's, else 计算书; always ending in .pdf.
    QString defaultPdfName() const;

    bool exportPdf();
    void print();
    void printPreview();

private:
    std::optional<book::BookInput> bookInput() const;
    void updateEnabled();

    Form1& m_form;
    DesignDocument& m_document;
    PdfChooser m_chooser;
    QAction* m_export = nullptr;
    QAction* m_print = nullptr;
    QAction* m_preview = nullptr;
};

} // namespace rampwall
