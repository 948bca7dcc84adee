// The commands that start, open and save designs, over the document the
// window shows: the file it came from, the question about unsaved changes,
// the recent designs and the window's title.
#pragma once

#include "design/design_file.h"

#include <QObject>
#include <QString>

#include <functional>

class QWidget;

namespace rampwall {

class Form1;
class Settings;

class DocumentCommands final : public QObject {
    Q_OBJECT

public:
    enum class SaveAnswer { Save, Discard, Cancel };
    // Asks 保存 / 不保存 / 取消 with the given question. Tests answer in its place.
    using SaveQuestion = std::function<SaveAnswer(QWidget* parent, const QString& question)>;
    enum class FileDialog { Open, Save };
    // The file the user picks, starting at `start`; empty when cancelled.
    using FileChooser = std::function<QString(QWidget* parent, FileDialog dialog, const QString& start)>;

    DocumentCommands(Form1& form, Settings& settings, QObject* parent = nullptr);

    // The absolute path of the design's file; empty for a design never saved.
    QString filePath() const;

    // The commands. Each returns whether it went through: false when the
    // user cancelled or a file could not be read or written, in which case
    // the window keeps the design it had.
    bool newDesign();
    bool open();
    // Reads the file first, so a bad file costs no question; then asks about
    // unsaved changes, then shows it.
    bool openFile(const QString& path);
    // A recent design that has gone is dropped from the list with a message.
    bool openRecent(const QString& path);
    bool save();
    bool saveAs();
    bool saveTo(const QString& path);
    bool editProjectInfo();
    // Asks 保存 / 不保存 / 取消 when there are unsaved changes; true when the
    // caller may go on and drop the design.
    bool maybeSave();

    void setSaveQuestion(SaveQuestion question) { m_question = std::move(question); }
    void setFileChooser(FileChooser chooser) { m_chooser = std::move(chooser); }

private:
    // The start-up design in the window's edition and factors, dated today.
    design::DesignFile startupDesign() const;
    void rememberFile(const QString& path);
    void updateCaption();
    void showMessage(const std::string& text);

    Form1& m_form;
    Settings& m_settings;
    SaveQuestion m_question;
    FileChooser m_chooser;
};

} // namespace rampwall
