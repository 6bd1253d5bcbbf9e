#include "MprisWindow.h"

#include "MprisConnection.h"

#include "player/PlayerError.h"

#include "mprisrootproxy.h"

MprisWindow::MprisWindow(std::shared_ptr<const MprisConnection> link)
    : m_link(std::move(link))
{
}

QString MprisWindow::Name() const
{
    return m_link->displayName();
}

void MprisWindow::refuse(const QString& what) const
{
    throw PlayerError(QStringLiteral("%1 cannot be %2 by other programs.").arg(m_link->displayName(), what));
}

void MprisWindow::SetVisible(bool visible)
{
    if (!visible)
        refuse(QStringLiteral("hidden"));
    if (!m_link->allows(MprisConnection::kRootInterface, QStringLiteral("CanRaise")))
        refuse(QStringLiteral("raised"));
    m_link->send([&] { return m_link->root().Raise(); }, QStringLiteral("show its window"));
}

void MprisWindow::SetMinimized(bool minimized)
{
    if (minimized)
        refuse(QStringLiteral("minimised"));
}

void MprisWindow::SetMaximized(bool maximized)
{
    if (maximized)
        refuse(QStringLiteral("maximised"));
}

void MprisWindow::SetMiniPlayer(bool miniPlayer)
{
    if (miniPlayer)
        refuse(QStringLiteral("switched to a mini player"));
}
