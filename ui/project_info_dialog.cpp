#include "project_info_dialog.h"

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
    setWindowTitle(QStringLiteral("工程信息"));
    auto* form = new QFormLayout;
    for (std::size_t i = 0; i < design::kProjectFields.size(); ++i) {
        const design::ProjectField& field = design::kProjectFields[i];
        auto* edit = new QLineEdit(qText(info.*field.member), this);
        edit->setObjectName(qText(field.key));
        edit->setMinimumWidth(280);
        form->addRow(qText(field.label) + QStringLiteral("："), edit);
        m_fields[i] = edit;
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
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
