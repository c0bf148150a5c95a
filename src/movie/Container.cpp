#include "movie/Container.h"

#include "movie/Inflate.h"
#include "movie/Limits.h"

namespace movie {

namespace {

constexpr qsizetype headerBytes = 8;

quint32 littleEndian32(const uchar* bytes) {
    return quint32(bytes[0]) | quint32(bytes[1]) << 8 | quint32(bytes[2]) << 16 |
           quint32(bytes[3]) << 24;
}

} // namespace

bool openContainer(const QByteArray& file, Container& out, QString& error) {
    const auto* bytes = reinterpret_cast<const uchar*>(file.constData());
    if (file.size() < headerBytes) {
        error = QStringLiteral("the file is too short to be a movie");
        return false;
    }
    const char signature = file[0];
    if ((signature != 'F' && signature != 'C') || file[1] != 'W' || file[2] != 'S') {
        error = file.startsWith("ZWS") ? QStringLiteral("LZMA-compressed movies are not supported")
                                       : QStringLiteral("the file is not a movie");
        return false;
    }
    out.signature = signature;
    out.version = bytes[3];
    out.fileLength = littleEndian32(bytes + 4);
    if (out.fileLength < headerBytes) {
        error = QStringLiteral("the movie's length in its header is too small");
        return false;
    }
    const qsizetype bodyLength = qsizetype(out.fileLength) - headerBytes;
    if (bodyLength > limits::movieBytes) {
        error = QStringLiteral("the movie is too large (%1 bytes)").arg(out.fileLength);
        return false;
    }
    if (signature == 'C')
        return inflateExactly(bytes + headerBytes, file.size() - headerBytes, bodyLength, out.body,
                              error);
    if (file.size() < qsizetype(out.fileLength)) {
        error = QStringLiteral("the movie is cut short");
        return false;
    }
    out.body = file.mid(headerBytes, bodyLength);
    return true;
}

} // namespace movie
