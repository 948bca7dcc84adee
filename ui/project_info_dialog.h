// 工程信息: the project a design belongs to, for the calculation book's title
// block.
#pragma once

#include "design/design_file.h"

#include <QDialog>

#include <array>

class QLineEdit;

namespace rampwall {

class ProjectInfoDialog final : public QDialog {
    Q_OBJECT

public:
    explicit ProjectInfoDialog(const design::ProjectInfo& info, QWidget* parent = nullptr);

    design::ProjectInfo info() const;

private:
    std::array<QLineEdit*, design::kProjectFields.size()> m_fields{};
};

} // namespace rampwall
