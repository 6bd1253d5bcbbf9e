#pragma once

#include <QWidget>

#include <array>

class OptionGroup;
class QCheckBox;
class QLabel;

// "Notification  ": which background, edge, direction and parts a track pop-up has.
class NotificationPage : public QWidget {
    Q_OBJECT
public:
    NotificationPage(const QString& backgroundDir, QWidget* parent = nullptr);

    OptionGroup* optBackGround;
    std::array<QLabel*, 4> imgBack;
    OptionGroup* optDirection;
    QCheckBox* chkPopTitle;
    QCheckBox* chkPopArt;
    QCheckBox* chkStickyTitle;
    QCheckBox* chkStickyArt;
    QCheckBox* chkFloatArt;
    QCheckBox* chkStretchBkg;
    QCheckBox* chkFading;
    OptionGroup* optYPos;
    OptionGroup* optXPos;
};
