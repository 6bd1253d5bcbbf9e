#include "frmMain.h"

#include "Branding.h"
#include "Version.h"
#include "WindowHelpers.h"
#include "app/commands/GlobalHotKeys.h"
#include "app/commands/TrayCommands.h"
#include "app/link/PlayerLink.h"
#include "app/notification/TrackNotification.h"
#include "artwork/ShowPicServices.h"
#include "artwork/frmShowPic.h"
#include "options/AboutPage.h"
#include "options/AdvancedPage.h"
#include "options/DemoHarness.h"
#include "options/FontPage.h"
#include "options/HotKeysPage.h"
#include "options/LibraryPage.h"
#include "options/LibraryTransferView.h"
#include "options/NotificationPage.h"
#include "options/OptionGroup.h"
#include "options/OptionSettings.h"
#include "platform/autostart/Registry.h"
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
#include "tray/hotkeys/HotKeySettings.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
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

}

frmMain::frmMain(const AppServices& services, QWidget* parent)
    : QWidget(parent)
    , m_services(services)
{
    buildWindow();
    createParts();
    m_optionSettings = std::make_unique<OptionSettings>(m_services.settings, m_services.desktop, *notificationPage,
        *fontPage, *hotKeysPage, *advancedPage, *libraryPage);
    connectOptionHandlers();
    connectLibraryHandlers();
    frmShowPic::installServices(m_services.artwork);
    connect(&m_services.instanceGuard, &InstanceGuard::quitRequested, this, [this] { Unload(UnloadMode::FormCode); });
    connect(&m_services.instanceGuard, &InstanceGuard::showRequested, this, [this] {
        m_services.desktop.showWindow(this);
        m_services.desktop.raiseWindow(this);
    });
}

frmMain::~frmMain()
{
    // The artwork window was given this window's services, which do not outlive it.
    ignoringErrors([] { frmShowPic::unloadInstance(); });
}

void frmMain::buildWindow()
{
    setWindowTitle(QStringLiteral("Bolvin"));
    const QDir resources(m_services.resourceDir);

    m_visiblePart = new QWidget(this);
    m_noTrayNotice
        = new QLabel(QStringLiteral("Your desktop shows no notification area, so Bolvin has no tray icon. "
                                    "Pop-ups and hotkeys still work; start Bolvin again to open this window."),
            m_visiblePart);
    m_noTrayNotice->setObjectName(QStringLiteral("lblNoTray"));
    m_noTrayNotice->setWordWrap(true);
    m_noTrayNotice->hide();
    T = new QTabWidget(m_visiblePart);
    T->setObjectName(QStringLiteral("T"));
    notificationPage = new NotificationPage(resources.filePath(QStringLiteral("backgrounds")));
    fontPage = new FontPage;
    hotKeysPage = new HotKeysPage;
    advancedPage = new AdvancedPage;
    libraryPage = new LibraryPage;
    aboutPage = new AboutPage(resources.filePath(QStringLiteral("logos/about.png")));
    T->addTab(notificationPage, QStringLiteral("Notification  "));
    T->addTab(fontPage, QStringLiteral("Font  "));
    T->addTab(hotKeysPage, QStringLiteral("Hot Keys  "));
    T->addTab(advancedPage, QStringLiteral("Advanced  "));
    T->addTab(libraryPage, QStringLiteral("Library"));
    T->addTab(aboutPage, QStringLiteral("About"));

    btnPreview = new QPushButton(QStringLiteral("Preview"), m_visiblePart);
    btnSave = new QPushButton(QStringLiteral("Save"), m_visiblePart);
    Picture1 = new QLabel(m_visiblePart);
    Picture1->setPixmap(QPixmap(resources.filePath(QStringLiteral("logos/weblink.png"))));
    Picture1->setCursor(Qt::PointingHandCursor);
    Picture1->setToolTip(QStringLiteral("Visit the Bolvin web site"));
    Command2 = new QPushButton(QStringLiteral("Quit"), m_visiblePart);
    Minimize = new QPushButton(QStringLiteral("Hide"), m_visiblePart);
    connect(Command2, &QPushButton::clicked, this, &frmMain::Command2_Click);
    connect(Minimize, &QPushButton::clicked, this, &frmMain::Minimize_Click);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnPreview);
    buttons->addWidget(btnSave);
    buttons->addStretch();
    buttons->addWidget(Picture1);
    buttons->addStretch();
    buttons->addWidget(Command2);
    buttons->addWidget(Minimize);
    auto* layout = new QVBoxLayout(m_visiblePart);
    layout->addWidget(m_noTrayNotice);
    layout->addWidget(T);
    layout->addLayout(buttons);

    // Every page caption shows without scroll arrows.
    T->setMinimumWidth(T->tabBar()->sizeHint().width() + T->tabBar()->height());

    // The demonstration controls sit below the visible part; enlarging the window shows them.
    demo = new DemoHarness(resources.filePath(QStringLiteral("logos")), this);
    setMinimumSize(m_visiblePart->sizeHint());
    resize(m_visiblePart->sizeHint());
}

void frmMain::createParts()
{
    m_link = std::make_unique<PlayerLink>(
        m_services.playerBackend, m_services.desktop, [this] { return m_frmSysTray.get(); });
    connect(m_link.get(), &PlayerLink::changed, this, [this] {
        if (!m_unloaded)
            showLibraryAbility();
    });
    connect(m_link.get(), &PlayerLink::playerQuit, this, &frmMain::onPlayerQuit);
    m_notification = std::make_unique<TrackNotification>(
        *m_link, m_services.desktop, m_services.popUps, [this] { return trackPopUpOptions(); });
    connect(m_notification.get(), &TrackNotification::timingInUse, this,
        [this](int showDelay, int movementIndex, int scrollDelay) {
            advancedPage->scrShowDelay->setValue(showDelay);
            advancedPage->scrMovementIndex->setValue(movementIndex);
            advancedPage->scrScrollDelay->setValue(scrollDelay);
        });
    const auto showWindow = [this] {
        m_services.desktop.showWindow(this);
        m_services.desktop.raiseWindow(this);
    };
    m_trayCommands = std::make_unique<TrayCommands>(*m_link, *m_notification, m_services.desktop,
        TrayCommands::Window { showWindow, [this] { Unload(UnloadMode::FormCode); } });
    m_hotKeys
        = std::make_unique<GlobalHotKeys>(m_services.hotKeyRegistrar, m_services.desktop, *m_link, *m_notification);
}

TrackPopUpOptions frmMain::trackPopUpOptions() const
{
    const NotificationPage& page = *notificationPage;
    TrackPopUpOptions options;
    options.popTitle = page.chkPopTitle->isChecked();
    options.popArt = page.chkPopArt->isChecked();
    options.stickyTitle = page.chkStickyTitle->isChecked();
    options.stickyArt = page.chkStickyArt->isChecked();
    options.floatArt = page.chkFloatArt->isChecked();
    options.stretchArt = page.chkStretchBkg->isChecked();
    options.top = page.optYPos->selectedIndex() == 0;
    options.left = page.optXPos->selectedIndex() == 0;
    options.width = advancedPage->scrPopUpWidth->value();
    options.height = advancedPage->scrPopUpHeight->value();
    options.titleBackground = page.background(page.optBackGround->selectedIndex());
    return options;
}

HotKeySettings frmMain::hotKeySettings() const
{
    HotKeySettings settings;
    settings.enabled = hotKeysPage->chkEnableHotKey->isChecked();
    settings.modifier = hotKeysPage->cboHotKeyMod->currentText();
    const auto selectors = hotKeysPage->keySelectors();
    for (std::size_t i = 0; i < selectors.size(); ++i)
        settings.keys[i] = selectors[i]->currentText();
    return settings;
}

PopUpMessages* frmMain::popups() const
{
    return m_notification->popups();
}

PopUpMessage* frmMain::artPopUp() const
{
    return m_notification->artPopUp();
}

PopUpMessage* frmMain::titlePopUp() const
{
    return m_notification->titlePopUp();
}

bool frmMain::isConnected() const
{
    return m_link->isConnected();
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
    m_frmSysTray->SetToolTip(PlayerLink::idleToolTip());
    m_frmSysTray->SetIconHandle(m_services.desktop.loadIcon(QString::fromLatin1(kIconResource), kTrayIconSize));
    m_frmSysTray->myrating()->setEnabled(false);
    m_frmSysTray->playlists()->setEnabled(false);

    FillKeyCombo(hotKeysPage->cboHotKeyMod, QStringLiteral("MOD"));
    for (QComboBox* selector : hotKeysPage->keySelectors())
        FillKeyCombo(selector, QStringLiteral("HOTKEY"));
    FillFontSizes();
    // The settings come first, player or not: nothing may show or save a control that was
    // never loaded.
    createPopups();
    LoadSettings();
    pushOptionsToPopups();
    m_link->namePlayerEntries();
    showLibraryAbility();
    m_link->CheckPlayerRunning(false);

    aboutPage->lblAbout->setText(QStringLiteral("version ") + Version::text());

    if (m_services.settings.GetSetting(QStringLiteral("FirstRun"), QStringLiteral("Yes")) == QLatin1String("Yes")) {
        m_link->CheckPlayerRunning(true);
        m_services.desktop.showWindow(this);
        m_services.desktop.raiseWindow(this);
        m_services.settings.SaveSetting(QStringLiteral("FirstRun"), QStringLiteral("No"));
    }
    checkTrayHost();
    return true;
}

void frmMain::createPopups()
{
    m_notification->createPopups(advancedPage->scrPopUpWidth->value(), advancedPage->scrPopUpHeight->value(), *this);
    CreateDefaultPopUp();
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
    m_frmSysTray = std::make_unique<frmSysTray>(m_services.trayShell, *m_notification);
    for (const MenuEntry& entry : kTrayMenu)
        m_frmSysTray->AddMenuItem(QString::fromUtf8(entry.caption), QString::fromUtf8(entry.key), entry.isDefault);
    m_trayCommands->listenTo(*m_frmSysTray);
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
    connect(m_playerChooser, &PlayerChooser::activeChanged, m_link.get(), &PlayerLink::onActivePlayerChanged,
        Qt::UniqueConnection);
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
        m_frmSysTray.reset();
    });
}

void frmMain::Form_Unload()
{
    // The user's player outlives Bolvin; the built-in one ends with the process.
    ignoringErrors([this] { m_link->DisconnectPlayer(); });
    ignoringErrors([this] { m_hotKeys->UnloadHotKeys(hotKeysPage->chkEnableHotKey->isChecked()); });
    ignoringErrors([this] {
        demo->tmrAdd->stop();
        demo->tmrWorking->stop();
        m_notification->releasePopups();
        mobjDefaultPopUp.reset();
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

void frmMain::chkStartup_Click()
{
    Registry& registry = m_services.registry;
    const bool ticked = advancedPage->chkStartup->isChecked();
    if (ticked)
        registry.SetRegistryString(Registry::LocalMachine, QString::fromLatin1(kRunKey), QStringLiteral("Bolvin"),
            registry.runAtLogonCommand(m_services.programDir));
    else
        registry.DeleteRegistryValue(Registry::LocalMachine, QString::fromLatin1(kRunKey), QStringLiteral("Bolvin"));
    m_services.settings.SaveSetting(QStringLiteral("Startup"), ticked ? QStringLiteral("1") : QStringLiteral("0"));
}
