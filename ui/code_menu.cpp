#include "ui/code_menu.h"

#include "calc/editions/registry.h"
#include "calc/window_texts.h"
#include "design/design_file.h"
#include "ui/form1.h"
#include "ui/load_factors_dialog.h"
#include "ui/menu_texts.h"
#include "ui/settings.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

namespace rampwall {

namespace {

QString qText(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

} // namespace

void restoreCode(Form1& form, const Settings& settings) {
    form.showDesign(design::startupDesign(form.document().today(), settings.edition(), settings.factors()),
                    std::string());
}

CodeMenu::CodeMenu(Form1& form, Settings& settings, QMenuBar* bar, QAction* place)
    : QObject(bar), m_form(form), m_settings(settings) {
    setObjectName(QStringLiteral("CodeMenu"));
    QMenu* menu = newMenu("CodeMenu", bar);
    bar->insertMenu(place, menu);

    auto* group = new QActionGroup(menu);
    group->setExclusive(true);
    for (const CodeEdition* edition : editions()) {
        QAction* action = menu->addAction(qText(edition->title()));
        action->setObjectName(qText(editionActionName(edition->key())));
        action->setCheckable(true);
        group->addAction(action);
        connect(action, &QAction::triggered, this, [this, edition] { m_form.setEdition(*edition); });
        m_editions.emplace_back(edition, action);
    }
    menu->addSeparator();
    QAction* factors = commandAction("actionLoadFactors", menu);
    menu->addAction(factors);
    connect(factors, &QAction::triggered, this, &CodeMenu::editLoadFactors);

    // Whatever changed them, a design opened from a file included, the menu
    // shows it and the next start begins with it.
    connect(&form, &Form1::codeChanged, this, [this] {
        showChoice();
        m_settings.setEdition(m_form.document().edition());
        m_settings.setFactors(m_form.document().factors());
    });
    showChoice();
}

bool CodeMenu::editLoadFactors() {
    LoadFactorsDialog dialog(m_form.document().factors(), &m_form);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    m_form.setFactors(dialog.factors());
    return true;
}

void CodeMenu::showChoice() {
    for (const auto& [edition, action] : m_editions) {
        action->setChecked(edition == &m_form.document().edition());
    }
}

} // namespace rampwall
