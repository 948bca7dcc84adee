// 荷载系数: the factors of every edition that sets some beside the form, each
// with its caption and the clause it comes from, and what the edition uses
// them for. A value the factor cannot take keeps the dialog open with a
// message naming the factor.
#pragma once

#include "calc/editions/factor.h"
#include "ui/message_box.h"

#include <QDialog>

#include <vector>

class QLineEdit;

namespace rampwall {

class LoadFactorsDialog final : public QDialog {
    Q_OBJECT

public:
    explicit LoadFactorsDialog(const FactorValues& factors, QWidget* parent = nullptr);

    // The factors as accepted; the ones given until then.
    const FactorValues& factors() const { return m_factors; }
    // Replaces the modal message box, for tests.
    void setMessagePresenter(MessagePresenter presenter) { m_presenter = std::move(presenter); }

    void accept() override;

private:
    struct FactorBox {
        const FactorDefinition* factor;
        QLineEdit* box;
    };

    FactorValues m_factors;
    MessagePresenter m_presenter = showModalMessage;
    std::vector<FactorBox> m_boxes;
};

} // namespace rampwall
