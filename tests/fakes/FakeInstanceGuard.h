#pragma once

#include "platform/desktop/InstanceGuard.h"

class FakeInstanceGuard : public InstanceGuard
{
public:
    bool previousInstanceRunning() override { return anotherRunning; }
    void askToQuit() { emit quitRequested(); }

    bool anotherRunning = false;
};
