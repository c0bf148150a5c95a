#pragma once

#include "core/WordContent.h"

#include <QString>

namespace exam {

// What differs between the Alpha and the Alpha-Numeric test.
struct WordTestKind {
    QString slotCaptions[3]; // the captions of slots 10 to 12
    QString description;     // the information box shown at the start
    QString seconds;         // the countdown's start
    QString testName;        // the test's name in the summary and the row
    const WordPool& pool;
};

extern const WordTestKind kAlphaTest;
extern const WordTestKind kAlphaNumericTest;

// The record of the pool that the draw's text selects: "0" to "3" their own, any other the last.
const WordRecord& recordForDraw(const WordPool& pool, const QString& draw);

} // namespace exam
