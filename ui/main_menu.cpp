#include "main_menu.h"

#include "background_music.h"
#include "book_commands.h"
#include "code_menu.h"
#include "control_table.h"
#include "design_document.h"
#include "form1.h"

#include <QAction>
#include <QDir>
#include <QDropEvent>
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

QAction* addCommand(QMenu* menu, const QString& text, const QString& name, const QKeySequence& shortcut,
                    const std::function<void()>& run) {
    auto* action = new QAction(text, menu);
    action->setObjectName(name);
    action->setShortcut(shortcut);
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
    m_document = new DesignDocument(form, m_settings, this);

    m_bar = new QMenuBar(&form);
    m_bar->setObjectName(QStringLiteral("MenuBar"));
    // In the window above the client area on every desktop, not in a global bar.
    m_bar->setNativeMenuBar(false);
    buildFileMenu();
    buildOptionsMenu();
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
    QMenu* file = m_bar->addMenu(QStringLiteral("文件(&F)"));
    file->setObjectName(QStringLiteral("FileMenu"));
    addCommand(file, QStringLiteral("新建(&N)"), QStringLiteral("actionNew"), QKeySequence(Qt::CTRL | Qt::Key_N),
               [this] { m_document->newDesign(); });
    addCommand(file, QStringLiteral("打开(&O)…"), QStringLiteral("actionOpen"), QKeySequence(Qt::CTRL | Qt::Key_O),
               [this] { m_document->open(); });
    addCommand(file, QStringLiteral("保存(&S)"), QStringLiteral("actionSave"), QKeySequence(Qt::CTRL | Qt::Key_S),
               [this] { m_document->save(); });
    addCommand(file, QStringLiteral("另存为(&A)…"), QStringLiteral("actionSaveAs"),
               QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), [this] { m_document->saveAs(); });
    file->addSeparator();
    addCommand(file, QStringLiteral("工程信息(&I)…"), QStringLiteral("actionProjectInfo"), QKeySequence(),
               [this] { m_document->editProjectInfo(); });
    file->addSeparator();
    // Adjacent separators show as one until commands are put in between.
    m_bookCommandsPlace = file->addSeparator();
    m_bookCommandsPlace->setObjectName(QStringLiteral("bookCommandsPlace"));
    new BookCommands(m_form, *m_document, file, m_bookCommandsPlace);
    m_recent = file->addMenu(QStringLiteral("最近打开的设计(&R)"));
    m_recent->setObjectName(QStringLiteral("RecentMenu"));
    connect(m_recent, &QMenu::aboutToShow, this, &MainMenu::fillRecentMenu);
    fillRecentMenu();
    file->addSeparator();
    addCommand(file, QStringLiteral("退出(&X)"), QStringLiteral("actionExit"), QKeySequence(Qt::CTRL | Qt::Key_Q),
               [this] { m_form.close(); });
}

void MainMenu::buildOptionsMenu() {
    QMenu* options = m_bar->addMenu(QStringLiteral("选项(&O)"));
    options->setObjectName(QStringLiteral("OptionsMenu"));
    m_codeMenuPlace = options->menuAction();
    QAction* music =
        addCommand(options, QStringLiteral("背景音乐(&M)"), QStringLiteral("actionMusic"), QKeySequence(), [] {});
    music->setCheckable(true);
    // --no-music switches it off for this run, whatever was remembered.
    music->setChecked(m_settings.musicOn() && !BackgroundMusic::isSwitchedOff());
    music->setEnabled(!BackgroundMusic::isSwitchedOff());
    connect(music, &QAction::toggled, this, [this](bool on) {
        m_settings.setMusicOn(on);
        m_form.setMusicOn(on);
    });
}

void MainMenu::buildHelpMenu() {
    QMenu* help = m_bar->addMenu(QStringLiteral("帮助(&H)"));
    help->setObjectName(QStringLiteral("HelpMenu"));
    addCommand(help, QStringLiteral("使用说明(&U)"), QStringLiteral("actionHelp"), QKeySequence(Qt::Key_F1),
               [this] { m_form.showMessage(kHelpText, kHelpTitle); });
    help->addSeparator();
    addCommand(help, QStringLiteral("关于(&A)"), QStringLiteral("actionAbout"), QKeySequence(),
               [this] { showAbout(); });
}

void MainMenu::fillRecentMenu() {
    m_recent->clear();
    const QStringList files = m_settings.recentFiles();
    for (qsizetype i = 0; i < files.size(); ++i) {
        QString shown = QDir::toNativeSeparators(files[i]);
        shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
        const QString& path = files[i];
        addCommand(m_recent, QStringLiteral("&%1 %2").arg(i + 1).arg(shown), QString(), QKeySequence(),
                   [this, path] { m_document->openRecent(path); });
    }
    if (files.isEmpty()) {
        m_recent->addAction(QStringLiteral("（无）"))->setEnabled(false);
    }
}

void MainMenu::showAbout() {
    const QString text = QStringLiteral("%1\n版本 %2\n\n%3\n\n许可证：MIT\nQt 版本：%4")
                             .arg(qText(kWindowTitle), QStringLiteral(RAMPWALL_VERSION), qText(kCreditLine),
                                  QString::fromLatin1(qVersion()));
    m_form.showMessage(text.toStdString(), "关于" + std::string(kWindowTitle));
}

void MainMenu::restorePosition() {
    const std::optional<QPoint> position = m_settings.windowPosition();
    // Only where a screen still shows the title bar: a screen may have gone.
    if (position && QGuiApplication::screenAt(*position + QPoint(40, 10)) != nullptr) {
        m_form.move(*position);
    }
}

void MainMenu::openFromCommandLine(const QStringList& arguments) {
    for (const QString& argument : arguments.mid(1)) {
        if (!argument.startsWith(QLatin1Char('-'))) {
            m_document->openFile(argument);
            return;
        }
    }
}

bool MainMenu::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::Close:
        if (watched != &m_form) {
            break;
        }
        if (!m_document->maybeSave()) {
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
        QTimer::singleShot(0, this, [this, path] { m_document->openFile(path); });
        return true;
    }
    default: break;
    }
    return QObject::eventFilter(watched, event);
}

MainMenu* mainMenuOf(Form1& form) { return form.findChild<MainMenu*>(QString(), Qt::FindDirectChildrenOnly); }

} // namespace rampwall
