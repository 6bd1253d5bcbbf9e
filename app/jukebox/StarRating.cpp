#include "StarRating.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

#include <algorithm>

namespace
{

constexpr int kGap = 3;
// The star's size against the text's height: big enough to hit, close to the text.
constexpr double kSizeToText = 1.35;
constexpr double kInnerRadius = 0.4;
constexpr int kPoints = 5;
const QColor kFilled(0xf2, 0xa9, 0x00);
// A picked star stays readable on a disabled widget.
constexpr double kDisabledOpacity = 0.4;

QPainterPath starPath(const QRectF& box)
{
    QPainterPath path;
    const QPointF centre = box.center();
    const double outer = box.width() / 2;
    for (int i = 0; i < 2 * kPoints; ++i) {
        const double radius = i % 2 == 0 ? outer : outer * kInnerRadius;
        const double angle = -M_PI / 2 + i * M_PI / kPoints;
        const QPointF point(centre.x() + radius * std::cos(angle), centre.y() + radius * std::sin(angle));
        if (i == 0)
            path.moveTo(point);
        else
            path.lineTo(point);
    }
    path.closeSubpath();
    return path;
}

} // namespace

StarRating::StarRating(QWidget* parent)
    : QWidget(parent)
{
    // Reached with Tab; a click rates without leaving a focus frame behind.
    setFocusPolicy(Qt::TabFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setCursor(Qt::PointingHandCursor);
}

void StarRating::setStars(int stars)
{
    stars = std::clamp(stars, 0, kMaxStars);
    if (stars == m_stars)
        return;
    m_stars = stars;
    update();
}

int StarRating::starSize() const
{
    return int(fontMetrics().height() * kSizeToText);
}

QPoint StarRating::starCentre(int star) const
{
    const int size = starSize();
    return { (star - 1) * (size + kGap) + size / 2, height() / 2 };
}

QSize StarRating::sizeHint() const
{
    const int size = starSize();
    return { kMaxStars * size + (kMaxStars - 1) * kGap, size };
}

void StarRating::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (!isEnabled())
        painter.setOpacity(kDisabledOpacity);
    const int size = starSize();
    const int top = (height() - size) / 2;
    for (int star = 1; star <= kMaxStars; ++star) {
        const QRectF box((star - 1) * (size + kGap) + 0.5, top + 0.5, size - 1, size - 1);
        const QPainterPath path = starPath(box);
        if (star <= m_stars)
            painter.fillPath(path, kFilled);
        painter.setPen(QPen(star <= m_stars ? kFilled.darker(130) : palette().color(QPalette::Mid), 1));
        painter.drawPath(path);
    }
    if (hasFocus()) {
        painter.setOpacity(1);
        painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void StarRating::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    const int star = std::clamp(int(event->position().x()) / (starSize() + kGap) + 1, 1, kMaxStars);
    pick(star == m_stars ? 0 : star);
}

void StarRating::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (key == Qt::Key_Left || key == Qt::Key_Minus)
        pick(std::max(m_stars - 1, 0));
    else if (key == Qt::Key_Right || key == Qt::Key_Plus)
        pick(std::min(m_stars + 1, kMaxStars));
    else if (key >= Qt::Key_0 && key <= Qt::Key_0 + kMaxStars)
        pick(key - Qt::Key_0);
    else
        QWidget::keyPressEvent(event);
}

void StarRating::pick(int stars)
{
    setStars(stars);
    emit starsPicked(m_stars);
}
