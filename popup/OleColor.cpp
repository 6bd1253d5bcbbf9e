#include "OleColor.h"

#include <QGuiApplication>
#include <QPalette>

namespace
{
constexpr quint32 kSystemColourFlag = 0x80000000u;
constexpr quint32 kByteMask = 0xFFu;

QPalette::ColorRole roleOfSystemColour(quint32 index)
{
    // Indexes of the Windows system colours that have a counterpart in a Qt palette.
    switch (index) {
    case 5:
        return QPalette::Base;
    case 8:
        return QPalette::Text;
    case 13:
        return QPalette::Highlight;
    case 14:
        return QPalette::HighlightedText;
    case 15:
        return QPalette::Button;
    case 16:
        return QPalette::Dark;
    case 18:
        return QPalette::ButtonText;
    case 20:
        return QPalette::Light;
    case 24:
        return QPalette::ToolTipBase;
    case 23:
        return QPalette::ToolTipText;
    default:
        return QPalette::Window;
    }
}
}

QColor ColorFromOle(quint32 value)
{
    if (value & kSystemColourFlag)
        return QGuiApplication::palette().color(roleOfSystemColour(value & kByteMask));
    return QColor(int(value & kByteMask), int((value >> 8) & kByteMask), int((value >> 16) & kByteMask));
}
