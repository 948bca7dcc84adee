// 荷载系数: the 2010 edition's factors, each with its caption and the clause
// it comes from. A value the factor cannot take keeps the dialog open with a
// message naming the factor.
#pragma once

#include "edition.h"
#include "message_box.h"

#include <QDialog>

#include <array>

class QLineEdit;

namespace rampwall {

class LoadFactorsDialog final : public QDialog {
    Q_OBJECT

public:
    explicit LoadFactorsDialog(const LoadFactors& factors, QWidget* parent = nullptr);

    // The factors as accepted; the ones given until then.
    const LoadFactors& factors() const { return m_factors; }
    // Replaces the modal message box, for tests.
    void setMessagePresenter(MessagePresenter presenter) { m_presenter = std::move(presenter); }

    void accept() override;

private:
    LoadFactors m_factors;
    MessagePresenter m_presenter = showModalMessage;
    std::array<QLineEdit*, kLoadFactorFields.size()> m_boxes{};
};

} // namespace rampwall
