#include "PopUpMessageLabel.h"

#include <QPainter>

namespace
{
constexpr int kSecondaryLines = 2;
constexpr double kSecondaryBlend = 0.25;
}

void PopUpMessageLabel::setTrackLayout(bool track)
{
    m_track = track;
    update();
}

QColor PopUpMessageLabel::secondaryColour(const QPalette& palette)
{
    const QColor text = palette.color(QPalette::WindowText);
    const QColor back = palette.color(QPalette::Window);
    const auto blend = [](int from, int to) { return int(from + (to - from) * kSecondaryBlend); };
    return QColor(blend(text.red(), back.red()), blend(text.green(), back.green()), blend(text.blue(), back.blue()));
}

void PopUpMessageLabel::paintEvent(QPaintEvent* event)
{
    if (!m_track) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    const QStringList lines = text().split(QLatin1Char('\n'));
    const int lineHeight = fontMetrics().lineSpacing();
    QFont title = font();
    title.setBold(true);
    int top = (height() - int(lines.size()) * lineHeight) / 2;
    for (qsizetype i = 0; i < lines.size(); ++i, top += lineHeight) {
        const bool isTitle = i == 0;
        painter.setFont(isTitle ? title : font());
        painter.setPen(i >= 1 && i <= kSecondaryLines ? secondaryColour(palette()) : palette().color(QPalette::WindowText));
        const QString shown = painter.fontMetrics().elidedText(lines[i], Qt::ElideRight, width());
        painter.drawText(QRect(0, top, width(), lineHeight), Qt::AlignCenter, shown);
    }
}
