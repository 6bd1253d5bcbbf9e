#pragma once

#include "ActivePlayerRule.h"

#include "player/PlayerChooser.h"
#include "player/mpris/MprisChoice.h"

#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <QHash>

#include <map>
#include <memory>

class DBusPropertiesProxy;

// The MPRIS players on the bus, followed as they come, go, start and stop playing. Ids are
// the bus names' suffixes ("mpv", "vlc"); names are the players' Identity. A player that
// appears is listed at once by its id and examined without waiting: its name fills in when
// it answers, and it takes part in the choice once its state is known (or it has let the
// timeout pass), so one that hangs costs nothing but its own entry. What each player says
// of its interfaces is kept for heard().
class MprisPlayerChooser : public PlayerChooser, public MprisChoice
{
    Q_OBJECT
public:
    // pinnedName: the configured player name, held as pin() holds it; empty for none.
    MprisPlayerChooser(
        const QDBusConnection& bus, int timeoutMs, const QString& pinnedName = QString(), QObject* parent = nullptr);
    ~MprisPlayerChooser() override;

    QList<Entry> players() const override;
    QString activeId() const override;
    void pin(const QString& id) override;
    QString activeService() const override;
    QString activeName() const override;
    QString pinnedName() const override { return m_rule.pinned(); }
    QHash<QString, QVariantMap> heard(const QString& service) const override;

private:
    void add(const QString& service);
    void remove(const QString& service);
    void onOwnerChanged(const QString& service, const QString& oldOwner, const QString& newOwner);
    void onChanged(const QString& id, const QString& interface, const QVariantMap& changed, const QStringList& gone);
    void ask(const QString& id, const QString& interface);
    void onAnswer(const QString& id, const QString& interface, const QVariantMap& values);
    void report(bool activeMoved);

    QDBusConnection m_bus;
    int m_timeoutMs;
    QDBusServiceWatcher m_watcher;
    ActivePlayerRule m_rule;
    QHash<QString, QString> m_names;
    QHash<QString, QHash<QString, QVariantMap>> m_heard;
    // Listed, but not yet known to the rule: asked, and neither answered nor timed out.
    QStringList m_examining;
    std::map<QString, std::unique_ptr<DBusPropertiesProxy>> m_statusWatches;
};
