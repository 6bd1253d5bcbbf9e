#pragma once

#include "Registry.h"

#include <memory>

// The registry of this system: the real one on Windows, XDG autostart entries elsewhere.
std::unique_ptr<Registry> createSystemRegistry();
