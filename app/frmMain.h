#pragma once

#include "artwork/ShowPicServices.h"
#include "popup/PopUpFontSource.h"
#include "popup/PopUpServices.h"

#include <QWidget>

#include <memory>

class AboutPage;
class AdvancedPage;
class DemoHarness;
class Desktop;
class FontPage;
class GlobalHotKeys;
class HotKeyRegistrar;
class HotKeysPage;
class InstanceGuard;
class LibraryPage;
class LibraryTransferView;
class NotificationPage;
class OptionSettings;
class PlayerApplication;
class PlayerBackend;
class PlayerChooser;
class PlayerLink;
class PopUpMessage;
class PopUpMessages;
class QLabel;
class QPushButton;
class QTabWidget;
class Registry;
class SettingsStore;
class TrackNotification;
class TrayCommands;
class TrayShell;
struct HotKeySettings;
struct TrackPopUpOptions;
class frmSysTray;

// Everything outside the window that the program reaches through a narrow interface.
struct AppServices {
    Desktop& desktop;
    InstanceGuard& instanceGuard;
    SettingsStore& settings;
    Registry& registry;
    PlayerBackend& playerBackend;
    TrayShell& trayShell;
    HotKeyRegistrar& hotKeyRegistrar;
    // Where icons, backgrounds, logos and sounds are.
    QString resourceDir;
    // The folder the program was started from.
    QString programDir;
    // The screen, clock, sound and the rest that the pop-ups use.
    PopUpServices popUps;
    // The screen, beep and printer of the floating artwork window.
    ShowPicServices artwork;
};

// The options window, hidden most of the time, and the program's controller for its whole
// run: it owns the tray component, the player link and the pop-up collection. Its controls
// are the working copy of every setting.
class frmMain : public QWidget, public PopUpFontSource
{
    Q_OBJECT
public:
    // Why the window is being unloaded. Only the window's own close box is refused.
    enum class UnloadMode { FormControlMenu, FormCode, AppWindows, TaskManager };

    // The program's icon, and the size the tray shows it at.
    static constexpr auto kIconResource = "AAA";
    static constexpr int kTrayIconSize = 16;

    explicit frmMain(const AppServices& services, QWidget* parent = nullptr);
    ~frmMain() override;

    // With several players on the desktop: the tray gets a "Player" submenu and the
    // connection follows the active player.
    void setPlayerChooser(PlayerChooser* chooser);
    // Start-up. False when another instance runs: this one has then told the user and
    // must end.
    bool Form_Load();
    // Ends the program through the shutdown, unless the close is refused. Emits unloaded().
    void Unload(UnloadMode mode = UnloadMode::FormCode);
    bool isUnloaded() const { return m_unloaded; }

    QFont messageFont() const override;

    // Loads every stored setting into the controls, then registers the hotkeys.
    void LoadSettings();

    // For tests and the integration harness.
    frmSysTray* sysTray() const { return m_frmSysTray.get(); }
    PlayerLink& link() const { return *m_link; }
    TrackNotification& notification() const { return *m_notification; }
    GlobalHotKeys& hotKeys() const { return *m_hotKeys; }
    PopUpMessages* popups() const;
    PopUpMessage* artPopUp() const;
    PopUpMessage* titlePopUp() const;
    bool isConnected() const;
    bool exportCancelled() const { return mbCancelExport; }
    bool importCancelled() const { return mbCancelImport; }

    QTabWidget* T = nullptr;
    NotificationPage* notificationPage = nullptr;
    FontPage* fontPage = nullptr;
    HotKeysPage* hotKeysPage = nullptr;
    AdvancedPage* advancedPage = nullptr;
    LibraryPage* libraryPage = nullptr;
    AboutPage* aboutPage = nullptr;
    DemoHarness* demo = nullptr;
    QPushButton* btnPreview = nullptr;
    QPushButton* btnSave = nullptr;
    QLabel* Picture1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Minimize = nullptr;

signals:
    // The shutdown has run; the process may end.
    void unloaded();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // frmMain.cpp: the window and the lifecycle.
    void buildWindow();
    void createSysTray();
    void attachPlayerMenu();
    // The player link, the track notification, the tray commands and the hotkeys.
    void createParts();
    HotKeySettings hotKeySettings() const;
    TrackPopUpOptions trackPopUpOptions() const;
    // The pop-up collection and the demonstration pop-up, for the whole run.
    void createPopups();
    // Without a notification area the window is the only way in: it opens and says why.
    void checkTrayHost();
    void Form_QueryUnload(bool& Cancel, UnloadMode UnloadMode);
    void Form_Unload();
    void Minimize_Click();
    void Command2_Click();
    void chkStartup_Click();

    // frmMainOptions.cpp: the controls that act at once, Save and Load Defaults.
    void connectOptionHandlers();
    void btnSave_Click();
    void btnDefaults_Click();
    void chkFading_Click();
    void scrShowDelay_Change();
    void scrMovementIndex_Change();
    void scrScrollDelay_Change();
    void optDirection_Click(int Index);
    void chkEnablePlayLists_Click();
    void cboFonts_Click();
    void cboFontSize_Click();
    void chkFontBold_Click();
    void chkFontItalic_Click();
    void btnPreview_Click();
    void Command3_Click();
    void Picture1_Click();
    void chkUseParent_Click();
    void chkAdd_Click();
    void cmdShowDefault_Click();
    void tmrWorking_Timer();
    void FillFontSizes();
    void UpdateFontPreview();
    void CreateDefaultPopUp();
    void AddSamplePopUp();
    void SetPopUpParent(bool usePictureBox);
    void pushOptionsToPopups();
    QString soundFile(const QString& name) const;

    // frmMainLibrary.cpp: export and import of the library's extras.
    void connectLibraryHandlers();
    std::unique_ptr<LibraryTransferView> transferView(bool forExport);
    void cmdStartBackup_Click();
    void cmdStartImport_Click();
    void showLibraryAbility();
    // The player is about to quit: transfers with it stop.
    void onPlayerQuit();

    AppServices m_services;
    std::unique_ptr<OptionSettings> m_optionSettings;
    std::unique_ptr<frmSysTray> m_frmSysTray;
    std::unique_ptr<PlayerLink> m_link;
    std::unique_ptr<TrackNotification> m_notification;
    std::unique_ptr<TrayCommands> m_trayCommands;
    std::unique_ptr<GlobalHotKeys> m_hotKeys;
    std::shared_ptr<PopUpMessage> mobjDefaultPopUp;
    PlayerChooser* m_playerChooser = nullptr;
    QLabel* m_noTrayNotice = nullptr;
    QString m_shownLibraryReason;
    bool mbCancelExport = false;
    bool mbCancelImport = false;
    bool mbShuttingDown = false;
    bool m_unloaded = false;
    int mLastFontIndex = 0;
    int mLastFontSizeIndex = 0;
    bool mLastFontBold = false;
    bool mLastFontItalic = false;
    QWidget* m_visiblePart = nullptr;
};
