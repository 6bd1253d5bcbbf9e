#pragma once

#include <QObject>

// Keeps Bolvin to one running instance per user.
class InstanceGuard : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // True when another instance already runs; otherwise this process becomes the one
    // instance until it ends.
    virtual bool previousInstanceRunning() = 0;

signals:
    // Another process asked the running instance to quit.
    void quitRequested();
    // Another start of the program asked the running instance to show its window.
    void showRequested();
};
