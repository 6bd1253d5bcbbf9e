#pragma once

#include <QString>

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
};
