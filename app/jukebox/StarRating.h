#pragma once

#include <QWidget>

// Five stars that show a rating of 0 to 5 and let the user pick one: a click on a star
// picks that many, a click on the star already picked clears the rating; Left and Right
// (or 0 to 5) do the same from the keyboard.
class StarRating : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kMaxStars = 5;

    explicit StarRating(QWidget* parent = nullptr);

    int stars() const { return m_stars; }
    // Shows stars (clamped to 0..5) without announcing it.
    void setStars(int stars);
    // The middle of the star numbered 1 to 5, in this widget's coordinates.
    QPoint starCentre(int star) const;

    QSize sizeHint() const override;

signals:
    // The user picked a rating; stars() already shows it.
    void starsPicked(int stars);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    int starSize() const;
    void pick(int stars);

    int m_stars = 0;
};
