#pragma once

#include <QObject>

// Turns the system's request to end the program (logout, a service manager, Ctrl+C in a
// terminal) into a signal on the GUI thread, so that it gets the same clean shutdown as
// the program's own Exit. One per process.
class SessionEnd : public QObject
{
    Q_OBJECT
public:
    explicit SessionEnd(QObject* parent = nullptr);
    ~SessionEnd() override;

signals:
    void endRequested();
};
