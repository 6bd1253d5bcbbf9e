#pragma once

#include "PicturePrinter.h"

#include <QStringList>

#include <memory>

// The program's printer: Qt's, in its own module loaded at the first print from the first of
// the folders that has it, so that a start does not load the print libraries. Without the
// module every print fails, and stderr says why, once.
class ModulePicturePrinter : public PicturePrinter
{
public:
    explicit ModulePicturePrinter(QStringList folders);
    ~ModulePicturePrinter() override;

    Result print(const QPixmap& picture, const QSize& sizeTwips) override;

private:
    QStringList m_folders;
    bool m_tried = false;
    std::unique_ptr<PicturePrinter> m_printer;
};
