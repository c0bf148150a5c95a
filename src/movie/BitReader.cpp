#include "movie/BitReader.h"

namespace movie {

bool BitReader::need(qsizetype count) {
    align();
    if (failed || count < 0 || count > size - pos) {
        failed = true;
        return false;
    }
    return true;
}

quint8 BitReader::u8() {
    if (!need(1))
        return 0;
    return data[pos++];
}

quint16 BitReader::u16() {
    if (!need(2))
        return 0;
    const quint16 value = quint16(data[pos] | (data[pos + 1] << 8));
    pos += 2;
    return value;
}

quint32 BitReader::u32() {
    if (!need(4))
        return 0;
    quint32 value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | data[pos + i];
    pos += 4;
    return value;
}

void BitReader::skip(qsizetype count) {
    if (need(count))
        pos += count;
}

BitReader BitReader::take(qsizetype count) {
    BitReader part(data + pos, 0);
    if (!need(count)) {
        part.failed = true;
        return part;
    }
    part.size = count;
    pos += count;
    return part;
}

quint32 BitReader::ub(int bits) {
    if (bits <= 0 || bits > 32) {
        if (bits != 0)
            failed = true;
        return 0;
    }
    quint64 value = 0;
    for (int i = 0; i < bits; ++i) {
        if (bitsLeft == 0) {
            if (failed || pos >= size) {
                failed = true;
                return 0;
            }
            bitByte = data[pos++];
            bitsLeft = 8;
        }
        --bitsLeft;
        value = (value << 1) | ((bitByte >> bitsLeft) & 1u);
    }
    return failed ? 0 : quint32(value);
}

qint32 BitReader::sb(int bits) {
    const quint32 raw = ub(bits);
    if (bits <= 0 || bits >= 32)
        return qint32(raw);
    const quint32 sign = 1u << (bits - 1);
    return qint32((raw ^ sign) - sign);
}

} // namespace movie
