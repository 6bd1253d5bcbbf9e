#pragma once

// The artwork window's placement rules, one axis at a time. All values are in one unit (the
// window uses twips); nothing here touches a window, so the rules are tested without a display.
namespace ShowPicGeometry
{

// One axis of the window and its picture. The picture's offset is relative to the window.
struct AxisPlacement {
    int windowPos = 0;
    int windowSize = 0;
    int pictureOffset = 0;
    int pictureSize = 0;

    friend bool operator==(const AxisPlacement&, const AxisPlacement&) = default;
};

struct AxisFit {
    AxisPlacement placement;
    // The picture is larger than the screen on this axis.
    bool oversized = false;
};

// Fits a picture to the screen on one axis. A picture that fits keeps the window at windowPos,
// sized to the picture, with the picture at 0. A larger one makes the window span the screen
// from 0 with the picture centred in it (a negative offset, halved toward zero).
AxisFit fitAxis(int windowPos, int pictureSize, int screenSize);

// Moves the window by delta; the picture stays where it is in the window.
AxisPlacement moveAxis(AxisPlacement axis, int delta);

// A drag along the one axis on which the picture is larger than the screen: the picture pans
// until its edge reaches the window's edge, and only then does the window move.
AxisPlacement panOversizedAxis(AxisPlacement axis, int delta);

// A drag when the picture is larger than the screen on both axes: the window, which already
// spans the screen, stays; the picture pans and is held covering the window.
AxisPlacement panCoveringAxis(AxisPlacement axis, int delta);

struct Placement {
    AxisPlacement x;
    AxisPlacement y;

    friend bool operator==(const Placement&, const Placement&) = default;
};

// One drag step of (dx, dy) by the rule the oversize flags pick: widthOversized and
// heightOversized are the flags 1 and 2 of the window.
Placement dragBy(Placement placement, int dx, int dy, bool widthOversized, bool heightOversized);

} // namespace ShowPicGeometry
