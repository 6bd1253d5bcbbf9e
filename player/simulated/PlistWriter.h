#pragma once

#include "PlistDocument.h"

#include <QByteArray>

// Writes a property list in the layout iTunes uses: UTF-8, tab indentation, a scalar on the
// same line as its key. Scalars are written with the text they hold, so what was read and
// not changed comes back as it was.
class PlistWriter
{
public:
    static QByteArray write(const PlistDocument& document);

private:
    explicit PlistWriter(QByteArray* out);

    void writeValue(const PlistValue& value, int depth);
    void writeContainer(const PlistValue& value, int depth);
    void writeScalar(const PlistValue& value);
    void indent(int depth);

    QByteArray* m_out;
};
