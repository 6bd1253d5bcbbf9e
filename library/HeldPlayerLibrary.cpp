#include "HeldPlayerLibrary.h"

HeldPlayerLibrary::HeldPlayerLibrary(std::unique_ptr<LibraryWriteHold> hold, std::function<bool()> shuttingDown)
    : m_hold(std::move(hold))
    , m_shuttingDown(std::move(shuttingDown))
{
}

bool HeldPlayerLibrary::commit(QString* message)
{
    if (m_shuttingDown()) {
        m_hold->discard();
        *message = QStringLiteral("Bolvin was closed during the import: the library was left as it was.");
        return false;
    }
    if (m_hold->release())
        return true;
    *message = QStringLiteral("The imported values could not be saved: %1\nThey stay with the player, unsaved, "
                              "and are lost when it ends.")
                   .arg(m_hold->error());
    return false;
}

QString HeldPlayerLibrary::completionNote() const
{
    return m_hold->backupPath().isEmpty()
        ? QString()
        : QStringLiteral("The library as it was is in \"%1\".").arg(m_hold->backupPath());
}
