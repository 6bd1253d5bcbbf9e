#pragma once

#include "OptionsLinks.h"

#include <QPixmap>
#include <QWidget>

#include <array>

class BackgroundPictures;
class OptionGroup;
class QCheckBox;
class QLabel;

// "Notification  ": which background, edge, direction and parts a track pop-up has.
class NotificationPage : public QWidget
{
    Q_OBJECT
public:
    NotificationPage(const BackgroundPictures& backgrounds, PopUpsAccess popUps, QWidget* parent = nullptr);

    // The full picture a background choice gives the title pop-up, as its swatch shows it;
    // null for no choice.
    QPixmap background(int choice) const;
    // The chosen background's full picture; null for none.
    QPixmap chosenBackground() const;
    // Which track pop-ups show, and how.
    struct TrackParts {
        bool title;
        bool art;
        bool stickyTitle;
        bool stickyArt;
        bool floatArt;
        bool stretchArt;
        bool desktopNotifications;
    };
    TrackParts trackParts() const;
    // The corner pop-ups start from.
    bool topEdge() const;
    bool leftEdge() const;

    // Each gives its value to the pop-ups, if there are any yet.
    void chkFading_Click();
    void optDirection_Click(int Index);
    // The direction that is on, or -1.
    int direction() const;

protected:
    void showEvent(QShowEvent* event) override;
    // The swatches are drawn again for a new palette: the backgrounds follow it.
    void changeEvent(QEvent* event) override;

private:
    friend class OptionSettings;

    OptionGroup* optBackGround;
    std::array<QLabel*, 4> imgBack;
    void showSwatches();
    OptionGroup* optDirection;
    QCheckBox* chkPopTitle;
    QCheckBox* chkPopArt;
    QCheckBox* chkStickyTitle;
    QCheckBox* chkStickyArt;
    QCheckBox* chkFloatArt;
    QCheckBox* chkStretchBkg;
    QCheckBox* chkFading;
    QCheckBox* chkDesktopNotifications;
    OptionGroup* optYPos;
    OptionGroup* optXPos;

    // The direction names the edge pop-ups come from, which settles that axis's position.
    void showImpliedPosition(int direction);
    PopUpsAccess m_popUps;
    const BackgroundPictures& m_backgrounds;
    QWidget* m_yPosBox = nullptr;
    QWidget* m_xPosBox = nullptr;
};
