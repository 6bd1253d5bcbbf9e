#pragma once

#include "PlistDocument.h"

#include <QByteArray>

class QIODevice;

// Writes a property list in the layout iTunes uses: UTF-8, tab indentation, a scalar on the
// same line as its key. Scalars are written with the text they hold, so what was read and
// not changed comes back as it was.
class PlistWriter
{
public:
    static QByteArray write(const PlistDocument& document);
    // Writes to device piece by piece, so a large library is never held twice in memory;
    // false when the device refused a write.
    static bool write(const PlistDocument& document, QIODevice* device);

private:
    PlistWriter(QByteArray* out, QIODevice* device);

    void writeDocument(const PlistDocument& document);
    // Hands what has gathered to the device once it is large enough to be worth a write.
    void drain(bool all = false);

    void writeValue(const PlistValue& value, int depth);
    void writeContainer(const PlistValue& value, int depth);
    void writeScalar(const PlistValue& value);
    void indent(int depth);

    QByteArray* m_out;
    // nullptr when everything gathers in m_out.
    QIODevice* m_device;
    bool m_failed = false;
};
