#include "banner/BitWriter.h"

namespace bannergen {

void BitWriter::ub(quint32 value, int bits) {
    for (int i = bits - 1; i >= 0; --i) {
        pending = quint8((pending << 1) | ((value >> i) & 1u));
        if (++used == 8) {
            out.append(char(pending));
            pending = 0;
            used = 0;
        }
    }
}

void BitWriter::align() {
    if (used > 0)
        ub(0, 8 - used);
}

void BitWriter::u8(int value) {
    align();
    out.append(char(value & 0xFF));
}

void BitWriter::u16(int value) {
    u8(value);
    u8(value >> 8);
}

void BitWriter::u32(quint32 value) {
    u16(int(value & 0xFFFF));
    u16(int(value >> 16));
}

void BitWriter::bytes(const QByteArray& data) {
    align();
    out.append(data);
}

int signedBits(qint64 value) {
    const quint64 magnitude = value < 0 ? quint64(~value) : quint64(value);
    int bits = 1;
    while (bits < 64 && (magnitude >> (bits - 1)) != 0)
        ++bits;
    return bits;
}

} // namespace bannergen
