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
// the bus names' suffixes ("mpv", "vlc"); names are the players' Identity. Every call it
// makes waits at most the timeout.
class MprisPlayerChooser : public PlayerChooser, public MprisChoice {
    Q_OBJECT
public:
    // pinnedName: the configured player name, held as pin() holds it; empty for none.
    MprisPlayerChooser(const QDBusConnection& bus, int timeoutMs, const QString& pinnedName = QString(),
        QObject* parent = nullptr);
    ~MprisPlayerChooser() override;

    QList<Entry> players() const override;
    QString activeId() const override;
    void pin(const QString& id) override;
    QString activeService() const override;
    QString activeName() const override;
    QString pinnedName() const override { return m_rule.pinned(); }

private:
    void add(const QString& service);
    void remove(const QString& service);
    void onOwnerChanged(const QString& service, const QString& oldOwner, const QString& newOwner);
    void onStatusChanged(const QString& id, const QVariantMap& changed);
    QVariant property(const QString& service, const QString& interface, const QString& name) const;
    void report(bool activeMoved);

    QDBusConnection m_bus;
    int m_timeoutMs;
    QDBusServiceWatcher m_watcher;
    ActivePlayerRule m_rule;
    QHash<QString, QString> m_names;
    std::map<QString, std::unique_ptr<DBusPropertiesProxy>> m_statusWatches;
};
