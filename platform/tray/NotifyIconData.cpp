#include "NotifyIconData.h"

namespace
{

NotifyIconData zeroRecord(bool wide)
{
    NotifyIconData record;
    record.wide = wide;
    const int width = NotifyIconData::charWidth(wide);
    record.szTip = QByteArray(NotifyIcon::TipChars * width, '\0');
    record.szInfo = QByteArray(NotifyIcon::InfoChars * width, '\0');
    record.szInfoTitle = QByteArray(NotifyIcon::InfoTitleChars * width, '\0');
    return record;
}

} // namespace

NotifyIconData NotifyIconData::wideRecord()
{
    return zeroRecord(true);
}

NotifyIconData NotifyIconData::narrowRecord()
{
    return zeroRecord(false);
}

bool NotifyIconData::isVersion1() const
{
    return cbSize == NotifyIcon::SizeWideV1 || cbSize == NotifyIcon::SizeNarrowV1;
}

QString NotifyIconData::tipText() const
{
    const int chars = isVersion1() ? NotifyIcon::TipCharsV1 : NotifyIcon::TipChars;
    return fieldText(szTip, chars * charWidth(wide));
}

QString NotifyIconData::infoText() const
{
    return fieldText(szInfo);
}

QString NotifyIconData::infoTitleText() const
{
    return fieldText(szInfoTitle);
}

QString NotifyIconData::fieldText(const QByteArray& field, int maxBytes) const
{
    const int limit = maxBytes < 0 ? int(field.size()) : qMin(maxBytes, int(field.size()));
    if (!wide) {
        int end = 0;
        while (end < limit && field.at(end) != '\0')
            ++end;
        return QString::fromLocal8Bit(field.constData(), end);
    }
    QString text;
    for (int at = 0; at + 1 < limit; at += 2) {
        // Little-endian whatever the host, as the shell lays the field out.
        const auto unit = char16_t(quint8(field.at(at)) | (quint8(field.at(at + 1)) << 8));
        if (unit == 0)
            break;
        text.append(QChar(unit));
    }
    return text;
}
