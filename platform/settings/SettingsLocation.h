#pragma once

#include <QSettings>

#include <memory>

// Where Bolvin's settings live on this system. On Windows that is the registry section the
// original program used, so an existing user's settings carry over.
std::unique_ptr<QSettings> openSettingsLocation();
