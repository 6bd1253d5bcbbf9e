#pragma once

// The keyboard move's acceleration: every counted key-down adds to a repeat count, and each
// fourth one raises the speed by 1; a key release starts over at speed 1.
class KeyAcceleration
{
public:
    // Counts one key-down and returns the speed the move of this key-down uses.
    int keyDown();
    // A key was released.
    void keyUp();

    int repeatCount() const { return m_repeatCount; }
    int speed() const { return m_speed; }

private:
    static constexpr int kKeysPerSpeedStep = 4;

    int m_repeatCount = 0;
    int m_speed = 1;
};
