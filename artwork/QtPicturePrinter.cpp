#include "QtPicturePrinter.h"

#include <QPainter>
#include <QPixmap>
#include <QPrinter>
#include <QPrinterInfo>

namespace
{
constexpr double kTwipsPerInch = 1440.0;
}

PicturePrinter::Result QtPicturePrinter::print(const QPixmap& picture, const QSize& sizeTwips)
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return Result::NoPrinter;
    QPrinter printer(info, QPrinter::HighResolution);
    return printOn(printer, picture, sizeTwips) ? Result::Printed : Result::Failed;
}

bool QtPicturePrinter::printOn(QPrinter& printer, const QPixmap& picture, const QSize& sizeTwips)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    // The printer's dots are much finer than the screen's: scale to the picture's size in
    // inches so it prints as large as it looks.
    const QRectF target(0.0, 0.0, sizeTwips.width() * printer.logicalDpiX() / kTwipsPerInch,
        sizeTwips.height() * printer.logicalDpiY() / kTwipsPerInch);
    painter.drawPixmap(target, picture, QRectF(picture.rect()));
    return painter.end();
}

// What the program looks up once it has loaded this module.
extern "C" Q_DECL_EXPORT PicturePrinter* bolvinCreatePicturePrinter()
{
    return new QtPicturePrinter;
}
