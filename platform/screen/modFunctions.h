#pragma once

#include "Cursor.h"
#include "Screen.h"
#include "WindowStacking.h"

class QWidget;

// Desktop and window geometry in twips (1/1440 inch). A "window handle" is a QWidget*;
// nullptr stands for the desktop where an operation allows it. Each helper takes the
// service it reads, defaulting to the real one, so logic above it is testable.

// Rounds to the nearest integer, an exact half to the even neighbour.
int RoundHalfEven(double value);

// Twips per pixel, from the screen's logical DPI (15 at 96 dpi).
double TwipsPerPixelX(const Screen& screen);
double TwipsPerPixelY(const Screen& screen);

// The largest whole number of pixels, in twips, not above the given twips.
int FloorToPixelX(int twips, const Screen& screen);
int FloorToPixelY(int twips, const Screen& screen);

// Twips to the nearest pixel.
int TwipsToPixelsX(int twips, const Screen& screen);
int TwipsToPixelsY(int twips, const Screen& screen);

// The right and bottom edges of the work area (the screen minus panels); 0 without a screen.
int GetWorkAreaRight(const Screen& screen);
int GetWorkAreaBottom(const Screen& screen);

// The window's height and width; for nullptr the work area's bottom and right edges.
int GetWindowHeightTwips(const QWidget* hwnd, const Screen& screen);
int GetWindowWidthTwips(const QWidget* hwnd, const Screen& screen);

// True when the pointer is on the window, its right and bottom edge lines included.
// False for nullptr.
bool IsCursorOverWindow(const QWidget* hwnd, const Screen& screen, const Cursor& cursor);

// Puts the window in the topmost band without activating it.
void MakeWindowTopMost(QWidget* hwnd, WindowStacking& stacking);
