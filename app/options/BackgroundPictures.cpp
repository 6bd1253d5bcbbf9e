#include "BackgroundPictures.h"

#include "platform/appearance/DarkPalette.h"

#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>

namespace
{
// Blue, peach, green and lavender: each choice's hue on the HSL wheel.
constexpr std::array<int, BackgroundPictures::kCount> kHues { 220, 28, 140, 268 };
// Drawn at this size and scaled by the pop-up: a vertical gradient stays smooth at any scale.
constexpr QSize kDrawnSize(300, 120);

struct Shade {
    int saturation;
    int topLightness;
    int bottomLightness;
};
// Lightness kept far from the text's: black text on the pale ones, light text on the deep.
constexpr Shade kLight { 200, 242, 214 };
constexpr Shade kDark { 70, 58, 38 };
}

QPixmap BackgroundPictures::picture(int choice) const
{
    if (choice < 0 || choice >= kCount)
        return QPixmap();
    const bool dark = isDarkPalette(QGuiApplication::palette());
    QPixmap& drawn = m_drawn[dark ? 1 : 0][std::size_t(choice)];
    if (drawn.isNull()) {
        const Shade shade = dark ? kDark : kLight;
        const int hue = kHues[std::size_t(choice)];
        QImage image(kDrawnSize, QImage::Format_RGB32);
        QPainter painter(&image);
        QLinearGradient gradient(0, 0, 0, kDrawnSize.height());
        gradient.setColorAt(0, QColor::fromHsl(hue, shade.saturation, shade.topLightness));
        gradient.setColorAt(1, QColor::fromHsl(hue, shade.saturation, shade.bottomLightness));
        painter.fillRect(image.rect(), gradient);
        painter.end();
        drawn = QPixmap::fromImage(image);
    }
    return drawn;
}
