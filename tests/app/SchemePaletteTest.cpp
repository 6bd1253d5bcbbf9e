#include "app/SchemePalette.h"
#include "Contrast.h"
#include "FakeColorScheme.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>

// Text on the dark palette stays readable: a contrast of at least 4.5:1.
TEST(SchemePaletteTest, ADarkDesktopDarkensALightPaletteReadablyAndALightOneGivesItBack)
{
    const QPalette given = QApplication::palette();
    FakeColorScheme scheme;
    SchemePalette palette(scheme);
    QLabel window;
    EXPECT_EQ(QApplication::palette(), given);
    scheme.setDark(true);
    // Windows hear of the new palette by a posted event.
    QCoreApplication::processEvents();
    const QPalette dark = window.palette();
    EXPECT_LT(dark.color(QPalette::Window).lightness(), 64) << "windows follow the application's palette";
    EXPECT_GE(contrastRatio(dark.color(QPalette::WindowText), dark.color(QPalette::Window)), 4.5);
    EXPECT_GE(contrastRatio(dark.color(QPalette::Text), dark.color(QPalette::Base)), 4.5);
    EXPECT_GE(contrastRatio(dark.color(QPalette::HighlightedText), dark.color(QPalette::Highlight)), 4.5);
    scheme.setDark(false);
    EXPECT_EQ(QApplication::palette(), given);
}
