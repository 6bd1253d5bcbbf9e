#pragma once

// Whether Rhythmbox is running, as the session bus tells it.
namespace RhythmboxBus
{

// True while some process owns org.gnome.Rhythmbox3 on the session bus; false when it does
// not or there is no session bus (then no Rhythmbox can be reached there either).
bool isRunning();

} // namespace RhythmboxBus
