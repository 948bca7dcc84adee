#include "code_menu.h"

#include "form1.h"
#include "load_factors_dialog.h"
#include "settings.h"

#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

namespace rampwall {

namespace {

QString qText(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

} // namespace

void restoreCode(Form1& form, const Settings& settings) {
    form.setLoadFactors(settings.loadFactors());
    form.setEdition(settings.edition());
}

CodeMenu::CodeMenu(Form1& form, Settings& settings, QMenuBar* bar, QAction* place)
    : QObject(bar), m_form(form), m_settings(settings) {
    setObjectName(QStringLiteral("CodeMenu"));
    auto* menu = new QMenu(QStringLiteral("规范(&G)"), bar);
    menu->setObjectName(QStringLiteral("CodeMenu"));
    bar->insertMenu(place, menu);

    auto* group = new QActionGroup(menu);
    group->setExclusive(true);
    const auto addEdition = [&](Edition edition, const QString& name) {
        QAction* action = menu->addAction(qText(editionTitle(edition)));
        action->setObjectName(name);
        action->setCheckable(true);
        group->addAction(action);
        connect(action, &QAction::triggered, this, [this, edition] { m_form.setEdition(edition); });
        return action;
    };
    m_edition2002 = addEdition(Edition::GB50010_2002, QStringLiteral("actionEdition2002"));
    m_edition2010 = addEdition(Edition::GB50010_2010, QStringLiteral("actionEdition2010"));
    menu->addSeparator();
    QAction* factors = menu->addAction(QStringLiteral("荷载系数(&F)…"));
    factors->setObjectName(QStringLiteral("actionLoadFactors"));
    connect(factors, &QAction::triggered, this, &CodeMenu::editLoadFactors);

    // Whatever changed them, a design opened from a file included, the menu
    // shows it and the next start begins with it.
    connect(&form, &Form1::codeChanged, this, [this] {
        showChoice();
        m_settings.setEdition(m_form.edition());
        m_settings.setLoadFactors(m_form.loadFactors());
    });
    showChoice();
}

bool CodeMenu::editLoadFactors() {
    LoadFactorsDialog dialog(m_form.loadFactors(), &m_form);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    m_form.setLoadFactors(dialog.factors());
    return true;
}

void CodeMenu::showChoice() {
    const bool edition2002 = m_form.edition() == Edition::GB50010_2002;
    m_edition2002->setChecked(edition2002);
    m_edition2010->setChecked(!edition2002);
}

} // namespace rampwall
