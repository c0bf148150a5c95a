#pragma once

#include <QByteArray>

namespace bannergen {

// Writes little-endian bytes and packed bit fields, most significant bit first; a whole-byte
// write first finishes the byte being packed.
class BitWriter {
public:
    void ub(quint32 value, int bits);
    void sb(qint32 value, int bits) { ub(quint32(value), bits); }
    void align();
    void u8(int value);
    void u16(int value);
    void u32(quint32 value);
    void bytes(const QByteArray& data);
    const QByteArray& data() {
        align();
        return out;
    }

private:
    QByteArray out;
    quint8 pending = 0;
    int used = 0;
};

// The width of a packed field that holds the value, sign bit included.
int signedBits(qint64 value);

} // namespace bannergen
