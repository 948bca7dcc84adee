#include "ui/main_menu.h"
#include "calc/version.h"

#include "calc/calculation_stop.h"
#include "calc/control_table.h"
#include "calc/window_texts.h"
#include "ui/book_commands.h"
#include "ui/code_menu.h"
#include "ui/document_commands.h"
#include "ui/form1.h"
#include "ui/media/background_music.h"
#include "ui/menu_texts.h"
#include "ui/ramp_dialog.h"

#include <QAction>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include <functional>

namespace rampwall {

namespace {

QString qText(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QAction* addCommand(QMenu* menu, std::string_view name, const std::function<void()>& run) {
    QAction* action = commandAction(name, menu);
    QObject::connect(action, &QAction::triggered, menu, run);
    menu->addAction(action);
    return action;
}

// The first local design file among the dropped addresses, or empty.
QString droppedDesign(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls()) {
        return {};
    }
    for (const QUrl& url : data->urls()) {
        QString path = url.toLocalFile();
        if (!path.isEmpty() && path.endsWith(qText(design::kFileSuffix), Qt::CaseInsensitive)) {
            return path;
        }
    }
    return {};
}

} // namespace

MainMenu::MainMenu(Form1& form, QWidget* clientArea) : QObject(&form), m_form(form) {
    setObjectName(QStringLiteral("MainMenu"));
    // The remembered edition first: the start-up design is taken in it.
    restoreCode(form, m_settings);
    m_commands = new DocumentCommands(form, m_settings, this);

    m_bar = new QMenuBar(&form);
    m_bar->setObjectName(QStringLiteral("MenuBar"));
    // In the window above the client area on every desktop, not in a global bar.
    m_bar->setNativeMenuBar(false);
    buildFileMenu();
    buildOptionsMenu();
    buildToolsMenu();
    buildHelpMenu();
    new CodeMenu(form, m_settings, m_bar, m_codeMenuPlace);

    // The bar on top and the client area below it at its own fixed size; the
    // window takes the sum and cannot be resized.
    auto* layout = new QVBoxLayout(&form);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(m_bar);
    layout->addWidget(clientArea);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->activate();

    // Closing asks about unsaved changes; a design file dropped anywhere on
    // the window opens, even over a box that would take the dropped text.
    form.installEventFilter(this);
    form.setAcceptDrops(true);
    for (QWidget* widget : form.findChildren<QWidget*>()) {
        widget->installEventFilter(this);
    }

    form.setMusicOn(m_settings.musicOn());
    restorePosition();
}

MainMenu::~MainMenu() = default;

void MainMenu::buildFileMenu() {
    QMenu* file = newMenu("FileMenu", m_bar);
    m_bar->addMenu(file);
    addCommand(file, "actionNew", [this] { m_commands->newDesign(); });
    addCommand(file, "actionOpen", [this] { m_commands->open(); });
    addCommand(file, "actionSave", [this] { m_commands->save(); });
    addCommand(file, "actionSaveAs", [this] { m_commands->saveAs(); });
    file->addSeparator();
    addCommand(file, "actionProjectInfo", [this] { m_commands->editProjectInfo(); });
    file->addSeparator();
    // Adjacent separators show as one until commands are put in between.
    m_bookCommandsPlace = file->addSeparator();
    m_bookCommandsPlace->setObjectName(QStringLiteral("bookCommandsPlace"));
    new BookCommands(m_form, file, m_bookCommandsPlace);
    m_recent = file->addMenu(commandCaption("RecentMenu"));
    m_recent->setObjectName(QStringLiteral("RecentMenu"));
    connect(m_recent, &QMenu::aboutToShow, this, &MainMenu::fillRecentMenu);
    fillRecentMenu();
    file->addSeparator();
    addCommand(file, "actionExit", [this] { m_form.close(); });
}

void MainMenu::buildOptionsMenu() {
    QMenu* options = newMenu("OptionsMenu", m_bar);
    m_bar->addMenu(options);
    m_codeMenuPlace = options->menuAction();
    QAction* music = addCommand(options, "actionMusic", [] {});
    music->setCheckable(true);
    // --no-music switches it off for this run, whatever was remembered.
    music->setChecked(m_settings.musicOn() && !BackgroundMusic::isSwitchedOff());
    music->setEnabled(!BackgroundMusic::isSwitchedOff());
    connect(music, &QAction::toggled, this, [this](bool on) {
        m_settings.setMusicOn(on);
        m_form.setMusicOn(on);
    });
}

void MainMenu::buildToolsMenu() {
    QMenu* tools = newMenu("ToolsMenu", m_bar);
    m_bar->addMenu(tools);
    addCommand(tools, "actionRamp", [this] {
        RampDialog dialog(m_form);
        dialog.exec();
    });
}

void MainMenu::buildHelpMenu() {
    QMenu* help = newMenu("HelpMenu", m_bar);
    m_bar->addMenu(help);
    addCommand(help, "actionHelp", [this] { m_form.showMessage(kHelpText, kHelpTitle); });
    help->addSeparator();
    addCommand(help, "actionAbout", [this] { showAbout(); });
}

void MainMenu::fillRecentMenu() {
    m_recent->clear();
    const QStringList files = m_settings.recentFiles();
    for (qsizetype i = 0; i < files.size(); ++i) {
        QString shown = QDir::toNativeSeparators(files[i]);
        shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
        const QString& path = files[i];
        QAction* action = m_recent->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(shown));
        connect(action, &QAction::triggered, m_recent, [this, path] { m_commands->openRecent(path); });
    }
    if (files.isEmpty()) {
        m_recent->addAction(qText(kNoRecentDesigns))->setEnabled(false);
    }
}

void MainMenu::showAbout() {
    // The credit line the window opens with, whichever edition is chosen now.
    const std::string toolkit = "Qt 版本：" + std::string(qVersion());
    m_form.showMessage(aboutText(kWindowTitle, RAMPWALL_VERSION, kCreditLine, toolkit), aboutTitle(kWindowTitle));
}

void MainMenu::restorePosition() {
    const std::optional<QPoint> position = m_settings.windowPosition();
    // Only where a screen still shows the title bar: a screen may have gone.
    if (position && QGuiApplication::screenAt(*position + QPoint(40, 10)) != nullptr) {
        m_form.move(*position);
    }
}

void MainMenu::openFromCommandLine(const QByteArrayList& arguments) {
    bool options = true;
    for (const QByteArray& argument : arguments.mid(1)) {
        if (options && argument == "--") {
            options = false;
        } else if (options && argument.startsWith('-')) {
            const QString option = QString::fromLocal8Bit(argument);
            if (option != BackgroundMusic::noMusicSwitch()) {
                const std::string shown = design::shortened(option.toStdString(), 256);
                std::string message = "命令行参数“" + shown;
                message +=
                    "”不是本程序的选项，已略过。若要打开名字以“-”开头的文件，请在它前面加上 --，例如：rampwall -- ";
                message += shown;
                m_form.showMessage(message, kNoticeTitle);
            }
        } else {
            // Qt names files in UTF-8; a name in another encoding cannot be
            // opened, saved and remembered under its own bytes.
            const QString name = QFile::decodeName(argument);
            if (QFile::encodeName(name) != argument) {
                m_form.showMessage(design::openFailureMessage(name.toStdString(),
                                                              "文件名不是 UTF-8 编码，本程序无法按这个名字读写文件。"
                                                              "请把文件改成 UTF-8 编码的名字后再打开"),
                                   kNoticeTitle);
            } else {
                m_commands->openFile(name);
            }
            return;
        }
    }
}

QByteArrayList argumentsOf(int argc, char** argv) {
    QByteArrayList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QByteArray(argv[i]);
    }
    return arguments;
}

bool MainMenu::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::Close:
        if (watched != &m_form) {
            break;
        }
        if (!m_commands->maybeSave()) {
            event->ignore();
            return true;
        }
        m_settings.setWindowPosition(m_form.pos());
        break;
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDropEvent*>(event);
        if (!droppedDesign(drag->mimeData()).isEmpty()) {
            drag->acceptProposedAction();
            return true;
        }
        break;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const QString path = droppedDesign(drop->mimeData());
        if (path.isEmpty()) {
            break;
        }
        drop->acceptProposedAction();
        // Opened once the drop is over: the dragging program waits for it to
        // end, and opening may ask a question or show a message.
        QTimer::singleShot(0, this, [this, path] { m_commands->openFile(path); });
        return true;
    }
    default: break;
    }
    return QObject::eventFilter(watched, event);
}

MainMenu* mainMenuOf(Form1& form) { return form.findChild<MainMenu*>(QString(), Qt::FindDirectChildrenOnly); }

} // namespace rampwall
