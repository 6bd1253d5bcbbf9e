#include "WindowHelpers.h"

#include <QWidget>

namespace
{
constexpr int kLargeIconSize = 32;
constexpr int kSmallIconSize = 16;
}

void SetIcon(Desktop& desktop, QWidget* hWnd, const QString& sIconResName, bool bSetAsAppIcon)
{
    const IconId big = desktop.loadIcon(sIconResName, kLargeIconSize);
    const IconId small = desktop.loadIcon(sIconResName, kSmallIconSize);
    if (bSetAsAppIcon) {
        QWidget* topOwner = hWnd;
        while (topOwner->parentWidget())
            topOwner = topOwner->parentWidget();
        desktop.setWindowIcons(topOwner, big, small);
    }
    desktop.setWindowIcons(hWnd, big, small);
}

QString GetTempDir(const Desktop& desktop)
{
    return desktop.tempDir();
}
