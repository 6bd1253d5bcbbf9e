#pragma once

#include "QtTransferView.h"

#include <functional>

class LibraryPage;
class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QWidget;

// One transfer (export or import) as the "Library" page shows it: its Start and Stop
// buttons, progress bar and status label, with the other transfer's Start and the options
// held still while it runs.
class LibraryTransferView : public QtTransferView
{
public:
    struct Controls {
        QPushButton* start;
        QPushButton* stop;
        QProgressBar* progress;
        QLabel* status;
        QPushButton* otherStart;
        QList<QWidget*> options;
    };
    using MessageBox = std::function<void(const QString&)>;
    using Balloon = std::function<void(const QString&, const QString&, int, int)>;

    LibraryTransferView(QWidget* dialogParent, Controls controls, MessageBox messageBox, Balloon balloon);

    // The page's export and import controls.
    static Controls exportControls(LibraryPage& page);
    static Controls importControls(LibraryPage& page);

    void setBusy(bool busy) override;
    void setProgressMaximum(int maximum) override;
    void setProgressValue(int value) override;
    void setStatus(const QString& text) override;
    void messageBox(const QString& text) override;
    void showBalloon(const QString& message, const QString& title, int icon, int timeoutMs) override;

private:
    void showProgress();

    Controls m_controls;
    int m_progressValue = 0;
    QElapsedTimer m_sinceProgressShown;
    MessageBox m_messageBox;
    Balloon m_balloon;
};
