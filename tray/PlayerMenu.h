#pragma once

#include <QObject>
#include <QString>

class PlayerChooser;
class QMenu;

// The "Player" submenu: every player on the desktop by name, the active one checked, kept
// in step with the chooser. Choosing an entry only reports it; the owner decides.
class PlayerMenu : public QObject
{
    Q_OBJECT
public:
    // Puts the submenu at the top of menu.
    PlayerMenu(QMenu* menu, PlayerChooser& chooser, QObject* parent = nullptr);

    QMenu* menu() const { return m_players; }

signals:
    void chosen(const QString& id);

private:
    void rebuild();

    PlayerChooser& m_chooser;
    QMenu* m_players;
};
