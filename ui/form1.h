// The program's only window. It builds its controls from the control table,
// owns the design state for its whole life, and serves the calculation's
// window operations over its real controls, so COMPUTE runs against it
// exactly as it runs against the headless window.
#pragma once

#include "book_input.h"
#include "design_state.h"
#include "edition.h"
#include "message_box.h"
#include "window_ops.h"

#include <QWidget>

#include <array>
#include <optional>

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

    const DesignState& state() const { return m_state; }

    // Starts the background music afresh, or stops it at once.
    void setMusicOn(bool on);
    // Empties the result boxes, puts the sheet's hint back and forgets what
    // earlier runs computed, as for a design just opened.
    void clearResults();

    // The last run of 计算 if it completed and no input has been edited
    // since; a calculation book is made only from this.
    const std::optional<book::CompletedRun>& completedRun() const { return m_completedRun; }

    // The code edition 计算 follows and the factors of the 2010 edition.
    // Changing the edition refills the steel list (keeping the grade where
    // the other edition has it), switches the load-factor box and the title
    // line, and clears the results, which belonged to the other edition.
    Edition edition() const { return m_edition; }
    const LoadFactors& loadFactors() const { return m_factors; }
    void setEdition(Edition edition);
    void setLoadFactors(const LoadFactors& factors);

signals:
    void completedRunChanged();
    // The edition or the factors changed.
    void codeChanged();

private:
    void forgetCompletedRun();
    void watchInputsForEdits();
    void buildControls();
    QWidget* createControl(const ControlRow& row, QWidget* container);
    void setTabOrderFromTable();
    void connectCommands();

    // The handlers of the window. Nothing else of it starts anything.
    void Form_Load();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();

    static std::size_t slot(Control control) { return static_cast<std::size_t>(control); }
    QLineEdit* lineEditOf(Control box) const { return m_lineEdits[slot(box)]; }
    QComboBox* listOf(Control list) const { return m_lists[slot(list)]; }

    void showEdition();

    DesignState m_state;
    std::optional<book::CompletedRun> m_completedRun;
    Edition m_edition = kDefaultEdition;
    LoadFactors m_factors;
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
