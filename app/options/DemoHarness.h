#pragma once

#include <QWidget>

#include <array>

class OptionGroup;
class QCheckBox;
class QFrame;
class QLabel;
class QPushButton;
class QTimer;

// The pop-up engine's demonstration controls, below the visible part of the options window:
// enlarge the window to reach them.
class DemoHarness : public QWidget
{
    Q_OBJECT
public:
    DemoHarness(const QString& logoDir, QWidget* parent = nullptr);

    QFrame* picHolder;
    QLabel* BolvinLogo;
    OptionGroup* optLogo;
    std::array<QLabel*, 2> imgLogo;
    OptionGroup* optWav;
    QCheckBox* chkUseParent;
    QCheckBox* chkAdd;
    QPushButton* cmdShowDefault;
    QPushButton* cmdShow;
    QPushButton* Command1;
    QTimer* tmrAdd;
    QTimer* tmrWorking;
};
