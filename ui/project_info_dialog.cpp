#include "ui/project_info_dialog.h"

#include "calc/window_texts.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace rampwall {

namespace {

QString qText(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

} // namespace

ProjectInfoDialog::ProjectInfoDialog(const design::ProjectInfo& info, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("ProjectInfoDialog"));
    setWindowTitle(qText(kProjectInfoTitle));
    auto* form = new QFormLayout;
    for (std::size_t i = 0; i < design::kProjectFields.size(); ++i) {
        const design::ProjectField& field = design::kProjectFields[i];
        auto* edit = new QLineEdit(this);
        // The window's boxes' limit, which the design file is sized for.
        edit->setMaxLength(design::kMaxBoxCharacters);
        edit->setText(qText(info.*field.member));
        edit->setObjectName(qText(field.key));
        edit->setMinimumWidth(280);
        form->addRow(qText(field.label) + QStringLiteral("："), edit);
        m_fields[i] = edit;
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(qText(kOkButton));
    buttons->button(QDialogButtonBox::Cancel)->setText(qText(kCancelButton));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

design::ProjectInfo ProjectInfoDialog::info() const {
    design::ProjectInfo info;
    for (std::size_t i = 0; i < design::kProjectFields.size(); ++i) {
        info.*design::kProjectFields[i].member = m_fields[i]->text().toStdString();
    }
    return info;
}

} // namespace rampwall
