#pragma once

#include <QString>

class QFont;

// A rating's stars as text: a filled star per star, then hollow ones up to five, where the
// font draws both; else "* " per star, which every font draws. Empty for 0 stars or
// anything outside 0..5. GUI thread only.
QString ratingStarText(int stars, const QFont& font);
