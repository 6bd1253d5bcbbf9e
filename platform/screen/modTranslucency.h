#pragma once

#include "Translucency.h"

class QWidget;

// Whole-window opacity for a window and the visible windows around it.

bool IsLayeringSupported(const Translucency& translucency = Translucency::system());

// The window itself when its parent is hidden or absent; otherwise the outermost of the
// unbroken chain of visible parents above it. nullptr for nullptr.
QWidget* GetTopVisibleAncestor(QWidget* hwnd);

// Sets the opacity (0 transparent .. 255 opaque) of the window's top visible ancestor.
// False at once where translucency is unsupported, or when the window system refused.
bool SetTranslucency(QWidget* hwnd, quint8 alpha, Translucency& translucency = Translucency::system());
