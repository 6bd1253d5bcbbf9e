#include "PopUpFrame.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace
{
// The shadow's darkest ring; the rings fade out towards the window's edge.
constexpr int kShadowAlpha = 60;
// The shadow falls a little below the card, as from a light above the screen.
constexpr int kShadowDrop = 2;
}

PopUpFrame::PopUpFrame(QWidget* window)
    : QWidget(window)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void PopUpFrame::setShadowMargin(int margin)
{
    m_margin = std::max(0, margin);
    update();
}

int PopUpFrame::cornerRadius() const
{
    return fontMetrics().height() / 2;
}

QRect PopUpFrame::card() const
{
    return rect().adjusted(m_margin, m_margin, -m_margin, -m_margin);
}

void PopUpFrame::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    const QColor border = palette().color(QPalette::Mid);
    if (m_margin == 0) {
        painter.setPen(border);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
        return;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF card = this->card();
    const qreal radius = cornerRadius();
    QPainterPath cardPath;
    cardPath.addRoundedRect(card, radius, radius);
    QPainterPath outside;
    outside.addRect(rect());
    outside = outside.subtracted(cardPath);

    painter.setCompositionMode(QPainter::CompositionMode_Clear);
    painter.fillPath(outside, Qt::transparent);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    // Rings of faint black, each a little wider, add up to a shadow that fades outwards.
    for (int ring = m_margin; ring >= 1; --ring) {
        QPainterPath shadow;
        shadow.addRoundedRect(
            card.adjusted(-ring, -ring + kShadowDrop, ring, ring + kShadowDrop), radius + ring, radius + ring);
        painter.fillPath(shadow.subtracted(cardPath), QColor(0, 0, 0, kShadowAlpha / m_margin));
    }
    painter.setPen(QPen(border, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(card.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
}
