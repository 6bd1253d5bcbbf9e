#include "NotificationPage.h"

#include "BackgroundPictures.h"
#include "ControlNames.h"
#include "OptionGroup.h"
#include "OptionKeys.h"
#include "popup/PopUpMessageLabel.h"
#include "popup/PopUpMessages.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QRadioButton>
#include <QVBoxLayout>

namespace
{
constexpr QSize kBackgroundPreview(72, 20);

QCheckBox* addCheck(QLayout* layout, const QString& caption, bool ticked = false)
{
    auto* box = new QCheckBox(caption);
    box->setChecked(ticked);
    layout->addWidget(box);
    return box;
}

QGroupBox* optionBox(const QString& title, OptionGroup* group, const OptionKeys::Choice& choice)
{
    auto* box = new QGroupBox(title);
    auto* layout = new QVBoxLayout(box);
    for (int i = 0; i < choice.count; ++i)
        layout->addWidget(group->add(choice.caption(i), box));
    group->setValue(choice.defaultIndex, true);
    return box;
}
}

NotificationPage::NotificationPage(const BackgroundPictures& pictures, PopUpsAccess popUps, QWidget* parent)
    : QWidget(parent)
    , optBackGround(new OptionGroup(this))
    , optDirection(new OptionGroup(this))
    , optYPos(new OptionGroup(this))
    , optXPos(new OptionGroup(this))
    , m_popUps(std::move(popUps))
    , m_backgrounds(pictures)
{
    auto* backgrounds = new QGroupBox(QStringLiteral("Text BackGrounds"));
    auto* backgroundGrid = new QGridLayout(backgrounds);
    for (int i = 0; i < OptionKeys::kBackground.count; ++i) {
        backgroundGrid->addWidget(optBackGround->add(OptionKeys::kBackground.caption(i), backgrounds), i, 0);
        imgBack[i] = new QLabel(backgrounds);
        imgBack[i]->setFixedSize(kBackgroundPreview);
        backgroundGrid->addWidget(imgBack[i], i, 1);
    }
    optBackGround->setValue(OptionKeys::kBackground.defaultIndex, true);

    QGroupBox* direction = optionBox(QStringLiteral("Scroll Direction"), optDirection, OptionKeys::kDirection);
    // Reachable only through a stored value.
    optDirection->option(4)->setVisible(false);

    auto* options = new QGroupBox(QStringLiteral("Options"));
    auto* optionsLayout = new QGridLayout(options);
    auto* left = new QVBoxLayout;
    auto* right = new QVBoxLayout;
    chkPopTitle = addCheck(left, QStringLiteral("Pop Title"), true);
    chkPopArt = addCheck(left, QStringLiteral("Pop Art"), true);
    chkStickyTitle = addCheck(left, QStringLiteral("Sticky Title"));
    chkStickyArt = addCheck(left, QStringLiteral("Sticky Art"));
    chkFloatArt = addCheck(right, QStringLiteral("Float Art"));
    chkStretchBkg = addCheck(right, QStringLiteral("Stretch Art"));
    chkFading = addCheck(right, QStringLiteral("Fading"));
    chkDesktopNotifications = addCheck(left, QStringLiteral("Desktop Notifications"));
    chkDesktopNotifications->setToolTip(
        QStringLiteral("The track goes to your desktop's notifications instead of Bolvin's pop-ups."));
    left->addStretch();
    right->addStretch();
    optionsLayout->addLayout(left, 0, 0);
    optionsLayout->addLayout(right, 0, 1);

    QGroupBox* yPos = optionBox(QStringLiteral("Y Position"), optYPos, OptionKeys::kYPos);
    QGroupBox* xPos = optionBox(QStringLiteral("X Position"), optXPos, OptionKeys::kXPos);

    auto* grid = new QGridLayout(this);
    grid->addWidget(backgrounds, 0, 0);
    grid->addWidget(direction, 0, 1);
    grid->addWidget(options, 1, 0);
    auto* position = new QVBoxLayout;
    position->addWidget(yPos);
    position->addWidget(xPos);
    grid->addLayout(position, 1, 1);
    grid->setRowStretch(2, 1);

    m_yPosBox = yPos;
    m_xPosBox = xPos;
    connect(optDirection, &OptionGroup::Click, this, &NotificationPage::showImpliedPosition);

    nameControls({ { optBackGround, "optBackGround" }, { optDirection, "optDirection" }, { chkPopTitle, "chkPopTitle" },
        { chkPopArt, "chkPopArt" }, { chkStickyTitle, "chkStickyTitle" }, { chkStickyArt, "chkStickyArt" },
        { chkFloatArt, "chkFloatArt" }, { chkStretchBkg, "chkStretchBkg" }, { chkFading, "chkFading" },
        { chkDesktopNotifications, "chkDesktopNotifications" }, { optYPos, "optYPos" }, { optXPos, "optXPos" } });
    connect(chkFading, &QCheckBox::toggled, this, &NotificationPage::chkFading_Click);
    connect(optDirection, &OptionGroup::Click, this, &NotificationPage::optDirection_Click);
}

QPixmap NotificationPage::chosenBackground() const
{
    return background(optBackGround->selectedIndex());
}

NotificationPage::TrackParts NotificationPage::trackParts() const
{
    return { chkPopTitle->isChecked(), chkPopArt->isChecked(), chkStickyTitle->isChecked(), chkStickyArt->isChecked(),
        chkFloatArt->isChecked(), chkStretchBkg->isChecked(), chkDesktopNotifications->isChecked() };
}

bool NotificationPage::topEdge() const
{
    return optYPos->selectedIndex() == 0;
}

bool NotificationPage::leftEdge() const
{
    return optXPos->selectedIndex() == 0;
}

int NotificationPage::direction() const
{
    return optDirection->selectedIndex();
}

// The live handlers act on the pop-up collection, which exists only once start-up made it;
// before that they do nothing, and start-up pushes every value.
void NotificationPage::chkFading_Click()
{
    if (PopUpMessages* popUps = m_popUps())
        popUps->setAllowFading(chkFading->isChecked());
}

void NotificationPage::optDirection_Click(int Index)
{
    if (PopUpMessages* popUps = m_popUps())
        popUps->setPopUpDirection(Index);
}

QPixmap NotificationPage::background(int choice) const
{
    return m_backgrounds.picture(choice);
}

void NotificationPage::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (imgBack[0]->pixmap().isNull())
        showSwatches();
}

void NotificationPage::showSwatches()
{
    // Each as a pop-up will show it: the background with a title and a quieter line in the
    // palette's text colours, at the screen's density.
    const qreal ratio = devicePixelRatioF();
    QFont title = font();
    title.setBold(true);
    for (std::size_t i = 0; i < imgBack.size(); ++i) {
        QPixmap swatch = m_backgrounds.picture(int(i)).scaled(
            kBackgroundPreview * ratio, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        swatch.setDevicePixelRatio(ratio);
        QPainter painter(&swatch);
        const QRect area(QPoint(), kBackgroundPreview);
        painter.setFont(title);
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(area.adjusted(0, 0, -area.width() / 2, 0), Qt::AlignCenter, QStringLiteral("Aa"));
        painter.setFont(font());
        painter.setPen(PopUpMessageLabel::secondaryColour(palette()));
        painter.drawText(area.adjusted(area.width() / 2, 0, 0, 0), Qt::AlignCenter, QStringLiteral("Aa"));
        painter.end();
        imgBack[i]->setPixmap(swatch);
    }
}

void NotificationPage::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() != QEvent::PaletteChange)
        return;
    if (isVisible())
        showSwatches();
    else
        for (QLabel* swatch : imgBack)
            swatch->setPixmap(QPixmap());
}

void NotificationPage::showImpliedPosition(int direction)
{
    static const std::array<const char*, 5> kEdge { "Pop-ups moving up come in from the bottom edge.",
        "Pop-ups moving down come in from the top edge.", "Pop-ups moving left come in from the right edge.",
        "Pop-ups moving right come in from the left edge.", "Pop-ups moving left come in from the right edge." };
    const bool vertical = direction == 0 || direction == 1;
    const bool known = direction >= 0 && direction < int(kEdge.size());
    const QString reason = known ? QString::fromLatin1(kEdge[std::size_t(direction)]) : QString();
    m_yPosBox->setEnabled(!known || !vertical);
    m_yPosBox->setToolTip(known && vertical ? reason : QString());
    m_xPosBox->setEnabled(!known || vertical);
    m_xPosBox->setToolTip(known && !vertical ? reason : QString());
}
