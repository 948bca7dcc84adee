#include "design_document.h"

#include "calculation_stop.h"
#include "control_table.h"
#include "file_io.h"
#include "form1.h"
#include "project_info_dialog.h"
#include "settings.h"

#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSaveFile>

namespace rampwall {

namespace {

QString qText(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

std::string shownName(const QString& path) { return QDir::toNativeSeparators(path).toStdString(); }

DesignDocument::SaveAnswer askToSave(QWidget* parent, const QString& question) {
    QMessageBox box(QMessageBox::NoIcon, qText(kWindowTitle), question, QMessageBox::NoButton, parent);
    box.setTextFormat(Qt::PlainText);
    QPushButton* save = box.addButton(QStringLiteral("保存"), QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(QStringLiteral("不保存"), QMessageBox::DestructiveRole);
    QPushButton* cancel = box.addButton(QStringLiteral("取消"), QMessageBox::RejectRole);
    box.setDefaultButton(save);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == save) {
        return DesignDocument::SaveAnswer::Save;
    }
    return box.clickedButton() == discard ? DesignDocument::SaveAnswer::Discard : DesignDocument::SaveAnswer::Cancel;
}

QString chooseFile(QWidget* parent, DesignDocument::FileDialog dialog, const QString& start) {
    const QString filter = QStringLiteral("坡道外墙设计 (*%1);;所有文件 (*)").arg(qText(design::kFileSuffix));
    if (dialog == DesignDocument::FileDialog::Open) {
        return QFileDialog::getOpenFileName(parent, QStringLiteral("打开设计"), start, filter);
    }
    return QFileDialog::getSaveFileName(parent, QStringLiteral("保存设计"), start, filter);
}

// Why QSaveFile failed, in Chinese, with the system's own words after it.
std::string saveFault(const QSaveFile& file) {
    QString fault;
    switch (file.error()) {
    case QFileDevice::PermissionsError: fault = QStringLiteral("没有写入的权限"); break;
    case QFileDevice::OpenError: fault = QStringLiteral("无法在这个位置建立文件"); break;
    case QFileDevice::WriteError:
    case QFileDevice::ResourceError: fault = QStringLiteral("写入时出错，磁盘可能已满"); break;
    default: fault = QStringLiteral("保存时出错"); break;
    }
    return (fault + QStringLiteral("（%1）").arg(file.errorString())).toStdString();
}

} // namespace

DesignDocument::DesignDocument(Form1& form, Settings& settings, QObject* parent)
    : QObject(parent), m_form(form), m_settings(settings), m_question(askToSave), m_chooser(chooseFile) {
    setObjectName(QStringLiteral("DesignDocument"));
    m_saved = startupDesign();
    m_project = m_saved.project;
    m_codeEdition = m_saved.codeEdition;
    watchInputs();
    updateCaption();
}

// In the edition and with the factors the window has now, which start from
// the remembered ones.
design::DesignFile DesignDocument::startupDesign() const {
    return design::startupDesign(QDate::currentDate().toString(Qt::ISODate).toStdString(), m_form.edition(),
                                 m_form.loadFactors());
}

design::DesignFile DesignDocument::current() const {
    design::DesignFile design;
    for (std::size_t i = 0; i < design::kDesignInputs.size(); ++i) {
        const Control control = design::kDesignInputs[i].control;
        design.inputs[i].text = m_form.readText(control);
        design.inputs[i].freeText = design::isListInput(i) && m_form.selectedIndex(control) < 0;
    }
    design.project = m_project;
    // A file that named no edition keeps naming none while it stays in 2002.
    const bool unnamed = m_codeEdition.empty() && m_form.edition() == kDefaultEdition;
    design.codeEdition = unnamed ? std::string() : std::string(editionKey(m_form.edition()));
    design.factors = m_form.loadFactors();
    return design;
}

bool DesignDocument::isModified() const { return current() != m_saved; }

void DesignDocument::setProjectInfo(const design::ProjectInfo& info) {
    m_project = info;
    updateCaption();
}

bool DesignDocument::newDesign() {
    if (!maybeSave()) {
        return false;
    }
    const design::DesignFile design = startupDesign();
    show(design);
    markSaved(design, QString());
    return true;
}

bool DesignDocument::open() {
    const QString path = m_chooser(&m_form, FileDialog::Open, m_settings.lastFolder());
    return !path.isEmpty() && openFile(path);
}

bool DesignDocument::openFile(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    const design::FileText read = design::readDesignText(QFile::encodeName(absolute).toStdString());
    if (!read.error.empty()) {
        showMessage(design::openFailureMessage(shownName(absolute), read.error));
        return false;
    }
    const design::ParseResult parsed = design::parse(read.text, startupDesign());
    if (!parsed.design) {
        showMessage(design::openFailureMessage(shownName(absolute), parsed.error));
        return false;
    }
    if (!maybeSave()) {
        return false;
    }
    show(*parsed.design);
    markSaved(*parsed.design, absolute);
    if (!parsed.notes.empty()) {
        showMessage(design::notesMessage(shownName(absolute), parsed.notes));
    }
    return true;
}

bool DesignDocument::openRecent(const QString& path) {
    if (!QFileInfo::exists(path)) {
        QStringList files = m_settings.recentFiles();
        files.removeAll(path);
        m_settings.setRecentFiles(files);
        showMessage("设计文件“" + shownName(path) + "”已不存在，已从最近打开的设计中删去。");
        return false;
    }
    return openFile(path);
}

bool DesignDocument::save() { return m_path.isEmpty() ? saveAs() : saveTo(m_path); }

bool DesignDocument::saveAs() {
    const QString folder = m_path.isEmpty() ? m_settings.lastFolder() : QFileInfo(m_path).absolutePath();
    const QString name =
        m_path.isEmpty() ? QStringLiteral("未命名") + qText(design::kFileSuffix) : QFileInfo(m_path).fileName();
    QString path = m_chooser(&m_form, FileDialog::Save, folder.isEmpty() ? name : QDir(folder).filePath(name));
    if (path.isEmpty()) {
        return false;
    }
    if (QFileInfo(path).suffix().isEmpty()) {
        path += qText(design::kFileSuffix);
    }
    return saveTo(path);
}

bool DesignDocument::saveTo(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    const design::DesignFile design = current();
    const std::string bytes = design::serialize(design);
    if (QFileInfo(absolute).isDir()) {
        showMessage(design::saveFailureMessage(shownName(absolute), "这是一个文件夹，不是文件"));
        return false;
    }
    // Written beside the old file and renamed over it on commit: a full disk
    // or a crash leaves the old design as it was. Unbuffered, because Qt 6.4
    // commits even when the buffer's last flush was cut short, which would
    // put a truncated design in the old one's place.
    QSaveFile file(absolute);
    const auto size = static_cast<qint64>(bytes.size());
    qint64 written = 0;
    if (file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        // A short write is retried; the retry reports why it cannot go on.
        while (written < size) {
            const qint64 step = file.write(bytes.data() + written, size - written);
            if (step <= 0) {
                break;
            }
            written += step;
        }
    }
    if (written != size || !file.commit()) {
        showMessage(design::saveFailureMessage(shownName(absolute), saveFault(file)));
        return false;
    }
    markSaved(design, absolute);
    return true;
}

bool DesignDocument::editProjectInfo() {
    ProjectInfoDialog dialog(m_project, &m_form);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    setProjectInfo(dialog.info());
    return true;
}

bool DesignDocument::maybeSave() {
    if (!isModified()) {
        return true;
    }
    const QString question = m_path.isEmpty()
                                 ? QStringLiteral("当前设计已经修改，要保存吗？")
                                 : QStringLiteral("设计“%1”已经修改，要保存吗？").arg(QFileInfo(m_path).fileName());
    switch (m_question(&m_form, question)) {
    case SaveAnswer::Save: return save();
    case SaveAnswer::Discard: return true;
    case SaveAnswer::Cancel: break;
    }
    return false;
}

// Fills the boxes and lists as the user would have left them, and clears what
// an earlier design computed: nothing is computed until 计算 is pressed.
void DesignDocument::show(const design::DesignFile& design) {
    // The edition first: it fills the steel list the design's grade is in.
    const Edition edition = design::editionOf(design);
    m_form.setEdition(edition);
    m_form.setLoadFactors(design.factors);
    for (std::size_t i = 0; i < design::kDesignInputs.size(); ++i) {
        const Control control = design::kDesignInputs[i].control;
        const design::InputValue& value = design.inputs[i];
        if (design::isListInput(i)) {
            const int index = value.freeText ? -1 : design::entryIndex(control, value.text, edition).value_or(-1);
            m_form.selectEntry(control, index);
        }
        m_form.replaceText(control, value.text);
    }
    m_project = design.project;
    m_codeEdition = design.codeEdition;
    m_form.clearResults();
}

void DesignDocument::markSaved(const design::DesignFile& design, const QString& path) {
    m_saved = design;
    m_path = path;
    if (!path.isEmpty()) {
        rememberFile(path);
    }
    updateCaption();
}

void DesignDocument::rememberFile(const QString& path) {
    m_settings.setRecentFiles(Settings::withRecentFile(m_settings.recentFiles(), path));
    m_settings.setLastFolder(QFileInfo(path).absolutePath());
}

void DesignDocument::updateCaption() {
    QString title = qText(kWindowTitle);
    if (!m_path.isEmpty()) {
        title += QStringLiteral(" - ") + QFileInfo(m_path).fileName();
    }
    if (isModified()) {
        title += QLatin1Char('*');
    }
    m_form.setWindowTitle(title);
}

void DesignDocument::watchInputs() {
    connect(&m_form, &Form1::codeChanged, this, &DesignDocument::updateCaption);
    for (const design::DesignInput& input : design::kDesignInputs) {
        const QString name = qText(controlName(input.control));
        if (auto* list = m_form.findChild<QComboBox*>(name)) {
            connect(list, &QComboBox::editTextChanged, this, &DesignDocument::updateCaption);
            connect(list, &QComboBox::currentIndexChanged, this, &DesignDocument::updateCaption);
        } else if (auto* box = m_form.findChild<QLineEdit*>(name)) {
            connect(box, &QLineEdit::textChanged, this, &DesignDocument::updateCaption);
        }
    }
}

void DesignDocument::showMessage(const std::string& text) { m_form.showMessage(text, kNoticeTitle); }

} // namespace rampwall
