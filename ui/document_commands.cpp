#include "ui/document_commands.h"

#include "calc/calculation_stop.h"
#include "calc/control_table.h"
#include "calc/window_texts.h"
#include "design/file_io.h"
#include "ui/form1.h"
#include "ui/project_info_dialog.h"
#include "ui/settings.h"

#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

#include <new>

namespace rampwall {

namespace {

QString qText(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

std::string shownName(const QString& path) { return QDir::toNativeSeparators(path).toStdString(); }

DocumentCommands::SaveAnswer askToSave(QWidget* parent, const QString& question) {
    QMessageBox box(QMessageBox::NoIcon, qText(kWindowTitle), question, QMessageBox::NoButton, parent);
    box.setTextFormat(Qt::PlainText);
    QPushButton* save = box.addButton(qText(kSaveButton), QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(qText(kDiscardButton), QMessageBox::DestructiveRole);
    QPushButton* cancel = box.addButton(qText(kCancelButton), QMessageBox::RejectRole);
    box.setDefaultButton(save);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == save) {
        return DocumentCommands::SaveAnswer::Save;
    }
    return box.clickedButton() == discard ? DocumentCommands::SaveAnswer::Discard
                                          : DocumentCommands::SaveAnswer::Cancel;
}

QString chooseFile(QWidget* parent, DocumentCommands::FileDialog dialog, const QString& start) {
    const QString filter = QStringLiteral("%1 (*%2);;%3 (*)")
                               .arg(qText(kDesignFileKind), qText(design::kFileSuffix), qText(kAllFilesKind));
    if (dialog == DocumentCommands::FileDialog::Open) {
        return QFileDialog::getOpenFileName(parent, qText(kOpenDesignTitle), start, filter);
    }
    return QFileDialog::getSaveFileName(parent, qText(kSaveDesignTitle), start, filter);
}

} // namespace

DocumentCommands::DocumentCommands(Form1& form, Settings& settings, QObject* parent)
    : QObject(parent), m_form(form), m_settings(settings), m_question(askToSave), m_chooser(chooseFile) {
    setObjectName(QStringLiteral("DocumentCommands"));
    connect(&m_form, &Form1::documentChanged, this, &DocumentCommands::updateCaption);
    updateCaption();
}

// Dated when it is asked for: a window may stay open past midnight.
design::DesignFile DocumentCommands::startupDesign() const {
    const design::DesignDocument& document = m_form.document();
    return design::startupDesign(QDate::currentDate().toString(Qt::ISODate).toStdString(), document.edition(),
                                 document.factors());
}

QString DocumentCommands::filePath() const { return QString::fromStdString(m_form.document().path()); }

bool DocumentCommands::newDesign() {
    if (!maybeSave()) {
        return false;
    }
    m_form.showDesign(startupDesign(), std::string());
    return true;
}

bool DocumentCommands::open() {
    const QString path = m_chooser(&m_form, FileDialog::Open, m_settings.lastFolder());
    return !path.isEmpty() && openFile(path);
}

bool DocumentCommands::openFile(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    design::ParseResult parsed;
    try {
        const design::FileText read = design::readDesignText(QFile::encodeName(absolute).toStdString());
        if (!read.error.empty()) {
            showMessage(design::openFailureMessage(shownName(absolute), read.error));
            return false;
        }
        parsed = design::parse(read.text, startupDesign());
    } catch (const std::bad_alloc&) {
        // The reader's limits are more than a machine short of memory has.
        showMessage(design::openFailureMessage(shownName(absolute), "内存不足"));
        return false;
    }
    if (!parsed.design) {
        showMessage(design::openFailureMessage(shownName(absolute), parsed.error));
        return false;
    }
    if (!maybeSave()) {
        return false;
    }
    m_form.showDesign(*parsed.design, absolute.toStdString());
    rememberFile(absolute);
    if (!parsed.notes.empty()) {
        showMessage(design::notesMessage(shownName(absolute), parsed.notes));
    }
    return true;
}

bool DocumentCommands::openRecent(const QString& path) {
    if (!QFileInfo::exists(path)) {
        QStringList files = m_settings.recentFiles();
        files.removeAll(path);
        m_settings.setRecentFiles(files);
        showMessage("设计文件“" + shownName(path) + "”已不存在，已从最近打开的设计中删去。");
        return false;
    }
    return openFile(path);
}

bool DocumentCommands::save() {
    const QString path = filePath();
    return path.isEmpty() ? saveAs() : saveTo(path);
}

bool DocumentCommands::saveAs() {
    const QString current = filePath();
    const QString folder = current.isEmpty() ? m_settings.lastFolder() : QFileInfo(current).absolutePath();
    const QString name =
        current.isEmpty() ? qText(kUntitled) + qText(design::kFileSuffix) : QFileInfo(current).fileName();
    QString path = m_chooser(&m_form, FileDialog::Save, folder.isEmpty() ? name : QDir(folder).filePath(name));
    if (path.isEmpty()) {
        return false;
    }
    if (QFileInfo(path).suffix().isEmpty()) {
        path += qText(design::kFileSuffix);
    }
    return saveTo(path);
}

bool DocumentCommands::saveTo(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    const design::DesignFile design = m_form.document().current();
    const std::string bytes = design::serialize(design);
    // Written beside the old file and renamed over it: a full disk or a crash
    // leaves the old design as it was. What the window could not open again
    // is not written at all.
    std::string fault = design::saveFault(design, bytes);
    if (fault.empty()) {
        fault = design::writeFileAtomically(QFile::encodeName(absolute).toStdString(), bytes);
    }
    if (!fault.empty()) {
        showMessage(design::saveFailureMessage(shownName(absolute), fault));
        return false;
    }
    m_form.markSaved(absolute.toStdString());
    rememberFile(absolute);
    return true;
}

bool DocumentCommands::editProjectInfo() {
    ProjectInfoDialog dialog(m_form.document().project(), &m_form);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    m_form.setProject(dialog.info());
    return true;
}

bool DocumentCommands::maybeSave() {
    if (!m_form.document().isModified()) {
        return true;
    }
    const QString path = filePath();
    const std::string fileName = path.isEmpty() ? std::string() : QFileInfo(path).fileName().toStdString();
    switch (m_question(&m_form, qText(saveQuestion(fileName)))) {
    case SaveAnswer::Save: return save();
    case SaveAnswer::Discard: return true;
    case SaveAnswer::Cancel: break;
    }
    return false;
}

void DocumentCommands::rememberFile(const QString& path) {
    m_settings.setRecentFiles(Settings::withRecentFile(m_settings.recentFiles(), path));
    m_settings.setLastFolder(QFileInfo(path).absolutePath());
}

void DocumentCommands::updateCaption() {
    QString title = qText(kWindowTitle);
    const QString path = filePath();
    if (!path.isEmpty()) {
        title += QStringLiteral(" - ") + QFileInfo(path).fileName();
    }
    if (m_form.document().isModified()) {
        title += QLatin1Char('*');
    }
    m_form.setWindowTitle(title);
}

void DocumentCommands::showMessage(const std::string& text) { m_form.showMessage(text, kNoticeTitle); }

} // namespace rampwall
