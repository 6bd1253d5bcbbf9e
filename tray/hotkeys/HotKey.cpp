#include "HotKey.h"

#include "platform/hotkeys/HotKeyRegistrar.h"

#include <QComboBox>

#include <array>
#include <utility>

namespace
{
constexpr int kVkA = 0x41;
constexpr int kVk0 = 0x30;
constexpr int kVkF1 = 0x70;
constexpr int kLetterCount = 26;
constexpr int kDigitCount = 10;
constexpr int kFunctionKeyCount = 10;

const std::array<std::pair<const char*, int>, 8> kNamedKeys { {
    { "Up", 0x26 },
    { "Down", 0x28 },
    { "Left", 0x25 },
    { "Right", 0x27 },
    { "PageUp", 0x21 },
    { "PageDn", 0x22 },
    { "KeyPad+", 0x6B },
    { "KeyPad-", 0x6D },
} };

struct KeyEntry {
    QString name;
    int code;
};

const QList<KeyEntry>& keyTable()
{
    static const QList<KeyEntry> table = [] {
        QList<KeyEntry> keys;
        for (int i = 0; i < kLetterCount; ++i)
            keys.append({ QString(QChar(u'A' + i)), kVkA + i });
        for (int i = 0; i < kDigitCount; ++i)
            keys.append({ QString(QChar(u'0' + i)), kVk0 + i });
        for (int i = 0; i < kFunctionKeyCount; ++i)
            keys.append({ QStringLiteral("F%1").arg(i + 1), kVkF1 + i });
        for (const auto& [name, code] : kNamedKeys)
            keys.append({ QString::fromLatin1(name), code });
        return keys;
    }();
    return table;
}
}

const QStringList& ModifierNames()
{
    static const QStringList names { QStringLiteral("Alt"), QStringLiteral("Ctrl"), QStringLiteral("Shift") };
    return names;
}

const QStringList& KeyNames()
{
    static const QStringList names = [] {
        QStringList list;
        for (const KeyEntry& key : keyTable())
            list.append(key.name);
        return list;
    }();
    return names;
}

void FillKeyCombo(QComboBox* combo, const QString& kind)
{
    if (kind == QLatin1String("MOD"))
        combo->addItems(ModifierNames());
    else if (kind == QLatin1String("HOTKEY"))
        combo->addItems(KeyNames());
}

std::optional<int> KeyCodeFromName(const QString& name)
{
    for (const KeyEntry& key : keyTable()) {
        if (key.name == name)
            return key.code;
    }
    return std::nullopt;
}

std::optional<int> ModifierCodeFromName(const QString& name)
{
    if (name == QLatin1String("Alt"))
        return HotKeyModifier::Alt;
    if (name == QLatin1String("Ctrl"))
        return HotKeyModifier::Control;
    if (name == QLatin1String("Shift"))
        return HotKeyModifier::Shift;
    if (name == QLatin1String("Win"))
        return HotKeyModifier::Win;
    return std::nullopt;
}

void SelectComboText(QComboBox* combo, const QString& text)
{
    // Every entry is compared, so with duplicates the last one wins.
    int match = -1;
    for (int i = 0; i < combo->count(); ++i) {
        if (combo->itemText(i) == text)
            match = i;
    }
    if (match >= 0)
        combo->setCurrentIndex(match);
}
