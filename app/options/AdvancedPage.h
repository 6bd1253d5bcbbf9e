#pragma once

#include "OptionsLinks.h"

#include <QWidget>

class QCheckBox;
class QPushButton;
class QScrollBar;

// "Advanced  ": pop-up timing and size, defaults, and the miscellaneous switches. Timing acts
// on the pop-ups at once; "Run at startup" writes its entry and its setting at once.
class AdvancedPage : public QWidget
{
    Q_OBJECT
public:
    AdvancedPage(const OptionServices& services, PopUpsAccess popUps, QWidget* parent = nullptr);

    int popUpWidth() const;
    int popUpHeight() const;
    // Whether a finished export or import says so in a message box rather than a balloon.
    bool completionMessageBox() const;
    bool playListsEnabled() const;
    // Writes, or deletes, the entry that starts this very program with the session.
    static void applyRunAtStartup(const OptionServices& services, bool on);
    // Shows the timings the pop-ups really use.
    void showPopUpTimings(int showDelay, int movementIndex, int scrollDelay);

    // Each gives its value to the pop-ups, if there are any yet.
    void scrShowDelay_Change();
    void scrMovementIndex_Change();
    void scrScrollDelay_Change();

signals:
    void defaultsRequested();
    void playListsToggled();

private:
    friend class OptionSettings;

    void chkStartup_Click();

    OptionServices m_services;
    PopUpsAccess m_popUps;
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
