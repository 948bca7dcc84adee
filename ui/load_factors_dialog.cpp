#include "ui/load_factors_dialog.h"

#include "calc/calculation_stop.h"
#include "calc/editions/registry.h"
#include "calc/number_text.h"
#include "calc/window_texts.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

namespace rampwall {

namespace {

QString qText(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

} // namespace

LoadFactorsDialog::LoadFactorsDialog(const FactorValues& factors, QWidget* parent)
    : QDialog(parent), m_factors(factors) {
    setObjectName(QStringLiteral("LoadFactorsDialog"));
    setWindowTitle(qText(kLoadFactorsTitle));
    auto* layout = new QVBoxLayout(this);
    // Each edition's factors, then what it uses them for.
    for (const CodeEdition* edition : editions()) {
        if (edition->factors().empty()) {
            continue;
        }
        auto* grid = new QGridLayout;
        int row = 0;
        for (const FactorDefinition& factor : edition->factors()) {
            auto* box =
                new QLineEdit(QString::number(factors.value(factor), 'g', QLocale::FloatingPointShortest), this);
            box->setObjectName(qText(factor.key));
            box->setMaximumWidth(90);
            grid->addWidget(new QLabel(qText(factor.caption) + QStringLiteral("："), this), row, 0);
            grid->addWidget(box, row, 1);
            auto* clause = new QLabel(qText(factor.clause), this);
            clause->setEnabled(false); // a quieter grey: where the default comes from
            grid->addWidget(clause, row, 2);
            m_boxes.push_back({&factor, box});
            ++row;
        }
        layout->addLayout(grid);
        layout->addWidget(new QLabel(qText(factorsNote(edition->title(), edition->factorNote())), this));
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(qText(kOkButton));
    buttons->button(QDialogButtonBox::Cancel)->setText(qText(kCancelButton));
    connect(buttons, &QDialogButtonBox::accepted, this, &LoadFactorsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void LoadFactorsDialog::accept() {
    FactorValues read = m_factors;
    for (const FactorBox& entry : m_boxes) {
        // Read as the window's boxes are: blanks around, full-width digits.
        const std::optional<double> value = parseDouble(entry.box->text().toStdString());
        const std::optional<std::string> problem =
            value ? factorProblem(*entry.factor, *value) : factorNotANumber(*entry.factor);
        if (problem) {
            m_presenter(this, qText(*problem), qText(kNoticeTitle));
            entry.box->setFocus();
            entry.box->selectAll();
            return;
        }
        read.set(*entry.factor, *value);
    }
    m_factors = read;
    QDialog::accept();
}

} // namespace rampwall
