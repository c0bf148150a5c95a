#pragma once

#include <QtGlobal>

namespace movie {

// Reads the movie's little-endian bytes and its packed bit fields, most significant bit first.
// Every read is checked against the end: a read past it marks the reader as failed and gives
// zeros from then on, so a loop driven by what it reads always comes to an end and the caller
// checks ok() once at the end of a structure.
class BitReader {
public:
    BitReader(const uchar* data, qsizetype size) : data(data), size(size) {}

    bool ok() const { return !failed; }
    void fail() { failed = true; }
    qsizetype position() const { return pos; }
    qsizetype remaining() const { return failed ? 0 : size - pos; }
    const uchar* current() const { return data + pos; }

    quint8 u8();
    quint16 u16();
    quint32 u32();
    void skip(qsizetype count);
    // A reader over the next count bytes; this reader moves past them.
    BitReader take(qsizetype count);

    // Packed fields of up to 32 bits; the next whole-byte read starts at the next byte.
    quint32 ub(int bits);
    qint32 sb(int bits);
    // A signed 16.16 fixed-point field.
    double fb(int bits) { return sb(bits) / 65536.0; }
    void align() { bitsLeft = 0; }

private:
    bool need(qsizetype count);

    const uchar* data;
    qsizetype size;
    qsizetype pos = 0;
    int bitsLeft = 0;
    quint8 bitByte = 0;
    bool failed = false;
};

} // namespace movie
