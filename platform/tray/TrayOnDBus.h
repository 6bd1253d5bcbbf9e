#pragma once

// Whether Qt shows tray icons through D-Bus (a StatusNotifierItem, its menu over
// com.canonical.dbusmenu, balloons through the notification server) rather than XEmbed. Qt
// decides once, at its first icon, by asking the session's StatusNotifierWatcher whether a
// host is registered; asked the same way at the same moment and kept, so both agree.
bool trayOnDBus();
