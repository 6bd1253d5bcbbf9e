#include "NotifyIconData.h"

NotifyIconData NotifyIconData::wideRecord()
{
    NotifyIconData record;
    record.szTip = QByteArray(NotifyIcon::TipChars * NotifyIcon::CharBytes, '\0');
    record.szInfo = QByteArray(NotifyIcon::InfoChars * NotifyIcon::CharBytes, '\0');
    record.szInfoTitle = QByteArray(NotifyIcon::InfoTitleChars * NotifyIcon::CharBytes, '\0');
    return record;
}

bool NotifyIconData::isVersion1() const
{
    return cbSize == NotifyIcon::SizeWideV1;
}

QString NotifyIconData::tipText() const
{
    const int chars = isVersion1() ? NotifyIcon::TipCharsV1 : NotifyIcon::TipChars;
    return fieldText(szTip, chars * NotifyIcon::CharBytes);
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
