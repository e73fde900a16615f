#pragma once

#include <QString>

// Display formats of text objects, applied when a text reads as a number:
// "%W.Pn" fixed P decimals with "," grouping of thousands, "%W.Pf" fixed P decimals
// (W, the minimum width, is accepted and not padded). Halfway digits go away from zero.
// Texts that are not numbers, and formats of any other shape, leave the text unchanged.
class DisplayFormat {
public:
    static QString apply(const QString& format, const QString& text);
};
