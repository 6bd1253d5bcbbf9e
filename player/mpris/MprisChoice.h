#pragma once

#include <QHash>
#include <QString>
#include <QVariantMap>

// Whoever follows the players on the bus and decides which one Bolvin drives, as the
// backend asks it. Answers come from what it has already heard: none waits on the bus.
class MprisChoice
{
public:
    virtual ~MprisChoice() = default;

    // The chosen player's full bus name; empty when none runs or the pinned one does not.
    virtual QString activeService() const = 0;
    // The chosen player's Identity; empty when none is chosen.
    virtual QString activeName() const = 0;
    // The name the user pinned, as given; empty when the choice is left to the rule.
    virtual QString pinnedName() const = 0;
    // What the player under service has said of its interfaces so far (interface name to its
    // properties, kept up with its announcements); an interface it has not answered for is
    // missing.
    virtual QHash<QString, QVariantMap> heard(const QString& /*service*/) const { return {}; }
};
