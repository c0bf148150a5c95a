#pragma once

#include <QByteArray>
#include <QString>

namespace movie {

// Inflates a zlib stream that must give exactly `expected` bytes. The output buffer is never
// larger than that: a stream that would give more, less, or is damaged is refused with a reason.
bool inflateExactly(const uchar* data, qsizetype size, qsizetype expected, QByteArray& out,
                    QString& error);

} // namespace movie
