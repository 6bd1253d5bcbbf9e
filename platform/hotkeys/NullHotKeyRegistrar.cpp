#include "NullHotKeyRegistrar.h"

// Built only where neither X11 nor Windows hotkeys exist.
std::unique_ptr<HotKeyRegistrar> HotKeyRegistrar::create()
{
    return std::make_unique<NullHotKeyRegistrar>();
}
