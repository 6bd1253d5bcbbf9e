#include "NotifyIconText.h"

#include "platform/tray/NotifyIconData.h"

namespace
{
constexpr int kTerminatorBytes = 2;
}

void CopyStringToBytes(QByteArray& field, const QString& text, int size)
{
    if (text.isEmpty())
        return;
    size = qMin(size, int(field.size()));
    const int copied = qBound(0, int(text.size()) * 2, size - kTerminatorBytes);
    for (int at = 0; at < copied; ++at) {
        const char16_t unit = text.at(at / 2).unicode();
        field[at] = char(at % 2 == 0 ? unit & 0xFF : unit >> 8);
    }
    for (int at = copied; at < size; ++at)
        field[at] = '\0';
}

int FieldByteSize(bool supportsBalloon)
{
    const int chars = supportsBalloon ? NotifyIcon::TipChars : NotifyIcon::TipCharsV1;
    return chars * NotifyIcon::CharBytes;
}
