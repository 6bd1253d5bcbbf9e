#include "SystemRegistry.h"

#include "XdgAutostartRegistry.h"

std::unique_ptr<Registry> createSystemRegistry()
{
    return std::make_unique<XdgAutostartRegistry>();
}
