#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QWidget>

// What a real X server shows, for the tests that look at windows as the user sees them.
// Screenshots go to BOLVIN_SCREENSHOT_DIR, which the test target defines.

// The window's rectangle as the X server has it, not as Qt believes it is; empty when
// xwininfo does not answer.
inline QRect serverGeometry(const QWidget& window)
{
    QProcess xwininfo;
    xwininfo.start(QStringLiteral("xwininfo"), { QStringLiteral("-id"), QString::number(window.winId()) });
    if (!xwininfo.waitForFinished(5000))
        return {};
    const QString text = QString::fromLocal8Bit(xwininfo.readAllStandardOutput());
    const auto field = [&text](const char* name) {
        const QRegularExpression pattern(QString::fromLatin1(name) + QStringLiteral(":\\s+(-?\\d+)"));
        return pattern.match(text).captured(1).toInt();
    };
    return { field("Absolute upper-left X"), field("Absolute upper-left Y"), field("Width"), field("Height") };
}

// The whole screen as drawn, also saved as name.png.
inline QImage screenshot(const QString& name)
{
    const QImage shot = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
    const QDir folder(QStringLiteral(BOLVIN_SCREENSHOT_DIR));
    folder.mkpath(QStringLiteral("."));
    EXPECT_TRUE(shot.save(folder.filePath(name + QStringLiteral(".png"))));
    return shot;
}
