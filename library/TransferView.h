#pragma once

#include <QString>

// What a file dialog of a transfer asks for.
struct FileDialogRequest {
    QString title;
    // Added to a typed name that has none.
    QString defaultSuffix;
    // In Qt's form, "XML Files (*.xml)".
    QString filter;
};

// How a transfer ended.
enum class TransferOutcome {
    NoFile, // the dialog was cancelled; nothing happened
    Completed,
    Cancelled, // Stop was pressed; what was done so far stands
    Failed, // the file or the player failed; the user was told why
};

// Everything the user sees of an export or an import: the dialogs, the Library page's busy
// state, progress and status label, and the completion notices. The Library page implements
// it; tests use a recording fake. The transfer calls it on the GUI thread only, and the view
// must outlive the transfer's run().
class TransferView
{
public:
    // The balloon's information icon.
    static constexpr int InfoIcon = 1;

    virtual ~TransferView() = default;

    // The chosen file, or "" when the user cancelled (which is no error).
    virtual QString saveFileName(const FileDialogRequest& request) = 0;
    virtual QString openFileName(const FileDialogRequest& request) = 0;

    // Busy: the Start button hidden, Stop shown, the other transfer's Start and the options
    // disabled, the progress bar shown. Idle undoes all of that and hides the bar.
    virtual void setBusy(bool busy) = 0;
    virtual void setProgressMaximum(int maximum) = 0;
    virtual void setProgressValue(int value) = 0;
    // The status label; "" clears it.
    virtual void setStatus(const QString& text) = 0;

    // A message box titled "Bolvin" with an OK button; returns when it is closed.
    virtual void messageBox(const QString& text) = 0;
    // The tray balloon, as frmSysTray::ShowBalloonTip takes it.
    virtual void showBalloon(const QString& message, const QString& title, int icon, int timeoutMs) = 0;

    // Runs the window's pending events, so Stop can be clicked between tracks. It may
    // re-enter anything, including a shutdown that quits the player.
    virtual void processEvents() = 0;
};
