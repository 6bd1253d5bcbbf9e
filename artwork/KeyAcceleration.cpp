#include "KeyAcceleration.h"

int KeyAcceleration::keyDown()
{
    ++m_repeatCount;
    if (m_repeatCount % kKeysPerSpeedStep == 0)
        ++m_speed;
    return m_speed;
}

void KeyAcceleration::keyUp()
{
    m_repeatCount = 0;
    m_speed = 1;
}
