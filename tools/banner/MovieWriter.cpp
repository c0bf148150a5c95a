#include "banner/MovieWriter.h"

#include <cmath>

namespace bannergen {

namespace {

enum TagCode {
    End = 0,
    ShowFrame = 1,
    SetBackgroundColor = 9,
    PlaceObject2 = 26,
    RemoveObject2 = 28,
};

QByteArray fileHeader(char signature, int version, quint32 length) {
    BitWriter out;
    out.u8(signature);
    out.u8('W');
    out.u8('S');
    out.u8(version);
    out.u32(length);
    return out.data();
}

int shapeTagCode(int shapeVersion) {
    return shapeVersion == 1 ? 2 : shapeVersion == 2 ? 22 : 32;
}

} // namespace

MovieWriter::MovieWriter(const QSize& frame, double frameRate, int version)
    : frame(frame), frameRate(frameRate), version(version) {}

void MovieWriter::tag(int code, const QByteArray& body, bool longForm) {
    BitWriter out;
    if (longForm || body.size() >= 0x3F) {
        out.u16(code << 6 | 0x3F);
        out.u32(quint32(body.size()));
    } else {
        out.u16(code << 6 | int(body.size()));
    }
    out.bytes(body);
    tags.append(out.data());
}

void MovieWriter::setBackground(const QColor& colour) {
    BitWriter out;
    writeColour(out, colour, false);
    tag(SetBackgroundColor, out.data());
}

void MovieWriter::defineShape(quint16 id, const QPainterPath& outline, const QColor& fill,
                              const std::optional<LineStyle>& line, int shapeVersion) {
    tag(shapeTagCode(shapeVersion), encodeShape(id, outline, fill, line, shapeVersion));
}

void MovieWriter::place(quint16 depth, quint16 id, const QTransform& matrix,
                        const std::optional<ColourChange>& colour) {
    BitWriter out;
    out.u8(0x02 | 0x04 | (colour ? 0x08 : 0)); // character, matrix, colour change
    out.u16(depth);
    out.u16(id);
    writeMatrix(out, matrix);
    if (colour)
        writeColourChange(out, *colour);
    tag(PlaceObject2, out.data());
}

void MovieWriter::modify(quint16 depth, const QTransform& matrix,
                         const std::optional<ColourChange>& colour) {
    BitWriter out;
    out.u8(0x01 | 0x04 | (colour ? 0x08 : 0)); // move, matrix, colour change
    out.u16(depth);
    writeMatrix(out, matrix);
    if (colour)
        writeColourChange(out, *colour);
    tag(PlaceObject2, out.data());
}

void MovieWriter::remove(quint16 depth) {
    BitWriter out;
    out.u16(depth);
    tag(RemoveObject2, out.data());
}

void MovieWriter::showFrame() {
    tag(ShowFrame, {});
    ++frameCount;
}

QByteArray MovieWriter::body() const {
    BitWriter out;
    writeRect(out, QRectF(QPointF(0, 0), QSizeF(frame)));
    out.u16(int(std::lround(frameRate * 256)));
    out.u16(frameCount);
    out.bytes(tags);
    out.u16(End << 6);
    return out.data();
}

QByteArray MovieWriter::plain() const {
    const QByteArray movie = body();
    return fileHeader('F', version, quint32(8 + movie.size())) + movie;
}

QByteArray MovieWriter::compressed() const {
    const QByteArray movie = body();
    // qCompress puts the length in four bytes before a plain zlib stream.
    return fileHeader('C', version, quint32(8 + movie.size())) + qCompress(movie, 9).mid(4);
}

} // namespace bannergen
