#pragma once

#include "options/LibraryPage.h"
#include "options/LibraryTransferView.h"

#include <cstdio>

// The Library page's own transfer view on a shown page, with both file dialogs answered
// with path and messages printed; counts the progress updates it is given.
class WindowBenchView : public LibraryTransferView
{
public:
    WindowBenchView(LibraryPage& page, bool forExport)
        : LibraryTransferView(
            &page, forExport ? exportControls(page) : importControls(page),
            [](const QString& text) { std::printf("  message: %s\n", qPrintable(text)); },
            [](const QString&, const QString&, int, int) {})
    {
    }
    QString saveFileName(const FileDialogRequest&) override { return path; }
    QString openFileName(const FileDialogRequest&) override { return path; }
    void setProgressValue(int value) override
    {
        ++progressUpdates;
        LibraryTransferView::setProgressValue(value);
    }

    QString path;
    int progressUpdates = 0;
};
