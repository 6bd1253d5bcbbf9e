#pragma once

#include <QObject>

// Whether the desktop wants light or dark colours, and when that changes.
class ColorSchemeSource : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    virtual bool dark() const = 0;

signals:
    void changed();
};
