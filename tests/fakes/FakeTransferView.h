#pragma once

#include "library/TransferView.h"

#include <QStringList>

#include <functional>

// A transfer view that answers the dialogs with set paths and records everything else, one
// line per call ("busy", "idle", "max 12", "message Library export canceled", ...). Of the
// progress values and status texts only the latest are kept, so that a run over a large
// library does not fill the log.
class FakeTransferView : public TransferView
{
public:
    QString saveFileName(const FileDialogRequest& request) override
    {
        lastRequest = request;
        return savePath;
    }
    QString openFileName(const FileDialogRequest& request) override
    {
        lastRequest = request;
        return openPath;
    }
    void setBusy(bool on) override
    {
        busy = on;
        calls << (on ? QStringLiteral("busy") : QStringLiteral("idle"));
    }
    void setProgressMaximum(int maximum) override { calls << QStringLiteral("max %1").arg(maximum); }
    void setProgressValue(int value) override { progressValue = value; }
    void setStatus(const QString& text) override
    {
        status = text;
        statuses << text;
        if (statuses.size() > 64)
            statuses.removeFirst();
    }
    void messageBox(const QString& text) override
    {
        messages << text;
        calls << QStringLiteral("message ") + text;
    }
    void showBalloon(const QString& message, const QString& title, int icon, int timeoutMs) override
    {
        balloons << message;
        calls << QStringLiteral("balloon %1|%2|%3|%4").arg(message, title).arg(icon).arg(timeoutMs);
    }
    void processEvents() override
    {
        if (onEvents)
            onEvents(++eventRounds);
        else
            ++eventRounds;
    }

    QString savePath;
    QString openPath;
    FileDialogRequest lastRequest;
    bool busy = false;
    int progressValue = -1;
    QString status;
    QStringList statuses; // the latest 64, oldest first
    QStringList messages;
    QStringList balloons;
    QStringList calls;
    int eventRounds = 0;
    // Runs inside processEvents with the round's number (from 1): where a test clicks Stop.
    std::function<void(int)> onEvents;
};
