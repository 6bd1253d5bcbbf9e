#pragma once

#include "platform/appearance/ColorSchemeSource.h"

// A desktop whose colour scheme the test sets.
class FakeColorScheme : public ColorSchemeSource
{
public:
    bool dark() const override { return m_dark; }
    void setDark(bool dark)
    {
        m_dark = dark;
        emit changed();
    }

private:
    bool m_dark = false;
};
