#include "modFunctions.h"

#include <cmath>

namespace
{
constexpr double kTwipsPerInch = 1440.0;
constexpr double kFallbackTwipsPerPixel = 15.0;

double twipsPerPixel(double dpi)
{
    return dpi > 0 ? kTwipsPerInch / dpi : kFallbackTwipsPerPixel;
}

int floorToPixel(int twips, double factor)
{
    return RoundHalfEven(std::floor(twips / factor) * factor);
}
}

int RoundHalfEven(double value)
{
    const double below = std::floor(value);
    const double fraction = value - below;
    double rounded = below;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0.0))
        rounded = below + 1.0;
    return static_cast<int>(rounded);
}

double TwipsPerPixelX(const Screen& screen)
{
    return twipsPerPixel(screen.logicalDpiX());
}

double TwipsPerPixelY(const Screen& screen)
{
    return twipsPerPixel(screen.logicalDpiY());
}

int FloorToPixelX(int twips, const Screen& screen)
{
    return floorToPixel(twips, TwipsPerPixelX(screen));
}

int FloorToPixelY(int twips, const Screen& screen)
{
    return floorToPixel(twips, TwipsPerPixelY(screen));
}

int TwipsToPixelsX(int twips, const Screen& screen)
{
    return RoundHalfEven(twips / TwipsPerPixelX(screen));
}

int TwipsToPixelsY(int twips, const Screen& screen)
{
    return RoundHalfEven(twips / TwipsPerPixelY(screen));
}

int GetWorkAreaRight(const Screen& screen)
{
    const QRect area = screen.workArea();
    return RoundHalfEven((area.x() + area.width()) * TwipsPerPixelX(screen));
}

int GetWorkAreaBottom(const Screen& screen)
{
    const QRect area = screen.workArea();
    return RoundHalfEven((area.y() + area.height()) * TwipsPerPixelY(screen));
}

int GetWindowHeightTwips(const QWidget* hwnd, const Screen& screen)
{
    if (!hwnd)
        return GetWorkAreaBottom(screen);
    return RoundHalfEven(screen.windowRect(hwnd).height() * TwipsPerPixelY(screen));
}

int GetWindowWidthTwips(const QWidget* hwnd, const Screen& screen)
{
    if (!hwnd)
        return GetWorkAreaRight(screen);
    return RoundHalfEven(screen.windowRect(hwnd).width() * TwipsPerPixelX(screen));
}

bool IsCursorOverWindow(const QWidget* hwnd, const Screen& screen, const Cursor& cursor)
{
    if (!hwnd)
        return false;
    const QRect rect = screen.windowRect(hwnd);
    const QPoint at = cursor.pos();
    // The far edges are the first pixels outside the window, and they count as on it.
    return rect.x() <= at.x() && at.x() <= rect.x() + rect.width() && rect.y() <= at.y()
        && at.y() <= rect.y() + rect.height();
}

void MakeWindowTopMost(QWidget* hwnd, WindowStacking& stacking)
{
    stacking.makeTopMost(hwnd);
}
