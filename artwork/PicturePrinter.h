#pragma once

#include <QSize>

class QPixmap;

// Prints a picture on the default printer, without asking the user anything.
class PicturePrinter
{
public:
    enum class Result {
        Printed,
        // No default printer is set up.
        NoPrinter,
        // The printer refused the document.
        Failed,
    };

    virtual ~PicturePrinter() = default;

    // Prints one page with the picture at its top-left corner, at the picture's own size
    // (sizeTwips, 1440 to the inch), and ends the document.
    virtual Result print(const QPixmap& picture, const QSize& sizeTwips) = 0;

    // The real one, for code that is not handed one.
    static PicturePrinter& system();
};
