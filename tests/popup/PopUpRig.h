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
#include <QTemporaryDir>

#include <memory>

// A pop-up collection on fake services: a 1280 × 800 screen at 96 dpi (15 twips a pixel),
// a pointer off the screen and a clock that moves only when told.
class PopUpRig : public testing::Test {
protected:
    PopUpRig()
        : popups(std::make_unique<PopUpMessages>(services(), 4500, 1800))
    {
    }
    ~PopUpRig() override
    {
        popups.reset();
        // Windows are deleted later, as in the running program; do it before the next test.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    PopUpServices services()
    {
        PopUpServices result;
        result.screen = &screen;
        result.cursor = &cursor;
        result.clock = &clock;
        result.sound = &sound;
        result.translucency = &translucency;
        result.stacking = &stacking;
        return result;
    }

    std::shared_ptr<PopUpMessage> makePopUp(const QString& wav = QString())
    {
        auto popUp = std::make_shared<PopUpMessage>();
        popUp->setCaption(QStringLiteral("Caption"));
        popUp->setMessage(QStringLiteral("Message"));
        popUp->setWavFile(wav);
        return popUp;
    }

    // A wave file that exists, so the sound helper passes it on.
    QString existingWav(const QString& name)
    {
        const QString path = wavDir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        return path;
    }

    // One scheduler tick, a ScrollDelay later.
    void tick()
    {
        clock.advance(popups->ScrollDelay());
        popups->AnimatePopups();
    }
    void ticks(int count)
    {
        for (int i = 0; i < count; ++i)
            tick();
    }

    QTemporaryDir wavDir;
    FakeScreen screen;
    FakeCursor cursor;
    FakeClock clock;
    FakeSoundPlayer sound;
    FakeTranslucency translucency;
    FakeWindowStacking stacking;
    std::unique_ptr<PopUpMessages> popups;
};
