#pragma once

#include <QColor>
#include <QtGlobal>

// A stored colour: 0x00BBGGRR, or with the top bit set a system colour by its index in
// the low byte (0x8000000F, the button face). Unknown system indexes give the window
// background colour.
QColor ColorFromOle(quint32 value);
