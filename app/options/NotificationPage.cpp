#include "NotificationPage.h"

#include "ControlNames.h"
#include "OptionGroup.h"
#include "popup/PopUpMessages.h"

#include <QCheckBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
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

QGroupBox* optionBox(const QString& title, OptionGroup* group, const QStringList& captions)
{
    auto* box = new QGroupBox(title);
    auto* layout = new QVBoxLayout(box);
    for (const QString& caption : captions)
        layout->addWidget(group->add(caption, box));
    return box;
}
}

NotificationPage::NotificationPage(const QString& backgroundDir, PopUpsAccess popUps, QWidget* parent)
    : QWidget(parent)
    , optBackGround(new OptionGroup(this))
    , optDirection(new OptionGroup(this))
    , optYPos(new OptionGroup(this))
    , optXPos(new OptionGroup(this))
    , m_popUps(std::move(popUps))
    , m_backgroundDir(backgroundDir)
{
    auto* backgrounds = new QGroupBox(QStringLiteral("Text BackGrounds"));
    auto* backgroundGrid = new QGridLayout(backgrounds);
    const QStringList names { QStringLiteral("One"), QStringLiteral("Two"), QStringLiteral("Three"),
        QStringLiteral("Four") };
    for (int i = 0; i < int(names.size()); ++i) {
        backgroundGrid->addWidget(optBackGround->add(names[i], backgrounds), i, 0);
        imgBack[i] = new QLabel(backgrounds);
        imgBack[i]->setFixedSize(kBackgroundPreview);
        backgroundGrid->addWidget(imgBack[i], i, 1);
    }
    optBackGround->setValue(0, true);

    QGroupBox* direction = optionBox(QStringLiteral("Scroll Direction"), optDirection,
        { QStringLiteral("Up"), QStringLiteral("Down"), QStringLiteral("Left"), QStringLiteral("Right"),
            QStringLiteral("BottomLeft") });
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
    left->addStretch();
    right->addStretch();
    optionsLayout->addLayout(left, 0, 0);
    optionsLayout->addLayout(right, 0, 1);

    QGroupBox* yPos
        = optionBox(QStringLiteral("Y Position"), optYPos, { QStringLiteral("Top"), QStringLiteral("Bottom") });
    optYPos->setValue(1, true);
    QGroupBox* xPos
        = optionBox(QStringLiteral("X Position"), optXPos, { QStringLiteral("Left"), QStringLiteral("Right") });
    optXPos->setValue(1, true);

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
        { optYPos, "optYPos" }, { optXPos, "optXPos" } });
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
        chkFloatArt->isChecked(), chkStretchBkg->isChecked() };
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
    loadBackgrounds();
    return choice >= 0 && choice < int(m_backgrounds->size()) ? (*m_backgrounds)[std::size_t(choice)] : QPixmap();
}

void NotificationPage::loadBackgrounds() const
{
    if (m_backgrounds)
        return;
    m_backgrounds.emplace();
    for (std::size_t i = 0; i < m_backgrounds->size(); ++i)
        (*m_backgrounds)[i] = QPixmap(QDir(m_backgroundDir).filePath(QStringLiteral("back%1.png").arg(i)));
}

void NotificationPage::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (imgBack[0]->pixmap().isNull()) {
        loadBackgrounds();
        for (std::size_t i = 0; i < imgBack.size(); ++i)
            if (!(*m_backgrounds)[i].isNull())
                imgBack[i]->setPixmap(
                    (*m_backgrounds)[i].scaled(kBackgroundPreview, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    }
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
