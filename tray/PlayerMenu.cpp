#include "PlayerMenu.h"

#include "player/PlayerChooser.h"

#include <QAction>
#include <QMenu>

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
    for (const PlayerChooser::Entry& entry : m_chooser.players()) {
        // A player's own name is shown as it is, never read as an accelerator.
        QAction* item = m_players->addAction(QString(entry.name).replace(QLatin1Char('&'), QStringLiteral("&&")));
        item->setCheckable(true);
        item->setChecked(entry.id == active);
        connect(item, &QAction::triggered, this, [this, id = entry.id] { emit chosen(id); });
    }
    m_players->menuAction()->setEnabled(!m_players->isEmpty());
}
