// The program's only window. It builds its controls from the control table
// and shows a design document: every edit of an input goes into the
// document, and 计算 runs the document and replays the run into the
// controls. It also serves the calculation's window operations over its real
// controls, as the headless window does in memory.
#pragma once

#include "calc/editions/code_edition.h"
#include "calc/window_ops.h"
#include "design/design_document.h"
#include "ui/message_box.h"

#include <QWidget>

#include <array>
#include <string>

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace rampwall {

class BackgroundMusic;
struct ControlRow;

class Form1 final : public QWidget, public WindowOps {
    Q_OBJECT

public:
    explicit Form1(QWidget* parent = nullptr);
    ~Form1() override;

    std::string readText(Control box) override;
    void replaceText(Control box, std::string_view text) override;
    int selectedIndex(Control list) override;
    void showMessage(std::string_view text, std::string_view title) override;
    void appendEntry(Control list, std::string_view entry) override;
    void selectEntry(Control list, int index) override;
    void closeWindow() override;

    // Replaces the modal message box, for tests and scripted use.
    void setMessagePresenter(MessagePresenter presenter);

    // Starts the background music afresh, or stops it at once.
    void setMusicOn(bool on);

    // The design the window shows. It changes through the controls and the
    // calls below, each of which shows the change.
    const design::DesignDocument& document() const { return m_document; }
    // Shows a design as the user would have left it, computed nothing, as
    // saved at `path` (empty: never saved).
    void showDesign(const design::DesignFile& design, const std::string& path);
    // The design as shown now is saved at `path`.
    void markSaved(const std::string& path);
    void setProject(const design::ProjectInfo& project);
    // Refills the steel list (keeping the grade where the other edition has
    // it), switches the boxes the edition does not read and the title line,
    // and clears the results, which belonged to the other edition.
    void setEdition(const CodeEdition& edition);
    void setFactors(const FactorValues& factors);
    // The ramp the design belongs to, as the ramp dialog leaves it.
    void setRamp(const ramp::RampInput& ramp);

signals:
    // What the document holds, or its last run, may have changed: an edit, a
    // run, a design shown or saved, the project, the edition or the factors.
    void documentChanged();
    // The edition or the factors changed.
    void codeChanged();

private:
    void watchInputsForEdits();
    void typed(Control input, const QString& text);
    void chosen(Control list, int index);
    void buildControls();
    QWidget* createControl(const ControlRow& row, QWidget* container);
    void setTabOrderFromTable();
    void connectCommands();
    // The document's boxes and lists into the controls, unseen by the edit watch.
    void showForm();
    // Greys the text of the result boxes and the sheet that do not hold the
    // results of the inputs as they stand; the texts stay as they are.
    void showStaleResults();
    void showEdition();

    // The handlers of the window. Nothing else of it starts anything.
    void Form_Load();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();

    static std::size_t slot(Control control) { return static_cast<std::size_t>(control); }
    QLineEdit* lineEditOf(Control box) const { return m_lineEdits[slot(box)]; }
    QComboBox* listOf(Control list) const { return m_lists[slot(list)]; }
    QWidget* widgetOf(Control control) const;

    design::DesignDocument m_document;
    MessagePresenter m_presenter = showModalMessage;
    QWidget* m_client = nullptr;
    BackgroundMusic* m_music = nullptr;

    std::array<QLineEdit*, kAllControls.size()> m_lineEdits{};
    std::array<QComboBox*, kAllControls.size()> m_lists{};
    QPlainTextEdit* m_report = nullptr;
    QPushButton* m_command1 = nullptr;
    QPushButton* m_command2 = nullptr;
    QPushButton* m_command3 = nullptr;
};

} // namespace rampwall
