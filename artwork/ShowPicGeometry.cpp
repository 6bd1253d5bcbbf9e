#include "ShowPicGeometry.h"

#include <algorithm>

namespace ShowPicGeometry
{

AxisFit fitAxis(int windowPos, int pictureSize, int screenSize)
{
    if (pictureSize <= screenSize)
        return { { windowPos, pictureSize, 0, pictureSize }, false };
    // Integer division truncates toward zero, which is how the offset is halved.
    return { { 0, screenSize, (screenSize - pictureSize) / 2, pictureSize }, true };
}

AxisPlacement moveAxis(AxisPlacement axis, int delta)
{
    axis.windowPos += delta;
    return axis;
}

AxisPlacement panOversizedAxis(AxisPlacement axis, int delta)
{
    if (delta > 0) {
        if (axis.windowPos < 0) {
            axis.windowPos += delta;
        } else if (axis.pictureOffset + delta > 0) {
            axis.pictureOffset = 0;
            axis.windowPos += delta;
        } else {
            axis.windowPos = 0;
            axis.pictureOffset += delta;
        }
        return axis;
    }
    const bool pictureReachesPastWindow = axis.pictureOffset + axis.pictureSize > axis.windowSize;
    if (pictureReachesPastWindow && axis.pictureOffset + delta <= 0) {
        axis.pictureOffset += delta;
    } else {
        axis.pictureOffset = axis.windowSize - axis.pictureSize;
        axis.windowPos += delta;
    }
    return axis;
}

AxisPlacement panCoveringAxis(AxisPlacement axis, int delta)
{
    const int lowest = std::min(0, axis.windowSize - axis.pictureSize);
    axis.pictureOffset = std::clamp(axis.pictureOffset + delta, lowest, 0);
    return axis;
}

Placement dragBy(Placement placement, int dx, int dy, bool widthOversized, bool heightOversized)
{
    if (widthOversized && heightOversized) {
        // The window already covers the whole screen, so moving it could only uncover the
        // desktop; panning the picture, held so that it keeps covering the window, is the
        // one move that still shows more of the picture. Axes are clamped independently.
        return { panCoveringAxis(placement.x, dx), panCoveringAxis(placement.y, dy) };
    }
    if (widthOversized)
        return { panOversizedAxis(placement.x, dx), moveAxis(placement.y, dy) };
    if (heightOversized)
        return { moveAxis(placement.x, dx), panOversizedAxis(placement.y, dy) };
    return { moveAxis(placement.x, dx), moveAxis(placement.y, dy) };
}

} // namespace ShowPicGeometry
