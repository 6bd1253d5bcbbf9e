#pragma once

#include "platform/desktop/QtDesktop.h"

#include <QStringList>

// The Qt desktop with its message boxes kept instead of shown: a modal box would stop an
// unattended run until someone clicked it.
class QuietDesktop : public QtDesktop
{
public:
    using QtDesktop::QtDesktop;

    void messageBox(const QString& text) override { m_messages.append(text); }
    // What the program wanted to tell the user, oldest first.
    QStringList messages() const { return m_messages; }

private:
    QStringList m_messages;
};
