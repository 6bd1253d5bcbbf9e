#pragma once

#include "app/options/QtTransferView.h"

#include <QString>

#include <cstdio>

// The Library page without its widgets: real event processing, nothing drawn, both file
// dialogs answered with path, messages printed.
class BenchView : public QtTransferView
{
public:
    BenchView()
        : QtTransferView(nullptr)
    {
    }
    QString saveFileName(const FileDialogRequest&) override { return path; }
    QString openFileName(const FileDialogRequest&) override { return path; }
    void setBusy(bool) override { }
    void setProgressMaximum(int) override { }
    void setProgressValue(int) override { }
    void setStatus(const QString&) override { }
    void messageBox(const QString& text) override { std::printf("  message: %s\n", qPrintable(text)); }
    void showBalloon(const QString&, const QString&, int, int) override { }

    QString path;
};
