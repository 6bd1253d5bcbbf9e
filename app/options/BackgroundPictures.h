#pragma once

#include <QPixmap>

#include <array>

// The title pop-up's four backgrounds, drawn rather than read from files: a soft gradient in
// each choice's hue, pale under a light palette and deep under a dark one, so that the
// palette's text reads on every one of them. Drawn once per scheme, when first asked for.
class BackgroundPictures
{
public:
    static constexpr int kCount = 4;

    // The background of a choice (0 to 3) for the application's palette as it is now; null
    // for no choice.
    QPixmap picture(int choice) const;

private:
    mutable std::array<std::array<QPixmap, kCount>, 2> m_drawn;
};
