#pragma once

#include <QByteArray>
#include <QString>

namespace movie {

// The file's outer layer: the signature ("FWS" plain, "CWS" zlib-compressed), the version and
// the length of the whole movie; body is everything after those eight bytes, decompressed.
struct Container {
    char signature = 0;
    int version = 0;
    quint32 fileLength = 0;
    QByteArray body;
};

bool openContainer(const QByteArray& file, Container& out, QString& error);

} // namespace movie
