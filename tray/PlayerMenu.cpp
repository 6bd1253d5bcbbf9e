#include "PlayerMenu.h"

#include "player/PlayerChooser.h"

#include <QAction>
#include <QMenu>

#include <algorithm>

PlayerMenu::PlayerMenu(QMenu* menu, PlayerChooser& chooser, QObject* parent)
    : QObject(parent)
    , m_chooser(chooser)
    , m_players(new QMenu(QStringLiteral("Player"), menu))
{
    const QList<QAction*> existing = menu->actions();
    menu->insertMenu(existing.isEmpty() ? nullptr : existing.first(), m_players);
    connect(&chooser, &PlayerChooser::playersChanged, this, &PlayerMenu::rebuild);
    connect(&chooser, &PlayerChooser::activeChanged, this, &PlayerMenu::rebuild);
    rebuild();
}

void PlayerMenu::rebuild()
{
    m_players->clear();
    const QString active = m_chooser.activeId();
    const QList<PlayerChooser::Entry> entries = m_chooser.players();
    for (const PlayerChooser::Entry& entry : entries) {
        // Two of a kind (two mpv windows) are told apart by their ids.
        const bool shared = std::count_if(entries.begin(), entries.end(), [&](const PlayerChooser::Entry& other) {
            return other.name == entry.name;
        }) > 1;
        const QString caption = shared ? QStringLiteral("%1 (%2)").arg(entry.name, entry.id) : entry.name;
        // A player's own name is shown as it is, never read as an accelerator.
        QAction* item = m_players->addAction(QString(caption).replace(QLatin1Char('&'), QStringLiteral("&&")));
        item->setCheckable(true);
        item->setChecked(entry.id == active);
        connect(item, &QAction::triggered, this, [this, id = entry.id] { emit chosen(id); });
    }
    m_players->menuAction()->setEnabled(!m_players->isEmpty());
    m_players->menuAction()->setToolTip(
        m_players->isEmpty() ? QStringLiteral("No media player is running on this desktop.") : QString());
}
