#include "frmMain.h"

#include "Branding.h"
#include "Version.h"
#include "WindowHelpers.h"
#include "artwork/ShowPicServices.h"
#include "artwork/frmShowPic.h"
#include "options/AboutPage.h"
#include "options/AdvancedPage.h"
#include "options/DemoHarness.h"
#include "options/FontPage.h"
#include "options/LibraryPage.h"
#include "options/LibraryTransfers.h"
#include "options/OptionPages.h"
#include "platform/desktop/Desktop.h"
#include "platform/desktop/InstanceGuard.h"
#include "platform/settings/SettingsStore.h"
#include "player/IgnoringErrors.h"
#include "player/PlayerApplication.h"
#include "player/PlayerChooser.h"
#include "popup/PopUpMessage.h"
#include "popup/PopUpMessages.h"
#include "tray/PlayerMenu.h"
#include "tray/frmSysTray.h"
#include "tray/hotkeys/HotKey.h"
#include "tray/hotkeys/HotKeyDispatcher.h"
#include "tray/hotkeys/HotKeyRegistration.h"

#include <QCloseEvent>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <QTimer>
#include <QVBoxLayout>

#include <array>

namespace
{

struct MenuEntry {
    const char* caption;
    const char* key;
    bool isDefault;
};

// The tray menu in the order it is built (the entries naming the player are renamed after
// it before the menu first shows); each flagged entry moves the default, so
// "&Show Bolvin" ends up bold.
constexpr std::array<MenuEntry, 14> kTrayMenu { {
    { "-", "", false },
    { "&Show iTunes", "Show iTunes", true },
    { "&Minimize iTunes", "Minimize", true },
    { "&iTunes MiniPlayer", "MiniPlayer", true },
    { "-", "", false },
    { "&Shuffle", "Shuffle", true },
    { "-", "", false },
    { "&Play", "Pause", true },
    { "&Next Song", "Next Song", true },
    { "&Previous Song", "Previous Song", true },
    { "-", "", false },
    { "&Show Bolvin", "open", true },
    { "-", "", false },
    { "&Exit", "close", false },
} };

QString versionText()
{
    return QStringLiteral("%1.%2.%3").arg(Version::Major).arg(Version::Minor).arg(Version::Revision);
}

}

frmMain::frmMain(const AppServices& services, QWidget* parent)
    : QWidget(parent)
    , m_services(services)
    , m_options(new OptionPages({ m_services.settings, m_services.desktop, m_services.registry, m_services.resourceDir,
                                    m_services.programDir },
          optionsLinks()))
    , notificationPage(&m_options->notificationPage())
    , hotKeysPage(&m_options->hotKeysPage())
    , advancedPage(&m_options->advancedPage())
    , libraryPage(&m_options->libraryPage())
    , mbCancelExport(m_options->transfers().mbCancelExport())
    , mbCancelImport(m_options->transfers().mbCancelImport())
{
    buildWindow();
    connect(advancedPage, &AdvancedPage::playListsToggled, this, &frmMain::chkEnablePlayLists_Click);
    connect(libraryPage, &LibraryPage::librarySourceChanged, this, &frmMain::showLibraryAbility);
    frmShowPic::installServices(ShowPicServices(m_services.settings, m_services.desktop));
    connect(&m_services.instanceGuard, &InstanceGuard::quitRequested, this, [this] { Unload(UnloadMode::FormCode); });
    connect(&m_services.instanceGuard, &InstanceGuard::showRequested, this, [this] {
        m_services.desktop.showWindow(this);
        m_services.desktop.raiseWindow(this);
    });
}

frmMain::~frmMain()
{
    // The player may outlive this window, or report while it goes: nothing here may hear it.
    // Nor may the backend be asked anything: it may already be gone.
    if (objiTunesApp)
        objiTunesApp->disconnect(this);
    objiTunesApp.reset();
    if (mobjPopups)
        mobjPopups->disconnect(this);
    // The artwork window was given this window's services, which do not outlive it.
    ignoringErrors([] { frmShowPic::unloadInstance(); });
}

void frmMain::buildWindow()
{
    setWindowTitle(QStringLiteral("Bolvin"));

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

    // The demonstration controls sit below the visible part; enlarging the window shows them.
    demo = new DemoHarness(
        m_services.resourceDir, [this] { return mobjPopups.get(); }, *notificationPage, this);
    setMinimumSize(m_visiblePart->sizeHint());
    resize(m_visiblePart->sizeHint());
}

void frmMain::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
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
    m_frmSysTray->SetToolTip(idleToolTip());
    m_frmSysTray->SetIconHandle(m_services.desktop.loadIcon(QString::fromLatin1(kIconResource), kTrayIconSize));
    m_frmSysTray->myrating()->setEnabled(false);
    m_frmSysTray->playlists()->setEnabled(false);

    mbConnected = false;
    m_options->fillLists();
    // The settings come first, player or not: nothing may show or save a control that was
    // never loaded.
    createPopups();
    LoadSettings();
    m_options->pushOptionsToPopups();
    namePlayerEntries();
    showLibraryAbility();
    CheckPlayerRunning(false);

    m_options->aboutPage().showVersion(versionText());

    if (m_services.settings.GetSetting(QStringLiteral("FirstRun"), QStringLiteral("Yes")) == QLatin1String("Yes")) {
        CheckPlayerRunning(true);
        m_services.desktop.showWindow(this);
        m_services.desktop.raiseWindow(this);
        m_services.settings.SaveSetting(QStringLiteral("FirstRun"), QStringLiteral("No"));
    }
    checkTrayHost();
    return true;
}

QString frmMain::idleToolTip() const
{
    return QStringLiteral("Bolvin %1 by Harnwick\r\n Right-click and select 'Show Bolvin' for options")
        .arg(versionText());
}

void frmMain::createPopups()
{
    mobjPopups
        = std::make_unique<PopUpMessages>(m_services.popUps, advancedPage->popUpWidth(), advancedPage->popUpHeight());
    mobjPopups->setFontSource(this);
    connect(mobjPopups.get(), &PopUpMessages::PopupMessageClicked, this, &frmMain::mobjPopups_PopupMessageClicked);
    demo->CreateDefaultPopUp();
}

void frmMain::checkTrayHost()
{
    // A tray host that starts with the session may come a moment after us.
    constexpr int kTrayHostGraceMs = 2000;
    QTimer::singleShot(kTrayHostGraceMs, this, [this] {
        if (m_unloaded || m_services.trayShell.isAvailable())
            return;
        m_noTrayNotice->show();
        setMinimumSize(m_visiblePart->sizeHint());
        resize(size().expandedTo(m_visiblePart->sizeHint()));
        m_services.desktop.showWindow(this);
        m_services.desktop.raiseWindow(this);
    });
}

void frmMain::createSysTray()
{
    m_frmSysTray = std::make_unique<frmSysTray>(m_services.trayShell, *this);
    for (const MenuEntry& entry : kTrayMenu)
        m_frmSysTray->AddMenuItem(QString::fromUtf8(entry.caption), QString::fromUtf8(entry.key), entry.isDefault);
    connect(m_frmSysTray.get(), &frmSysTray::MenuClick, this, &frmMain::m_frmSysTray_MenuClick);
    connect(m_frmSysTray.get(), &frmSysTray::SysTrayMouseDown, this, &frmMain::m_frmSysTray_SysTrayMouseDown);
    connect(m_frmSysTray.get(), &frmSysTray::SysTrayDoubleClick, this, &frmMain::m_frmSysTray_SysTrayDoubleClick);
    attachPlayerMenu();
}

void frmMain::setPlayerChooser(PlayerChooser* chooser)
{
    m_playerChooser = chooser;
    attachPlayerMenu();
}

void frmMain::attachPlayerMenu()
{
    if (!m_playerChooser || !m_frmSysTray)
        return;
    // Owned by the tray menu, and gone with it.
    auto* players = new PlayerMenu(m_frmSysTray->mnuPopup(), *m_playerChooser, m_frmSysTray->mnuPopup());
    connect(players, &PlayerMenu::chosen, m_playerChooser, &PlayerChooser::pin);
    connect(
        m_playerChooser, &PlayerChooser::activeChanged, this, &frmMain::onActivePlayerChanged, Qt::UniqueConnection);
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
    mbCancelExport = true;
    mbCancelImport = true;
    mbShuttingDown = true;
    ignoringErrors([this] {
        if (!m_frmSysTray)
            return;
        m_frmSysTray->disconnect(this);
        m_frmSysTray.reset();
    });
}

void frmMain::Form_Unload()
{
    // The user's player outlives Bolvin; the built-in one ends with the process.
    ignoringErrors([this] { DisconnectPlayer(); });
    ignoringErrors([this] { UnloadHotKeys(); });
    ignoringErrors([this] {
        demo->unload();
        mobjPopups.reset();
    });
    ignoringErrors([] { frmShowPic::unloadInstance(); });
}

void frmMain::Minimize_Click()
{
    m_services.desktop.hideWindow(this);
}

void frmMain::Command2_Click()
{
    Unload(UnloadMode::FormCode);
}

OptionsLinks frmMain::optionsLinks()
{
    return OptionsLinks {
        .popUps = [this] { return mobjPopups.get(); },
        .player = [this] { return objiTunesApp; },
        .connectPlayer =
            [this] {
                CheckPlayerRunning(true);
                return objiTunesApp;
            },
        .showTrackPopup = [this] { ShowTrackPopup(); },
        .closeTrackPopups = [this] { closeTrackPopups(); },
        .balloon =
            [this](const QString& message, const QString& title, int icon, int timeoutMs) {
                if (m_frmSysTray)
                    m_frmSysTray->ShowBalloonTip(message, title, icon, timeoutMs);
            },
        .shuttingDown = [this] { return m_unloaded || mbShuttingDown; },
        .settingsLoaded = [this] { LoadHotKeys(); },
    };
}

void frmMain::LoadSettings()
{
    m_options->LoadSettings();
}

QFont frmMain::messageFont() const
{
    return m_options->fontPage().messageFont();
}

void frmMain::showLibraryAbility()
{
    libraryPage->showAbility(playerName(), m_capabilities.library);
}

void frmMain::chkEnablePlayLists_Click()
{
    if (!m_frmSysTray)
        return;
    // The submenu is never shown enabled and empty: what keeps it grey is its tooltip.
    QString reason;
    if (!advancedPage->playListsEnabled()) {
        reason = QStringLiteral("Tick \"Enable Play Lists\" on the Advanced page to list them here.");
    } else if (!objiTunesApp) {
        m_frmSysTray->ClearPlayLists();
        mbPlaylistsEnabled = false;
        reason = QStringLiteral("No player is attached.");
    } else if (!m_capabilities.playlists) {
        reason = m_capabilities.playlists.reason;
    } else {
        if (!mbPlaylistsEnabled) {
            ignoringErrors([this] { LoadPlaylists(); });
            mbPlaylistsEnabled = true;
        }
        if (!m_frmSysTray->mnuPlayList().isVisible(0))
            reason = playerName() + QStringLiteral(" has no playlists.");
    }
    m_frmSysTray->playlists()->setEnabled(reason.isEmpty());
    m_frmSysTray->playlists()->setToolTip(reason);
}
