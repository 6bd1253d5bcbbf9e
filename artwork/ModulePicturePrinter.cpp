#include "ModulePicturePrinter.h"

#include "platform/screen/ModuleLoader.h"

#include <cstdio>

namespace
{
using CreatePicturePrinter = PicturePrinter* (*)();
}

ModulePicturePrinter::ModulePicturePrinter(QStringList folders)
    : m_folders(std::move(folders))
{
}

// The module stays loaded to the end: its code runs the printer's destructor.
ModulePicturePrinter::~ModulePicturePrinter() = default;

PicturePrinter::Result ModulePicturePrinter::print(const QPixmap& picture, const QSize& sizeTwips)
{
    if (!m_tried) {
        m_tried = true;
        QString error;
        if (const auto create = reinterpret_cast<CreatePicturePrinter>(
                ModuleLoader::resolve(QStringLiteral("bolvin_print"), "bolvinCreatePicturePrinter", m_folders, &error)))
            m_printer.reset(create());
        else
            std::fprintf(stderr, "Bolvin cannot print: %s\n", qPrintable(error));
    }
    return m_printer ? m_printer->print(picture, sizeTwips) : Result::Failed;
}

PicturePrinter& PicturePrinter::system()
{
    static ModulePicturePrinter printer(ModuleLoader::folders());
    return printer;
}
