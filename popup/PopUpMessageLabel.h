#pragma once

#include <QLabel>

// A pop-up's message, drawn a line at a time. Laid out as a track (setTrackLayout), the first
// line is the title, in bold, and the two after it (artist and album) are in the secondary
// text colour; any other message is plain lines. text() stays the plain lines either way.
class PopUpMessageLabel : public QLabel
{
    Q_OBJECT
public:
    using QLabel::QLabel;

    void setTrackLayout(bool track);
    // The text colour blended a quarter of the way into the background: quieter than the
    // text, and still far from the background.
    static QColor secondaryColour(const QPalette& palette);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_track = false;
};
