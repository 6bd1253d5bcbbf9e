#include "SchemePalette.h"

#include "platform/appearance/ColorSchemeSource.h"
#include "platform/appearance/DarkPalette.h"

#include <QApplication>

SchemePalette::SchemePalette(ColorSchemeSource& scheme, QObject* parent)
    : QObject(parent)
    , m_scheme(scheme)
{
    connect(&scheme, &ColorSchemeSource::changed, this, &SchemePalette::follow);
    follow();
}

QPalette SchemePalette::dark()
{
    // Greys and a blue that keep text at well over 4.5:1 against its background.
    const QColor window(0x2b, 0x2d, 0x31);
    const QColor base(0x1e, 0x1f, 0x22);
    const QColor text(0xe8, 0xe8, 0xea);
    const QColor disabledText(0x8a, 0x8c, 0x91);
    const QColor highlight(0x2f, 0x6c, 0xc4);
    QPalette palette(text, window, window.lighter(130), window.darker(140), window.darker(110), text, base);
    palette.setColor(QPalette::Window, window);
    palette.setColor(QPalette::Button, window.lighter(110));
    palette.setColor(QPalette::Base, base);
    palette.setColor(QPalette::AlternateBase, window);
    palette.setColor(QPalette::ToolTipBase, base);
    palette.setColor(QPalette::ToolTipText, text);
    palette.setColor(QPalette::PlaceholderText, disabledText);
    palette.setColor(QPalette::Highlight, highlight);
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::Link, highlight.lighter(130));
    palette.setColor(QPalette::LinkVisited, highlight.lighter(110));
    palette.setColor(QPalette::BrightText, Qt::white);
    for (const QPalette::ColorRole role : { QPalette::WindowText, QPalette::Text, QPalette::ButtonText })
        palette.setColor(QPalette::Disabled, role, disabledText);
    return palette;
}

void SchemePalette::follow()
{
    const bool wantDark = m_scheme.dark();
    if (wantDark && !m_replaced && !isDarkPalette(QApplication::palette())) {
        m_replaced = QApplication::palette();
        QApplication::setPalette(dark());
    } else if (!wantDark && m_replaced) {
        const QPalette given = *m_replaced;
        m_replaced.reset();
        QApplication::setPalette(given);
    }
}
