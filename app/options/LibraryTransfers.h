#pragma once

#include "OptionsLinks.h"

#include <QObject>

#include <functional>
#include <memory>

class LibraryPage;
class LibraryTransferView;

// The "Library" page's export and import: each runs to its end inside its Start click, the
// page showing its progress, until it finishes or its Stop is pressed.
class LibraryTransfers : public QObject
{
    Q_OBJECT
public:
    // completionMessageBox: whether a finished transfer says so in a message box rather than a balloon.
    LibraryTransfers(LibraryPage& page, Desktop& desktop, PlayerAccess connectPlayer, BalloonTip balloon,
        std::function<bool()> completionMessageBox, std::function<bool()> shuttingDown);

    // The Stop requests, which a running transfer checks between items; set too when the
    // player quits or the program ends.
    bool mbCancelExport() const { return m_cancelExport; }
    bool mbCancelImport() const { return m_cancelImport; }
    void cancel()
    {
        m_cancelExport = true;
        m_cancelImport = true;
    }

private:
    void cmdStartBackup_Click();
    void cmdStartImport_Click();
    std::unique_ptr<LibraryTransferView> transferView(bool forExport);

    LibraryPage& m_page;
    Desktop& m_desktop;
    PlayerAccess m_connectPlayer;
    BalloonTip m_balloon;
    std::function<bool()> m_completionMessageBox;
    std::function<bool()> m_shuttingDown;
    bool m_cancelExport = false;
    bool m_cancelImport = false;
};
