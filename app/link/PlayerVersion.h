#pragma once

#include <QString>

// Why Bolvin cannot drive this version of a player that is gated on its version; empty
// when it can. Text that is not a version is none Bolvin supports.
QString versionRejection(const QString& playerName, const QString& version);
