#pragma once

#include "OptionsLinks.h"
#include "app/notification/TrackPopUpOptions.h"

#include <QTabWidget>

#include <memory>

class AboutPage;
class AdvancedPage;
class BackgroundPictures;
class FontPage;
class HotKeysPage;
class LibraryPage;
class LibraryTransfers;
class PlayerLink;
class NotificationPage;
class OptionSettings;
class QLabel;
class QPushButton;

// The options window's pages, and what spans them: the settings load, Save and Load
// Defaults, and the buttons beside the pages. The controls are the working copy of every
// setting.
class OptionPages : public QTabWidget
{
    Q_OBJECT
public:
    OptionPages(const OptionServices& services, OptionsLinks links, const BackgroundPictures& backgrounds,
        QWidget* parent = nullptr);
    ~OptionPages() override;

    // Fills the selectors whose entries never change; once, before the first load.
    void fillLists();
    // Loads every stored setting into the controls.
    void load();
    // The same, then tells settingsLoaded.
    void LoadSettings();
    // The pages that depend on the player follow it: the library's source, the transfers,
    // the playlist submenu.
    void follow(PlayerLink& link);
    // The Library page says whether the chosen library can be transferred, and why not.
    void showLibraryAbility();
    // What the pages say about a track's pop-ups, now.
    TrackPopUpOptions trackPopUpOptions() const;

    // The controls the window lays out in the row below the pages.
    struct Buttons {
        QPushButton* btnPreview;
        QPushButton* btnSave;
        // The web site's picture.
        QLabel* Picture1;
    };
    Buttons createButtons(QWidget* parent);

    NotificationPage& notificationPage() const { return *m_notification; }
    FontPage& fontPage() const { return *m_font; }
    HotKeysPage& hotKeysPage() const { return *m_hotKeys; }
    AdvancedPage& advancedPage() const { return *m_advanced; }
    LibraryPage& libraryPage() const { return *m_library; }
    AboutPage& aboutPage() const { return *m_about; }
    LibraryTransfers& transfers() const { return *m_transfers; }

private:
    void btnSave_Click();
    void btnDefaults_Click();
    // Closes the track pop-ups on show, then shows the current track's; with no track, the
    // library's first starts, and its play event brings them.
    void btnPreview_Click();
    void Picture1_Click();

    OptionServices m_services;
    OptionsLinks m_links;
    NotificationPage* m_notification;
    FontPage* m_font;
    HotKeysPage* m_hotKeys;
    AdvancedPage* m_advanced;
    LibraryPage* m_library;
    AboutPage* m_about;
    LibraryTransfers* m_transfers;
    PlayerLink* m_link = nullptr;
    std::unique_ptr<OptionSettings> m_settings;
};
