#include "StoredOptions.h"

#include "BackgroundPictures.h"
#include "FontPage.h"
#include "platform/desktop/Desktop.h"
#include "platform/settings/SettingsStore.h"
#include "popup/PopUpMessages.h"

#include <limits>

StoredOptions::StoredOptions(const SettingsStore& store, const Desktop& desktop, const BackgroundPictures& backgrounds)
    : m_store(store)
    , m_desktop(desktop)
    , m_backgrounds(backgrounds)
{
}

int StoredOptions::number(const SettingsStore& store, const NumberSetting& s, QStringList* reset)
{
    // The store holds text; an unusable value falls back to the default rather than to
    // whatever a control would clamp it to.
    const QString text = store.GetSetting(QString::fromLatin1(s.key)).trimmed();
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < std::numeric_limits<qint16>::min() || value > std::numeric_limits<qint16>::max()
        || value < s.minimum || value > s.maximum) {
        if (reset && !text.isEmpty())
            *reset << QString::fromLatin1(s.key);
        return s.defaultValue;
    }
    return value;
}

int StoredOptions::choice(const SettingsStore& store, const OptionKeys::Choice& choice, QStringList* reset)
{
    const QString stored = store.GetSetting(QString::fromLatin1(choice.key));
    const int index = choice.indexOf(stored);
    if (index >= 0)
        return index;
    if (reset && !stored.isEmpty())
        *reset << QString::fromLatin1(choice.key);
    return choice.defaultIndex;
}

QString StoredOptions::keyName(
    const SettingsStore& store, const OptionKeys::Key& key, const QStringList& offered, QStringList* reset)
{
    const QString stored = store.GetSetting(QString::fromLatin1(key.key));
    if (!stored.isEmpty() && offered.contains(stored))
        return stored;
    if (reset && !stored.isEmpty())
        *reset << QString::fromLatin1(key.key);
    return QString::fromLatin1(key.defaultName);
}

QString StoredOptions::fontFamily(const SettingsStore& store, const Desktop& desktop)
{
    return store.GetSetting(QString::fromLatin1(OptionKeys::kFont), desktop.systemFont().family());
}

int StoredOptions::fontSize(const SettingsStore& store, const Desktop& desktop, QStringList* reset)
{
    const QString text = store.GetSetting(QString::fromLatin1(OptionKeys::kFontSize)).trimmed();
    bool ok = false;
    const int size = text.toShort(&ok);
    if (ok && size > 0)
        return size;
    if (reset && !text.isEmpty())
        *reset << QString::fromLatin1(OptionKeys::kFontSize);
    return desktop.systemFont().pointSize();
}

TrackPopUpOptions StoredOptions::trackPopUpOptions() const
{
    using namespace OptionKeys;
    return TrackPopUpOptions { box(kPopTitle), box(kPopArt), box(kStickyTitle), box(kStickyArt), box(kFloatArtwork),
        box(kStretchBackground), choice(m_store, kYPos) == 0, choice(m_store, kXPos) == 0,
        number(m_store, PopUpSettings::kWidth), number(m_store, PopUpSettings::kHeight),
        m_backgrounds.picture(choice(m_store, kBackground)), box(kDesktopNotifications) };
}

void StoredOptions::pushTo(PopUpMessages& popUps) const
{
    popUps.setAllowFading(box(OptionKeys::kFading));
    popUps.setShowDelay(number(m_store, PopUpSettings::kShowDelay));
    popUps.setMovementIndex(number(m_store, PopUpSettings::kMovementIndex));
    popUps.setScrollDelay(number(m_store, PopUpSettings::kScrollDelay));
    popUps.setPopUpDirection(choice(m_store, OptionKeys::kDirection));
}

QFont StoredOptions::messageFont() const
{
    // A family that is not installed is drawn in the one the system puts in its place.
    return FontPage::messageFont(fontFamily(m_store, m_desktop),
        FontPage::nearestListedSize(fontSize(m_store, m_desktop)), box(OptionKeys::kFontBold),
        box(OptionKeys::kFontItalic));
}

HotKeySettings StoredOptions::hotKeySettings() const
{
    HotKeySettings settings;
    settings.enabled = box(OptionKeys::kEnableHotKey);
    settings.modifier = keyName(m_store, OptionKeys::kModifier, ModifierNames());
    for (std::size_t i = 0; i < settings.keys.size(); ++i)
        settings.keys[i] = keyName(m_store, OptionKeys::kKeys[i], KeyNames());
    return settings;
}

bool StoredOptions::playListsEnabled() const
{
    return box(OptionKeys::kPlayLists);
}
