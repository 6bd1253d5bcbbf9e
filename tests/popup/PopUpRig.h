#pragma once

#include "popup/PopUpMessage.h"
#include "popup/PopUpMessages.h"
#include "popup/frmPopUpMessage.h"

#include "FakeClock.h"
#include "FakeCursor.h"
#include "FakeScreen.h"
#include "FakeSoundPlayer.h"
#include "FakeTranslucency.h"
#include "FakeWindowStacking.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QMouseEvent>
#include <QTemporaryDir>

#include <memory>
#include <vector>

using PopUps = std::vector<std::shared_ptr<PopUpMessage>>;

// A pop-up collection on fake services: a 1280 × 800 screen at 96 dpi (15 twips a pixel),
// a pointer off the screen and a clock that moves only when told.
class PopUpRig : public testing::Test
{
protected:
    ~PopUpRig() override
    {
        popups.reset();
        // Windows are deleted later, as in the running program; do it before the next test.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    PopUpServices services() { return { &screen, &cursor, &clock, &sound, &translucency, &stacking }; }

    // A pop-up with text; with a sound file that exists when wav is named.
    std::shared_ptr<PopUpMessage> makePopUp(const QString& wav = QString())
    {
        auto popUp = std::make_shared<PopUpMessage>();
        popUp->setCaption(QStringLiteral("Caption"));
        popUp->setMessage(QStringLiteral("Message"));
        if (!wav.isEmpty()) {
            QFile file(wavDir.filePath(wav));
            EXPECT_TRUE(file.open(QIODevice::WriteOnly));
            popUp->setWavFile(file.fileName());
        }
        return popUp;
    }
    PopUps showMany(int count, const QString& wav = QString())
    {
        PopUps shown;
        for (int i = 0; i < count; ++i) {
            shown.push_back(makePopUp(wav));
            popups->Show(shown.back());
        }
        return shown;
    }

    // Scheduler ticks, each a ScrollDelay later unless told how far apart.
    void ticks(int count = 1, qint64 apart = 0)
    {
        for (int i = 0; i < count; ++i) {
            clock.advance(apart ? apart : popups->ScrollDelay());
            popups->AnimatePopups();
        }
    }

    static void sendMouse(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held)
    {
        QMouseEvent event(type, QPointF(at), target->mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &event);
    }
    static void click(QWidget* target, Qt::MouseButton button = Qt::LeftButton)
    {
        sendMouse(target, QEvent::MouseButtonPress, { 2, 2 }, button, button);
        sendMouse(target, QEvent::MouseButtonRelease, { 2, 2 }, button, Qt::NoButton);
    }

    QTemporaryDir wavDir;
    FakeScreen screen;
    FakeCursor cursor;
    FakeClock clock;
    FakeSoundPlayer sound;
    FakeTranslucency translucency;
    FakeWindowStacking stacking;
    std::unique_ptr<PopUpMessages> popups = std::make_unique<PopUpMessages>(services(), 4500, 1800);
};
