#pragma once

#include <QWidget>

// The outline of a pop-up window, drawn over everything in it; the pointer passes through.
// Plain, it is the window's edge in the palette's mid colour. Rounded (only on a translucent
// window, under a compositing manager), the card inside the shadow margin gets rounded
// corners and a soft shadow, and whatever the content paints outside the card is wiped.
class PopUpFrame : public QWidget
{
    Q_OBJECT
public:
    explicit PopUpFrame(QWidget* window);

    // Rounds the card and keeps margin pixels around it for the shadow; 0 for a plain frame.
    void setShadowMargin(int margin);
    int shadowMargin() const { return m_margin; }
    // The card's corner radius: half a line of the window's font.
    int cornerRadius() const;
    // Where the card is, in the window's pixels.
    QRect card() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_margin = 0;
};
