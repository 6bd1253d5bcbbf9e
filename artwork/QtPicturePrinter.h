#pragma once

#include "PicturePrinter.h"

class QPrinter;

// The printer on Qt's print support: the system's default printer, with its default page.
// Built into the print module (see ModulePicturePrinter) and the tests.
class QtPicturePrinter : public PicturePrinter
{
public:
    Result print(const QPixmap& picture, const QSize& sizeTwips) override;

    // Draws the picture at the top-left of one page of a printer that is set up, and ends
    // the document. False when the printer cannot start or finish the document.
    static bool printOn(QPrinter& printer, const QPixmap& picture, const QSize& sizeTwips);
};
