#include "load_factors_dialog.h"

#include "calculation_stop.h"

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

LoadFactorsDialog::LoadFactorsDialog(const LoadFactors& factors, QWidget* parent)
    : QDialog(parent), m_factors(factors) {
    setObjectName(QStringLiteral("LoadFactorsDialog"));
    setWindowTitle(QStringLiteral("荷载系数"));
    auto* grid = new QGridLayout;
    for (std::size_t i = 0; i < kLoadFactorFields.size(); ++i) {
        const LoadFactorField& field = kLoadFactorFields[i];
        const int row = static_cast<int>(i);
        auto* box = new QLineEdit(QString::number(factors.*field.member, 'g', QLocale::FloatingPointShortest), this);
        box->setObjectName(qText(field.key));
        box->setMaximumWidth(90);
        grid->addWidget(new QLabel(qText(field.caption) + QStringLiteral("："), this), row, 0);
        grid->addWidget(box, row, 1);
        auto* clause = new QLabel(qText(field.clause), this);
        clause->setEnabled(false); // a quieter grey: where the default comes from
        grid->addWidget(clause, row, 2);
        m_boxes[i] = box;
    }
    auto* note = new QLabel(qText(kLoadFactorNote), this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    connect(buttons, &QDialogButtonBox::accepted, this, &LoadFactorsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(note);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void LoadFactorsDialog::accept() {
    LoadFactors read;
    for (std::size_t i = 0; i < kLoadFactorFields.size(); ++i) {
        const LoadFactorField& field = kLoadFactorFields[i];
        bool isNumber = false;
        // QString reads decimals without the locale, as the boxes of the window do.
        const double value = m_boxes[i]->text().trimmed().toDouble(&isNumber);
        std::optional<std::string> problem;
        if (!isNumber) {
            problem = "“" + std::string(field.caption) + "”应为数字，请重新输入";
        } else {
            problem = loadFactorProblem(field, value);
        }
        if (problem) {
            m_presenter(this, qText(*problem), qText(kNoticeTitle));
            m_boxes[i]->setFocus();
            m_boxes[i]->selectAll();
            return;
        }
        read.*field.member = value;
    }
    m_factors = read;
    QDialog::accept();
}

} // namespace rampwall
