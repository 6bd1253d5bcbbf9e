#pragma once

#include "platform/desktop/Desktop.h"

#include <QByteArray>
#include <QString>

// The shell's notification-icon record and the numbers that go with it. The layout follows
// the shell's own structure so the sizes the shell is told (cbSize) mean what they say.
namespace NotifyIcon
{

// Commands of the notification-icon call.
constexpr int Add = 0;
constexpr int Modify = 1;
constexpr int Delete = 2;
constexpr int SetVersion = 4;

// uFlags: which fields the shell should read.
constexpr quint32 FlagMessage = 1;
constexpr quint32 FlagIcon = 2;
constexpr quint32 FlagTip = 4;
constexpr quint32 FlagInfo = 16;

// dwInfoFlags: the balloon icon in the low four bits, and the no-sound bit.
constexpr quint32 InfoIconMask = 0x0F;
constexpr quint32 InfoInformation = 1;
constexpr quint32 InfoWarning = 2;
constexpr quint32 InfoError = 3;
constexpr quint32 InfoNoSound = 16;

// The callback message the shell sends notifications with: the mouse-move message number.
constexpr quint32 CallbackMessage = 0x0200;
// The shell interface version asked for when balloons are supported.
constexpr quint32 ShellVersion = 3;

// cbSize: the wide record with balloon fields (version 2) and without (version 1).
constexpr quint32 SizeWide = 936;
constexpr quint32 SizeWideV1 = 152;

// Text fields in characters. A version-1 record only has room for a 64-character tip.
constexpr int TipChars = 128;
constexpr int TipCharsV1 = 64;
constexpr int InfoChars = 256;
constexpr int InfoTitleChars = 64;
// Bytes a character takes in a text field: one UTF-16 code unit.
constexpr int CharBytes = 2;

} // namespace NotifyIcon

// One notification-icon record, always the wide one. Text fields are stored as the shell
// reads them: UTF-16LE code units, always at their full fixed size.
struct NotifyIconData {
    quint32 cbSize = 0;
    quint32 uID = 0;
    quint32 uFlags = 0;
    quint32 uCallbackMessage = 0;
    IconId hIcon = 0;
    QByteArray szTip;
    quint32 dwState = 0;
    quint32 dwStateMask = 0;
    QByteArray szInfo;
    // The balloon time in milliseconds, or the shell version for the set-version command.
    quint32 uTimeoutOrVersion = 0;
    QByteArray szInfoTitle;
    quint32 dwInfoFlags = 0;

    // A record with every number zero and every text field zero-filled at full size.
    static NotifyIconData wideRecord();

    // Whether cbSize names a record without balloon fields.
    bool isVersion1() const;

    // The texts as the shell reads them: up to the first NUL, within the part of the field
    // that the record's size covers.
    QString tipText() const;
    QString infoText() const;
    QString infoTitleText() const;

    // A text field read up to the first NUL (or its end when there is
    // none), looking at no more than maxBytes bytes; maxBytes < 0 reads the whole field.
    QString fieldText(const QByteArray& field, int maxBytes = -1) const;
};
