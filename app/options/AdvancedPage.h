#pragma once

#include <QWidget>

class QCheckBox;
class QPushButton;
class QScrollBar;

// "Advanced  ": pop-up timing and size, defaults, and the miscellaneous switches.
class AdvancedPage : public QWidget
{
    Q_OBJECT
public:
    explicit AdvancedPage(QWidget* parent = nullptr);

    QScrollBar* scrShowDelay;
    QScrollBar* scrMovementIndex;
    QScrollBar* scrScrollDelay;
    QScrollBar* scrPopUpWidth;
    QScrollBar* scrPopUpHeight;
    QPushButton* btnDefaults;
    QCheckBox* chkExportMsg;
    QCheckBox* chkStartup;
    QCheckBox* chkEnablePlayLists;
};
