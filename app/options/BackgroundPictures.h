#pragma once

#include <QPixmap>
#include <QString>

#include <array>
#include <optional>

// The title pop-up's four background pictures, decoded when first asked for: not at start-up.
class BackgroundPictures
{
public:
    explicit BackgroundPictures(QString dir);

    // The full picture of a background choice; null for no choice or a missing file.
    QPixmap picture(int choice) const;

private:
    QString m_dir;
    mutable std::optional<std::array<QPixmap, 4>> m_pictures;
};
