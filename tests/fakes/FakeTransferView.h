#pragma once

#include "library/TransferView.h"

#include <QStringList>

#include <functional>

// A transfer view that answers the dialogs with set paths and records everything else, one
// line per call ("busy", "idle", "max 12", "message Library export canceled", ...). Progress
// and status texts are kept apart, so that a run over a large library does not fill that log.
class FakeTransferView : public TransferView
{
public:
    QString saveFileName(const FileDialogRequest&) override { return savePath; }
    QString openFileName(const FileDialogRequest&) override { return openPath; }
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
    bool busy = false;
    int progressValue = -1;
    QString status;
    QStringList statuses;
    QStringList messages;
    QStringList balloons;
    QStringList calls;
    int eventRounds = 0;
    // Runs inside processEvents with the round's number (from 1): where a test clicks Stop.
    std::function<void(int)> onEvents;
};
