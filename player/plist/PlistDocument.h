#pragma once

#include "PlistValue.h"

#include <QString>

// A whole property-list file: the root value and what surrounds it that a writer must
// reproduce.
struct PlistDocument {
    // The DOCTYPE line as read, e.g. <!DOCTYPE plist PUBLIC "-//Apple//DTD PLIST 1.0//EN" ...>;
    // empty when the file had none.
    QString doctype;
    // The <plist version="..."> attribute.
    QString version = QStringLiteral("1.0");
    PlistValue root;
};
