#include "OptionPages.h"

#include "AboutPage.h"
#include "AdvancedPage.h"
#include "ControlNames.h"
#include "FontPage.h"
#include "HotKeysPage.h"
#include "LibraryPage.h"
#include "LibraryTransfers.h"
#include "NotificationPage.h"
#include "OptionSettings.h"
#include "app/Branding.h"
#include "app/link/PlayerLink.h"
#include "platform/desktop/Desktop.h"
#include "player/IgnoringErrors.h"
#include "player/PlayerApplication.h"
#include "popup/PopUpMessages.h"

#include <QDir>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

#include <cstdio>

namespace
{
// Lets a label act as a clickable picture.
class ClickFilter : public QObject
{
public:
    ClickFilter(QObject* parent, std::function<void()> onClick)
        : QObject(parent)
        , m_onClick(std::move(onClick))
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::MouseButtonRelease
            && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            m_onClick();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_onClick;
};
}

OptionPages::OptionPages(
    const OptionServices& services, OptionsLinks links, const BackgroundPictures& backgrounds, QWidget* parent)
    : QTabWidget(parent)
    , m_services(services)
    , m_links(std::move(links))
{
    setObjectName(QStringLiteral("T"));
    const QDir resources(m_services.resourceDir);
    m_notification = new NotificationPage(backgrounds, m_links.popUps);
    m_font = new FontPage;
    m_hotKeys = new HotKeysPage;
    m_advanced = new AdvancedPage(m_services, m_links.popUps);
    m_library = new LibraryPage;
    m_about = new AboutPage(resources.filePath(QStringLiteral("logos/about.png")), m_services.desktop);
    addTab(m_notification, QStringLiteral("Notification  "));
    addTab(m_font, QStringLiteral("Font  "));
    addTab(m_hotKeys, QStringLiteral("Hot Keys  "));
    addTab(m_advanced, QStringLiteral("Advanced  "));
    addTab(m_library, QStringLiteral("Library"));
    addTab(m_about, QStringLiteral("About"));

    m_settings = std::make_unique<OptionSettings>(
        m_services.settings, m_services.desktop, *m_notification, *m_font, *m_hotKeys, *m_advanced, *m_library);
    m_transfers = new LibraryTransfers(
        *m_library, m_services.desktop, m_links.connectPlayer, m_links.balloon,
        [this] { return m_advanced->completionMessageBox(); }, m_links.shuttingDown);
    connect(m_advanced, &AdvancedPage::defaultsRequested, this, &OptionPages::btnDefaults_Click);
    connect(m_hotKeys, &HotKeysPage::changeRequested, this, &OptionPages::btnSave_Click);
}

OptionPages::~OptionPages() = default;

OptionPages::Buttons OptionPages::createButtons(QWidget* parent)
{
    Buttons buttons { new QPushButton(QStringLiteral("Preview"), parent),
        new QPushButton(QStringLiteral("Save"), parent), new QLabel(parent) };
    buttons.Picture1->setPixmap(QPixmap(QDir(m_services.resourceDir).filePath(QStringLiteral("logos/weblink.png"))));
    buttons.Picture1->setCursor(Qt::PointingHandCursor);
    buttons.Picture1->setToolTip(QStringLiteral("Visit the Bolvin web site"));
    nameControls(
        { { buttons.btnPreview, "btnPreview" }, { buttons.btnSave, "btnSave" }, { buttons.Picture1, "Picture1" } });
    connect(buttons.btnPreview, &QPushButton::clicked, this, &OptionPages::btnPreview_Click);
    connect(buttons.btnSave, &QPushButton::clicked, this, &OptionPages::btnSave_Click);
    buttons.Picture1->installEventFilter(new ClickFilter(buttons.Picture1, [this] { Picture1_Click(); }));
    return buttons;
}

void OptionPages::fillLists()
{
    m_hotKeys->fillKeys();
    m_font->FillFontSizes();
}

void OptionPages::load()
{
    m_settings->load();
    if (const QStringList reset = m_settings->resetKeys(); !reset.isEmpty())
        std::fprintf(stderr, "bolvin: settings reset to their defaults (the stored values were unusable): %s\n",
            qPrintable(reset.join(QStringLiteral(", "))));
}

void OptionPages::LoadSettings()
{
    load();
    m_links.settingsLoaded();
}

void OptionPages::btnSave_Click()
{
    m_settings->save();
    LoadSettings();
}

void OptionPages::btnDefaults_Click()
{
    m_settings->deleteAll();
    LoadSettings();
}

void OptionPages::Picture1_Click()
{
    m_services.desktop.openUrl(QString::fromLatin1(kWebAddress));
}

void OptionPages::btnPreview_Click()
{
    ignoringErrors([this] {
        if (PopUpMessages* popUps = m_links.popUps(); popUps && popUps->Count() >= 1)
            m_links.closeTrackPopups();
    });
    ignoringErrors([this] {
        const std::shared_ptr<PlayerApplication> player = m_links.player();
        if (!player)
            return;
        bool hasTrack = true;
        try {
            player->CurrentTrack()->BitRate();
        } catch (...) {
            hasTrack = false;
        }
        if (hasTrack) {
            m_links.showTrackPopup();
            return;
        }
        // The play event that follows brings the notification.
        const auto playlists = player->LibrarySource()->Playlists();
        for (int i = 1; i <= playlists->Count(); ++i) {
            const auto playlist = playlists->Item(i);
            if (playlist->Name() == QLatin1String("Library")) {
                playlist->PlayFirstTrack();
                break;
            }
        }
    });
}

TrackPopUpOptions OptionPages::trackPopUpOptions() const
{
    const NotificationPage::TrackParts parts = m_notification->trackParts();
    return TrackPopUpOptions { parts.title, parts.art, parts.stickyTitle, parts.stickyArt, parts.floatArt,
        parts.stretchArt, m_notification->topEdge(), m_notification->leftEdge(), m_advanced->popUpWidth(),
        m_advanced->popUpHeight(), m_notification->chosenBackground(), parts.desktopNotifications };
}

void OptionPages::follow(PlayerLink& link)
{
    m_link = &link;
    connect(&link, &PlayerLink::changed, this, &OptionPages::showLibraryAbility);
    connect(m_library, &LibraryPage::librarySourceChanged, this, &OptionPages::showLibraryAbility);
    connect(&link, &PlayerLink::playerQuit, m_transfers, &LibraryTransfers::cancel);
    connect(m_advanced, &AdvancedPage::playListsToggled, &link,
        [this, &link] { link.showPlaylists(m_advanced->playListsEnabled()); });
}

void OptionPages::showLibraryAbility()
{
    if (m_link)
        m_library->showAbility(m_link->playerName(), m_link->capabilities().library);
}
