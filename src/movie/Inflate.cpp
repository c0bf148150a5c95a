#include "movie/Inflate.h"

#include <limits>
#include <zlib.h>

namespace movie {

namespace {

// zlib counts in uInt; the movie and file bounds keep both sizes far below it.
bool fitsZlib(qsizetype size) {
    return size >= 0 && quint64(size) <= std::numeric_limits<uInt>::max();
}

} // namespace

bool inflateExactly(const uchar* data, qsizetype size, qsizetype expected, QByteArray& out,
                    QString& error) {
    if (!fitsZlib(size) || !fitsZlib(expected)) {
        error = QStringLiteral("the compressed movie is too large");
        return false;
    }
    out = QByteArray(expected, Qt::Uninitialized);
    z_stream stream{};
    if (inflateInit(&stream) != Z_OK) {
        error = QStringLiteral("the decompressor could not start");
        return false;
    }
    stream.next_in = const_cast<Bytef*>(data);
    stream.avail_in = uInt(size);
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = uInt(expected);
    const int result = inflate(&stream, Z_FINISH);
    const uInt spare = stream.avail_out;
    inflateEnd(&stream);

    if (result == Z_STREAM_END && spare == 0)
        return true;
    if (result == Z_STREAM_END)
        error = QStringLiteral("the compressed movie is shorter than its header says");
    else if (result == Z_BUF_ERROR && spare == 0)
        error = QStringLiteral("the compressed movie is longer than its header says");
    else if (result == Z_BUF_ERROR)
        error = QStringLiteral("the compressed movie is cut short");
    else
        error = QStringLiteral("the compressed movie is damaged");
    out.clear();
    return false;
}

} // namespace movie
