#pragma once

#include "platform/desktop/Desktop.h"

#include <QString>

class QWidget;

// Gives window the named icon at the desktop's large and small icon sizes. With
// bSetAsAppIcon the window's topmost owner gets the same icons first.
void SetIcon(Desktop& desktop, QWidget* hWnd, const QString& sIconResName, bool bSetAsAppIcon = false);

// The user's temporary folder, ending in a separator. Throws PlatformError carrying the
// platform's error code when there is none.
QString GetTempDir(const Desktop& desktop);
