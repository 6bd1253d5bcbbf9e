#include "RatingStars.h"

#include "player/RatingScale.h"

#include <QFont>
#include <QFontMetrics>
#include <QHash>

namespace
{
constexpr char32_t kFilledStar = 0x2605;
constexpr char32_t kHollowStar = 0x2606;

bool drawsStars(const QFont& font)
{
    // Asking the font engine costs a glyph lookup, and a font's answer never changes.
    static QHash<QString, bool> answers;
    const QString key = font.key();
    const auto known = answers.constFind(key);
    if (known != answers.constEnd())
        return *known;
    const QFontMetrics metrics(font);
    const bool draws = metrics.inFontUcs4(kFilledStar) && metrics.inFontUcs4(kHollowStar);
    answers.insert(key, draws);
    return draws;
}
}

QString ratingStarText(int stars, const QFont& font)
{
    if (stars <= 0 || stars > RatingScale::kStarCount)
        return QString();
    if (!drawsStars(font))
        return QStringLiteral("* ").repeated(stars);
    const QString filled = QString::fromUcs4(&kFilledStar, 1);
    const QString hollow = QString::fromUcs4(&kHollowStar, 1);
    return filled.repeated(stars) + hollow.repeated(RatingScale::kStarCount - stars);
}
