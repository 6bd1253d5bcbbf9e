#include "frmMain.h"

#include "Version.h"
#include "WindowHelpers.h"
#include "app/commands/GlobalHotKeys.h"
#include "app/commands/TrayCommands.h"
#include "app/link/PlayerLink.h"
#include "app/notification/TrackNotification.h"
#include "artwork/ArtworkWindow.h"
#include "options/AboutPage.h"
#include "options/AdvancedPage.h"
#include "options/DemoHarness.h"
#include "options/FontPage.h"
#include "options/HotKeysPage.h"
#include "options/LibraryTransfers.h"
#include "options/OptionPages.h"
#include "platform/desktop/Desktop.h"
#include "platform/desktop/InstanceGuard.h"
#include "platform/settings/SettingsStore.h"
#include "player/IgnoringErrors.h"
#include "player/PlayerChooser.h"
#include "tray/PlayerMenu.h"
#include "tray/frmSysTray.h"
#include "tray/hotkeys/HotKeySettings.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <QTimer>
#include <QVBoxLayout>

frmMain::frmMain(const AppServices& services, QWidget* parent)
    : QWidget(parent)
    , m_services(services)
    , m_stored(m_services.settings, m_services.desktop, m_backgrounds)
{
    setWindowTitle(QStringLiteral("Bolvin"));
    createParts();
    connect(&m_services.instanceGuard, &InstanceGuard::quitRequested, this, [this] { Unload(UnloadMode::FormCode); });
    connect(&m_services.instanceGuard, &InstanceGuard::showRequested, this, &frmMain::showAndRaise);
}

frmMain::~frmMain() = default;

void frmMain::createParts()
{
    m_artwork = std::make_unique<ArtworkWindow>(m_services.artwork);
    m_link = std::make_unique<PlayerLink>(
        m_services.playerBackend, m_services.desktop, [this] { return m_frmSysTray.get(); });
    m_notification = std::make_unique<TrackNotification>(*m_link, m_services.desktop, m_services.popUps, *m_artwork,
        [this] { return m_options ? m_options->trackPopUpOptions() : m_stored.trackPopUpOptions(); });
    m_trayCommands = std::make_unique<TrayCommands>(*m_link, *m_notification, m_services.desktop,
        TrayCommands::Window { [this] { showAndRaise(); }, [this] { Unload(UnloadMode::FormCode); } });
    m_hotKeys
        = std::make_unique<GlobalHotKeys>(m_services.hotKeyRegistrar, m_services.desktop, *m_link, *m_notification);
}

OptionPages& frmMain::options()
{
    if (!m_options)
        buildWindow();
    return *m_options;
}

HotKeySettings frmMain::hotKeySettings() const
{
    return m_options ? m_options->hotKeysPage().hotKeySettings() : m_stored.hotKeySettings();
}

OptionServices frmMain::optionServices() const
{
    return { m_services.settings, m_services.desktop, m_services.registry, m_services.resourceDir,
        m_services.programDir };
}

OptionsLinks frmMain::optionsLinks()
{
    return OptionsLinks {
        .popUps = [this] { return m_notification->popups(); },
        .player = [this] { return m_link->player(); },
        .connectPlayer =
            [this] {
                m_link->CheckPlayerRunning(true);
                return m_link->player();
            },
        .showTrackPopup = [this] { m_notification->ShowTrackPopup(); },
        .closeTrackPopups = [this] { m_notification->closeTrackPopups(); },
        .balloon =
            [this](const QString& message, const QString& title, int icon, int timeoutMs) {
                if (m_frmSysTray)
                    m_frmSysTray->ShowBalloonTip(message, title, icon, timeoutMs);
            },
        .shuttingDown = [this] { return m_unloaded || mbShuttingDown; },
        .settingsLoaded = [this] { m_hotKeys->LoadHotKeys(hotKeySettings()); },
    };
}

void frmMain::buildWindow()
{
    m_options = new OptionPages(optionServices(), optionsLinks(), m_backgrounds);
    m_options->follow(*m_link);
    m_hotKeys->showAssignmentsOn(m_options->hotKeysPage());
    connect(m_notification.get(), &TrackNotification::timingInUse, &m_options->advancedPage(),
        &AdvancedPage::showPopUpTimings);

    m_visiblePart = new QWidget(this);
    m_noTrayNotice
        = new QLabel(QStringLiteral("Your desktop shows no notification area, so Bolvin has no tray icon. "
                                    "Pop-ups and hotkeys still work; start Bolvin again to open this window."),
            m_visiblePart);
    m_noTrayNotice->setObjectName(QStringLiteral("lblNoTray"));
    m_noTrayNotice->setWordWrap(true);
    m_noTrayNotice->hide();
    m_options->setParent(m_visiblePart);

    const OptionPages::Buttons options = m_options->createButtons(m_visiblePart);
    Command2 = new QPushButton(QStringLiteral("Quit"), m_visiblePart);
    Minimize = new QPushButton(QStringLiteral("Hide"), m_visiblePart);
    connect(Command2, &QPushButton::clicked, this, &frmMain::Command2_Click);
    connect(Minimize, &QPushButton::clicked, this, &frmMain::Minimize_Click);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(options.btnPreview);
    buttons->addWidget(options.btnSave);
    buttons->addStretch();
    buttons->addWidget(options.Picture1);
    buttons->addStretch();
    buttons->addWidget(Command2);
    buttons->addWidget(Minimize);
    auto* layout = new QVBoxLayout(m_visiblePart);
    layout->addWidget(m_noTrayNotice);
    layout->addWidget(m_options);
    layout->addLayout(buttons);

    // Every page caption shows without scroll arrows.
    m_options->setMinimumWidth(m_options->tabBar()->sizeHint().width() + m_options->tabBar()->height());

    // The demonstration controls sit below the visible part. A fixed size keeps them there and
    // tells tiling window managers to float the window rather than stretch it.
    demo = new DemoHarness(
        m_services.resourceDir, [this] { return m_notification->popups(); }, m_options->notificationPage(), this);
    setFixedSize(m_visiblePart->sizeHint());

    m_options->fillLists();
    m_options->load();
    m_options->showLibraryAbility();
    m_options->aboutPage().showVersion(Version::text());
    if (m_notification->popups())
        demo->CreateDefaultPopUp();
}

void frmMain::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (!m_visiblePart)
        return;
    const int visibleHeight = m_visiblePart->sizeHint().height();
    m_visiblePart->setGeometry(0, 0, width(), visibleHeight);
    demo->setGeometry(0, visibleHeight, width(), demo->sizeHint().height());
}

bool frmMain::Form_Load()
{
    SetIcon(m_services.desktop, this, QString::fromLatin1(kIconResource), true);

    if (m_services.instanceGuard.previousInstanceRunning()) {
        m_services.desktop.messageBox(QStringLiteral("Bolvin is running."));
        ignoringErrors([this] { Unload(UnloadMode::FormCode); });
        return false;
    }

    m_services.desktop.hideWindow(this);
    createSysTray();
    m_frmSysTray->SetToolTip(PlayerLink::idleToolTip());
    m_frmSysTray->SetIconHandle(m_services.desktop.loadIcon(QString::fromLatin1(kIconResource), kTrayIconSize));
    m_frmSysTray->myrating()->setEnabled(false);
    m_frmSysTray->playlists()->setEnabled(false);

    // The settings come first, player or not. The window's pages are built only when it
    // opens; until then the program runs on the stored settings.
    createPopups();
    m_stored.pushTo(*m_notification->popups());
    m_hotKeys->LoadHotKeys(hotKeySettings());
    m_link->showPlaylists(m_stored.playListsEnabled());
    // A ticked "Run at startup" renews its entry at every start, for the program as it is now.
    if (StoredOptions::number(m_services.settings, OptionKeys::kStartup))
        AdvancedPage::applyRunAtStartup(optionServices(), true);
    m_link->namePlayerEntries();
    m_link->CheckPlayerRunning(false);

    if (m_services.settings.GetSetting(QStringLiteral("FirstRun"), QStringLiteral("Yes")) == QLatin1String("Yes")) {
        m_link->CheckPlayerRunning(true);
        showAndRaise();
        m_services.settings.SaveSetting(QStringLiteral("FirstRun"), QStringLiteral("No"));
    }
    checkTrayHost();
    return true;
}

void frmMain::createPopups()
{
    const SettingsStore& stored = m_services.settings;
    m_notification->createPopups(StoredOptions::number(stored, PopUpSettings::kWidth),
        StoredOptions::number(stored, PopUpSettings::kHeight), *this);
}

void frmMain::checkTrayHost()
{
    // A tray host that starts with the session may come a moment after us.
    constexpr int kTrayHostGraceMs = 2000;
    QTimer::singleShot(kTrayHostGraceMs, this, [this] {
        if (m_unloaded || m_services.trayShell.isAvailable())
            return;
        options();
        m_noTrayNotice->show();
        setFixedSize(m_visiblePart->sizeHint());
        showAndRaise();
    });
}

void frmMain::createSysTray()
{
    m_frmSysTray = std::make_unique<frmSysTray>(m_services.trayShell, *m_notification);
    m_trayCommands->attachTo(*m_frmSysTray);
    attachPlayerMenu();
}

void frmMain::setPlayerChooser(PlayerChooser* chooser)
{
    m_playerChooser = chooser;
    attachPlayerMenu();
}

void frmMain::setDesktopNotifications(DesktopNotifications* notifications, bool always)
{
    m_notification->useDesktopNotifications(notifications, always);
}

void frmMain::attachPlayerMenu()
{
    if (!m_playerChooser || !m_frmSysTray)
        return;
    // Owned by the tray menu, and gone with it.
    auto* players = new PlayerMenu(m_frmSysTray->mnuPopup(), *m_playerChooser, m_frmSysTray->mnuPopup());
    connect(players, &PlayerMenu::chosen, m_playerChooser, &PlayerChooser::pin);
    connect(m_playerChooser, &PlayerChooser::activeChanged, m_link.get(), &PlayerLink::onActivePlayerChanged,
        Qt::UniqueConnection);
}

QFont frmMain::messageFont() const
{
    return m_options ? m_options->fontPage().messageFont() : m_stored.messageFont();
}

void frmMain::closeEvent(QCloseEvent* event)
{
    // The window is never destroyed by a close; only an unload ends the program. Only the
    // window system's own close command arrives here as spontaneous.
    event->ignore();
    Unload(event->spontaneous() ? UnloadMode::FormControlMenu : UnloadMode::FormCode);
}

void frmMain::Unload(UnloadMode mode)
{
    if (m_unloaded)
        return;
    bool cancel = false;
    Form_QueryUnload(cancel, mode);
    if (cancel)
        return;
    Form_Unload();
    m_services.desktop.hideWindow(this);
    m_unloaded = true;
    emit unloaded();
}

void frmMain::Form_QueryUnload(bool& Cancel, UnloadMode UnloadMode)
{
    if (UnloadMode == UnloadMode::FormControlMenu) {
        m_services.desktop.hideWindow(this);
        Cancel = true;
        return;
    }
    if (m_options)
        m_options->transfers().cancel();
    mbShuttingDown = true;
    ignoringErrors([this] { m_frmSysTray.reset(); });
}

void frmMain::Form_Unload()
{
    // The user's player outlives Bolvin; the built-in one ends with the process.
    ignoringErrors([this] { m_link->DisconnectPlayer(); });
    ignoringErrors([this] { m_hotKeys->UnloadHotKeys(hotKeySettings().enabled); });
    ignoringErrors([this] {
        if (demo)
            demo->unload();
        m_notification->releasePopups();
    });
    ignoringErrors([this] { m_artwork->unloadInstance(); });
}

void frmMain::showAndRaise()
{
    options();
    m_services.desktop.showWindow(this);
    m_services.desktop.raiseWindow(this);
}

void frmMain::Minimize_Click()
{
    m_services.desktop.hideWindow(this);
}

void frmMain::Command2_Click()
{
    Unload(UnloadMode::FormCode);
}
