#pragma once

#include "artwork/ArtworkWindow.h"
#include "artwork/ShowPicServices.h"
#include "artwork/frmShowPic.h"

#include "FakeBeeper.h"
#include "FakeDesktop.h"
#include "FakePicturePrinter.h"
#include "FakeScreen.h"
#include "FakeSettingsStore.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QTemporaryDir>

#include <memory>
#include <optional>

// A 1024 × 768 screen at 96 dpi: 15 twips a pixel, 15360 × 11520 twips.
class ShowPicFixture : public testing::Test
{
protected:
    static constexpr int kTwips = 15;
    static constexpr int kScreenWidth = 1024;
    static constexpr int kScreenHeight = 768;
    // The mark in a test picture's top-left corner, so a picture's orientation shows.
    static inline const QColor kCornerColour { 250, 220, 0 };
    static inline const QString kPosition = QStringLiteral("Position");

    ShowPicFixture() { screen.area = QRect(0, 0, kScreenWidth, kScreenHeight); }
    void TearDown() override
    {
        artwork->unloadInstance();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    ShowPicServices services() { return { settings, desktop, screen, beeper, printer }; }
    frmShowPic& window()
    {
        if (!m_window)
            m_window = std::make_unique<frmShowPic>(services());
        return *m_window;
    }
    QLabel* picture1(frmShowPic& target) { return target.findChild<QLabel*>(QStringLiteral("Picture1")); }

    // Writes a PNG picture of the given size in pixels: one colour with an 8-pixel corner mark.
    QString writePicture(
        const QSize& size, const QString& name = QStringLiteral("cover.png"), const QColor& colour = { 40, 160, 90 })
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(colour);
        QPainter(&image).fillRect(0, 0, 8, 8, kCornerColour);
        const QString path = m_dir.filePath(name);
        EXPECT_TRUE(image.save(path, "PNG")) << path.toStdString();
        return path;
    }
    QString writeBytes(const QString& name, const QByteArray& bytes)
    {
        QFile file(m_dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        return file.fileName();
    }

    void mouse(QWidget* target, QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons buttons)
    {
        QMouseEvent event(type, at, target->mapToGlobal(at), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(target, &event);
    }
    void doubleClick(frmShowPic& target)
    {
        mouse(picture1(target), QEvent::MouseButtonDblClick, QPointF(10, 10), Qt::LeftButton, Qt::LeftButton);
    }
    // A left-button drag on the picture from one of its points to another.
    void drag(const QPointF& from, const QPointF& to)
    {
        QLabel* label = picture1(window());
        mouse(label, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
        mouse(label, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
        mouse(label, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
    }

    // A key event to the window with Ctrl held (but for the Ctrl key's own press).
    void key(QEvent::Type type, int code, bool autoRepeat = false, ulong time = 0)
    {
        QKeyEvent event(type, code, code == Qt::Key_Control ? Qt::NoModifier : Qt::ControlModifier, {}, autoRepeat);
        event.setTimestamp(time);
        QApplication::sendEvent(&window(), &event);
    }
    void press(int code, bool repeat = false) { key(QEvent::KeyPress, code, repeat); }
    void release(int code, bool repeat = false) { key(QEvent::KeyRelease, code, repeat); }
    // Ctrl with another key pressed and released, as a user types it.
    void ctrlChord(int code)
    {
        press(Qt::Key_Control);
        press(code);
        release(code);
        release(Qt::Key_Control);
    }

    FakeSettingsStore settings;
    FakeDesktop desktop;
    FakeScreen screen;
    FakeBeeper beeper;
    FakePicturePrinter printer;
    // The program's window, over these fakes; a test may give it other services.
    std::optional<ArtworkWindow> artwork { std::in_place, services() };

private:
    QTemporaryDir m_dir;
    std::unique_ptr<frmShowPic> m_window;
};
