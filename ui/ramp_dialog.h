// 工具 → 坡道分段配筋…: the window's design along a whole ramp. The ramp's
// own inputs are typed here; everything else is the window's. Every edit
// designs the ramp again at once (a few hundred designs take a millisecond
// or two), so the schedule, the total and the elevation always show the
// inputs as they stand.
#pragma once

#include "book/ramp_book_content.h"
#include "calc/ramp/ramp_design.h"

#include <QDialog>
#include <QString>

#include <array>
#include <functional>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace rampwall {

class Form1;
class RampTableModel;

// The elevation of the wall along the ramp, from the schedule's drawing.
class RampDrawingView final : public QWidget {
public:
    explicit RampDrawingView(QWidget* parent = nullptr);
    void show(const ramp::Schedule* schedule);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const ramp::Schedule* m_schedule = nullptr;
};

class RampDialog final : public QDialog {
    Q_OBJECT

public:
    // A file the user picks, with the dialog's title, the name offered and
    // the filter; empty when cancelled. Tests answer in its place.
    using FileChooser =
        std::function<QString(QWidget* parent, const QString& title, const QString& start, const QString& filter)>;

    explicit RampDialog(Form1& form);
    ~RampDialog() override;

    void setFileChooser(FileChooser chooser) { m_chooser = std::move(chooser); }

    // The ramp as typed now.
    ramp::RampInput input() const;
    // The schedule shown, or null while the inputs do not make a ramp.
    const ramp::Schedule* schedule() const { return m_schedule ? &*m_schedule : nullptr; }

    // 计算: designs the ramp, or says why the inputs do not make one.
    void compute();
    bool exportBook();
    void print();
    bool exportTable();

private:
    // Designs again after an edit; a fault is shown beside the table, not asked about.
    void redesign(bool showFault);
    void fillTable();
    void updateButtons();
    QString offeredName(const QString& suffix) const;
    book::RampBookInput bookInput() const;

    Form1& m_form;
    FileChooser m_chooser;
    std::array<QLineEdit*, 5> m_boxes{};
    QLabel* m_lowerEnd = nullptr;
    QLabel* m_fault = nullptr;
    QLabel* m_total = nullptr;
    QTableView* m_table = nullptr;
    RampTableModel* m_model = nullptr;
    RampDrawingView* m_drawing = nullptr;
    QPushButton* m_exportBook = nullptr;
    QPushButton* m_print = nullptr;
    QPushButton* m_exportTable = nullptr;
    std::optional<ramp::Schedule> m_schedule;
};

} // namespace rampwall
