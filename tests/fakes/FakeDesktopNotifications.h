#pragma once

#include "platform/notifications/DesktopNotifications.h"

#include <QList>

// Keeps what was shown; a test clicks with emit activated().
class FakeDesktopNotifications : public DesktopNotifications
{
public:
    struct Shown {
        QString summary;
        QString body;
        QImage picture;
    };
    void show(const QString& summary, const QString& body, const QImage& picture, int) override
    {
        shown.append({ summary, body, picture });
    }
    void withdraw() override { }
    QList<Shown> shown;
};
