#include "frmMain.h"

#include "Branding.h"
#include "Version.h"
#include "app/commands/GlobalHotKeys.h"
#include "app/link/PlayerLink.h"
#include "app/notification/TrackNotification.h"
#include "options/AboutPage.h"
#include "options/AdvancedPage.h"
#include "options/DemoHarness.h"
#include "options/FontPage.h"
#include "options/HotKeysPage.h"
#include "options/NotificationPage.h"
#include "options/OptionGroup.h"
#include "options/OptionSettings.h"
#include "platform/desktop/Desktop.h"
#include "platform/screen/modFunctions.h"
#include "player/IgnoringErrors.h"
#include "player/PlayerApplication.h"
#include "popup/PopUpMessage.h"
#include "popup/PopUpMessages.h"
#include "tray/frmSysTray.h"
#include "tray/hotkeys/HotKeySettings.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

#include <array>
#include <cstdio>

namespace
{
constexpr auto kSampleVendor = "Acme Notifier";
constexpr std::array<int, 18> kFontSizes { 6, 7, 8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72 };
constexpr int kFallbackSizeEntry = 2;
constexpr int kProgressFull = 100;
constexpr quint32 kWhite = 0xFFFFFF;

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

void frmMain::connectOptionHandlers()
{
    NotificationPage& n = *notificationPage;
    AdvancedPage& a = *advancedPage;
    FontPage& f = *fontPage;
    connect(n.chkFading, &QCheckBox::toggled, this, &frmMain::chkFading_Click);
    connect(a.scrShowDelay, &QScrollBar::valueChanged, this, &frmMain::scrShowDelay_Change);
    connect(a.scrMovementIndex, &QScrollBar::valueChanged, this, &frmMain::scrMovementIndex_Change);
    connect(a.scrScrollDelay, &QScrollBar::valueChanged, this, &frmMain::scrScrollDelay_Change);
    connect(n.optDirection, &OptionGroup::Click, this, &frmMain::optDirection_Click);
    connect(a.chkEnablePlayLists, &QCheckBox::toggled, this, &frmMain::chkEnablePlayLists_Click);
    connect(a.chkStartup, &QCheckBox::toggled, this, &frmMain::chkStartup_Click);
    connect(a.btnDefaults, &QPushButton::clicked, this, &frmMain::btnDefaults_Click);
    connect(f.cboFonts, &QComboBox::currentIndexChanged, this, &frmMain::cboFonts_Click);
    connect(f.cboFontSize, &QComboBox::currentIndexChanged, this, &frmMain::cboFontSize_Click);
    connect(f.chkFontBold, &QCheckBox::toggled, this, &frmMain::chkFontBold_Click);
    connect(f.chkFontItalic, &QCheckBox::toggled, this, &frmMain::chkFontItalic_Click);
    connect(hotKeysPage->cmdChangeHotkey, &QPushButton::clicked, this, &frmMain::btnSave_Click);
    connect(btnSave, &QPushButton::clicked, this, &frmMain::btnSave_Click);
    connect(btnPreview, &QPushButton::clicked, this, &frmMain::btnPreview_Click);
    connect(aboutPage->Command3, &QPushButton::clicked, this, &frmMain::Command3_Click);
    Picture1->installEventFilter(new ClickFilter(Picture1, [this] { Picture1_Click(); }));
    connect(demo->chkUseParent, &QCheckBox::toggled, this, &frmMain::chkUseParent_Click);
    connect(demo->chkAdd, &QCheckBox::toggled, this, &frmMain::chkAdd_Click);
    connect(demo->tmrAdd, &QTimer::timeout, this, &frmMain::AddSamplePopUp);
    connect(demo->cmdShowDefault, &QPushButton::clicked, this, &frmMain::cmdShowDefault_Click);
    connect(demo->tmrWorking, &QTimer::timeout, this, &frmMain::tmrWorking_Timer);
}

void frmMain::LoadSettings()
{
    m_optionSettings->load();
    if (const QStringList reset = m_optionSettings->resetKeys(); !reset.isEmpty())
        std::fprintf(stderr, "bolvin: settings reset to their defaults (the stored values were unusable): %s\n",
            qPrintable(reset.join(QStringLiteral(", "))));
    m_hotKeys->LoadHotKeys(hotKeySettings());
}

void frmMain::btnSave_Click()
{
    m_optionSettings->save();
    LoadSettings();
}

void frmMain::btnDefaults_Click()
{
    m_optionSettings->deleteAll();
    LoadSettings();
}

// The live handlers act on the pop-up collection, which exists only once a player is
// connected; before that they do nothing, and the connection pushes every value.
void frmMain::chkFading_Click()
{
    if (m_notification->popups())
        m_notification->popups()->setAllowFading(notificationPage->chkFading->isChecked());
}

void frmMain::scrShowDelay_Change()
{
    if (m_notification->popups())
        m_notification->popups()->setShowDelay(advancedPage->scrShowDelay->value());
}

void frmMain::scrMovementIndex_Change()
{
    if (m_notification->popups())
        m_notification->popups()->setMovementIndex(advancedPage->scrMovementIndex->value());
}

void frmMain::scrScrollDelay_Change()
{
    if (m_notification->popups())
        m_notification->popups()->setScrollDelay(advancedPage->scrScrollDelay->value());
}

void frmMain::optDirection_Click(int Index)
{
    if (m_notification->popups())
        m_notification->popups()->setPopUpDirection(Index);
}

void frmMain::pushOptionsToPopups()
{
    chkFading_Click();
    scrShowDelay_Change();
    scrMovementIndex_Change();
    scrScrollDelay_Change();
    const int direction = notificationPage->optDirection->selectedIndex();
    if (direction >= 0)
        optDirection_Click(direction);
}

void frmMain::chkEnablePlayLists_Click()
{
    m_link->showPlaylists(advancedPage->chkEnablePlayLists->isChecked());
}

void frmMain::cboFonts_Click()
{
    const int index = fontPage->cboFonts->currentIndex();
    if (index != mLastFontIndex) {
        FillFontSizes();
        UpdateFontPreview();
    }
    mLastFontIndex = index;
}

void frmMain::cboFontSize_Click()
{
    const int index = fontPage->cboFontSize->currentIndex();
    if (index != mLastFontSizeIndex)
        UpdateFontPreview();
    mLastFontSizeIndex = index;
}

void frmMain::chkFontBold_Click()
{
    const bool bold = fontPage->chkFontBold->isChecked();
    if (bold != mLastFontBold)
        UpdateFontPreview();
    mLastFontBold = bold;
}

void frmMain::chkFontItalic_Click()
{
    const bool italic = fontPage->chkFontItalic->isChecked();
    if (italic != mLastFontItalic)
        UpdateFontPreview();
    mLastFontItalic = italic;
}

void frmMain::FillFontSizes()
{
    QComboBox* sizes = fontPage->cboFontSize;
    const QSignalBlocker quiet(sizes);
    sizes->clear();
    for (const int size : kFontSizes)
        sizes->addItem(QString::number(size));
    // Refilling leaves no selection, as an emptied list does.
    sizes->setCurrentIndex(-1);
    mLastFontSizeIndex = -1;
}

void frmMain::UpdateFontPreview()
{
    ignoringErrors([this] {
        QLabel* sample = fontPage->lblSample;
        sample->setText(QStringLiteral("Preview font\r\n") + fontPage->cboFonts->currentText());
        if (fontPage->cboFontSize->currentText().isEmpty()) {
            const QSignalBlocker quiet(fontPage->cboFontSize);
            fontPage->cboFontSize->setCurrentIndex(kFallbackSizeEntry);
            mLastFontSizeIndex = kFallbackSizeEntry;
        }
        sample->setFont(messageFont());
    });
}

QFont frmMain::messageFont() const
{
    QFont font(fontPage->cboFonts->currentText());
    bool ok = false;
    const int size = fontPage->cboFontSize->currentText().toInt(&ok);
    if (ok && size > 0)
        font.setPointSize(size);
    font.setBold(fontPage->chkFontBold->isChecked());
    font.setItalic(fontPage->chkFontItalic->isChecked());
    return font;
}

void frmMain::Command3_Click()
{
    const QString text = QStringLiteral("Bolvin %1\r\n%2\r\n\r\n%3")
                             .arg(Version::text(), QString::fromLatin1(kAuthorLine), QString::fromLatin1(kWebAddress));
    m_services.desktop.messageBox(text);
}

void frmMain::Picture1_Click()
{
    m_services.desktop.openUrl(QString::fromLatin1(kWebAddress));
}

QString frmMain::soundFile(const QString& name) const
{
    return QDir(m_services.resourceDir).filePath(QStringLiteral("sounds/") + name);
}

void frmMain::CreateDefaultPopUp()
{
    auto popUp = std::make_shared<PopUpMessage>();
    popUp->setBackground(notificationPage->background(1));
    popUp->setForeColor(kWhite);
    popUp->setLogo(demo->imgLogo[1]->pixmap());
    popUp->setWavFile(soundFile(QStringLiteral("newemail.wav")));
    popUp->setCaption(QStringLiteral("New Email"));
    popUp->setMessage(QStringLiteral("You have received\r\n4 new emails.\r\nDownloading..."));
    popUp->setClickable(true);
    popUp->setProgressBar(true);
    mobjDefaultPopUp = popUp;
}

void frmMain::AddSamplePopUp()
{
    if (!m_notification->popups())
        return;
    auto popUp = std::make_shared<PopUpMessage>();
    popUp->setCaption(QString::fromLatin1(kSampleVendor));
    popUp->setMessage(QStringLiteral("I am a doctor, it is \r\nnecrotising fasciitis says:\r\n'Woof...'"));
    popUp->setClickable(false);
    popUp->setLogo(demo->imgLogo[demo->optLogo->value(0) ? 0 : 1]->pixmap());
    const std::array<const char*, 3> sounds { "type.wav", "newemail.wav", "online.wav" };
    const int wav = demo->optWav->selectedIndex();
    if (wav >= 0)
        popUp->setWavFile(soundFile(QString::fromLatin1(sounds[wav])));
    m_notification->popups()->Show(popUp);
}

void frmMain::chkUseParent_Click()
{
    SetPopUpParent(demo->chkUseParent->isChecked());
}

void frmMain::SetPopUpParent(bool usePictureBox)
{
    if (!m_notification->popups())
        return;
    m_notification->popups()->setParentHandle(usePictureBox ? demo->picHolder : nullptr);
    m_notification->popups()->placeInCorner(
        notificationPage->optYPos->selectedIndex() == 0, notificationPage->optXPos->selectedIndex() == 0);
}

void frmMain::chkAdd_Click()
{
    if (demo->chkAdd->isChecked())
        demo->tmrAdd->start();
    else
        demo->tmrAdd->stop();
}

void frmMain::cmdShowDefault_Click()
{
    if (!m_notification->popups() || !mobjDefaultPopUp)
        return;
    m_notification->popups()->Show(mobjDefaultPopUp);
    demo->tmrWorking->start();
}

void frmMain::tmrWorking_Timer()
{
    ignoringErrors([this] {
        if (!mobjDefaultPopUp) {
            demo->tmrWorking->stop();
            return;
        }
        PopUpMessage& popUp = *mobjDefaultPopUp;
        if (popUp.Value() == kProgressFull)
            popUp.setValue(1);
        popUp.setValue(popUp.Value() + 1);
        if (popUp.Value() == kProgressFull || !popUp.Visible())
            demo->tmrWorking->stop();
    });
}

void frmMain::btnPreview_Click()
{
    ignoringErrors([this] {
        if (m_notification->trackPopupsShowing())
            m_notification->closeTrackPopups();
    });
    ignoringErrors([this] {
        const std::shared_ptr<PlayerApplication> player = m_link->player();
        if (!player)
            return;
        bool hasTrack = true;
        try {
            player->CurrentTrack()->BitRate();
        } catch (...) {
            hasTrack = false;
        }
        if (hasTrack) {
            m_notification->ShowTrackPopup();
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
