#pragma once

#include "artwork/PicturePrinter.h"

#include <QList>
#include <QPixmap>
#include <QSize>

// Records the pictures it was asked to print and answers with a chosen result.
class FakePicturePrinter : public PicturePrinter
{
public:
    struct Job {
        QPixmap picture;
        QSize sizeTwips;
    };
    Result result = Result::Printed;
    QList<Job> jobs;
    Result print(const QPixmap& picture, const QSize& sizeTwips) override
    {
        jobs.append({ picture, sizeTwips });
        return result;
    }
};
