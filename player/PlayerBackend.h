#pragma once

#include "PlayerApplication.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

// What the connection logic needs of a kind of player beyond its application object:
// whether it runs, and how to reach (or start) it.
class PlayerBackend
{
public:
    virtual ~PlayerBackend() = default;

    // Lower-case text that a running player's executable name contains.
    virtual QString executableName() const = 0;
    // Names of the running executables; nullopt when the list cannot be taken.
    virtual std::optional<QStringList> runningExecutables() const = 0;
    // The running player's application object, starting the player when it does not run;
    // nullptr when it cannot be had.
    virtual std::shared_ptr<PlayerApplication> createApplication() = 0;
    // Why the last createApplication() gave nullptr, in words for the user; empty after one
    // that succeeded.
    virtual QString lastError() const { return QString(); }
    // The name of the player a connection would attach to now, for texts shown before it is
    // attached ("Connecting to Rhythmbox"); never empty.
    virtual QString identity() const = 0;

    // Whether the connection accepts the player by its version number, the gate of the
    // player this program was first made for. Players reached through a standard protocol
    // are accepted by what they implement instead: see rejectionReason.
    virtual bool gatesOnVersion() const { return true; }
    // For backends that do not gate on the version: why this player cannot be driven, in
    // words for the user; empty when it can.
    virtual QString rejectionReason(PlayerApplication& /*player*/) const { return QString(); }
};
