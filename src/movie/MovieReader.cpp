#include "movie/MovieReader.h"

#include "movie/Container.h"
#include "movie/ControlTags.h"
#include "movie/Limits.h"
#include "movie/ShapeBuilder.h"
#include "movie/Stage.h"

#include <algorithm>

namespace movie {

namespace {

enum TagCode {
    End = 0,
    ShowFrame = 1,
    DefineShape = 2,
    SetBackgroundColor = 9,
    DefineShape2 = 22,
    PlaceObject2 = 26,
    RemoveObject2 = 28,
    DefineShape3 = 32,
};

class TagReader {
public:
    TagReader(Movie& movie, QString& error) : movie(movie), error(error) {}

    bool readTags(BitReader& in);

private:
    bool readTag(int code, BitReader& body);
    bool readShape(BitReader& body, int version);
    bool addOp(const DisplayOp& op);
    bool fail(const QString& reason) {
        error = reason;
        return false;
    }

    Movie& movie;
    QString& error;
    Characters characters;
    Frame pending;
    int edgeBudget = limits::edges;
    int ops = 0;
};

bool TagReader::readTags(BitReader& in) {
    // A movie whose data ends on a tag boundary without an End tag still plays.
    while (in.remaining() > 0) {
        if (int(movie.tagCodes.size()) >= limits::tags)
            return fail(QStringLiteral("the movie has too many tags"));
        const quint16 header = in.u16();
        const int code = header >> 6;
        qsizetype length = header & 0x3F;
        if (length == 0x3F)
            length = in.u32();
        if (!in.ok())
            return fail(QStringLiteral("a tag header is cut short"));
        if (length > in.remaining())
            return fail(QStringLiteral("tag %1 runs past the end of the movie").arg(code));
        BitReader body = in.take(length);
        movie.tagCodes.push_back(code);
        if (code == End)
            break;
        if (!readTag(code, body))
            return false;
    }
    if (movie.frames.empty())
        return fail(QStringLiteral("the movie has no frames"));
    return true;
}

bool TagReader::readTag(int code, BitReader& body) {
    DisplayOp op;
    switch (code) {
    case ShowFrame:
        if (int(movie.frames.size()) >= limits::frames)
            return fail(QStringLiteral("the movie has too many frames"));
        movie.frames.push_back(std::move(pending));
        pending.clear();
        return true;
    case SetBackgroundColor:
        movie.background = readRgb(body);
        if (!body.ok())
            return fail(QStringLiteral("the background colour is cut short"));
        return true;
    case DefineShape:
        return readShape(body, 1);
    case DefineShape2:
        return readShape(body, 2);
    case DefineShape3:
        return readShape(body, 3);
    case PlaceObject2:
        if (!readPlaceObject2(body, characters, op))
            return fail(QStringLiteral("a placement is cut short"));
        return addOp(op);
    case RemoveObject2:
        if (!readRemoveObject2(body, op))
            return fail(QStringLiteral("a removal is cut short"));
        return addOp(op);
    default:
        return true; // a tag this player does not need: skipped by its length
    }
}

bool TagReader::readShape(BitReader& body, int version) {
    ShapeOutline outline;
    if (!movie::readShape(body, version, edgeBudget, outline, error))
        return false;
    // A second definition of the same character is ignored: the first one stays in use.
    if (characters.count(outline.id))
        return true;
    characters.emplace(outline.id, int(movie.shapes.size()));
    movie.shapes.push_back(buildShape(outline));
    return true;
}

bool TagReader::addOp(const DisplayOp& op) {
    if (++ops > limits::displayOps)
        return fail(QStringLiteral("the movie has too many placements"));
    pending.push_back(op);
    return true;
}

// Whether the object at depth stays within reach of the frame, however it is moved or scaled.
bool withinReach(const Movie& movie, const Stage& stage, quint16 depth) {
    const auto found = stage.objects().find(depth);
    if (found == stage.objects().end() || found->second.shape < 0)
        return true;
    const QRectF extent =
        found->second.matrix.mapRect(movie.shapes[size_t(found->second.shape)].bounds);
    const double reach =
        limits::objectReach * std::max(movie.frameRect.width(), movie.frameRect.height());
    return extent.width() <= reach && extent.height() <= reach;
}

// Plays the movie through once: a movie that at some frame would put too many objects on
// stage, too much to draw, or an object far larger than its frame, is refused now rather than
// slowing the window later.
bool fitsOnStage(const Movie& movie, QString& error) {
    Stage stage;
    for (const Frame& frame : movie.frames)
        for (const DisplayOp& op : frame) {
            stage.apply(op, movie.shapes);
            if (stage.objects().size() > size_t(limits::objectsOnStage) ||
                stage.cost() > limits::edgesPerFrame) {
                error = QStringLiteral("the movie has too much to draw in one frame");
                return false;
            }
            if (!withinReach(movie, stage, op.depth)) {
                error = QStringLiteral("an object of the movie is far larger than its frame");
                return false;
            }
        }
    return true;
}

bool readHeader(BitReader& in, Movie& movie, QString& error) {
    movie.frameRect = readRect(in);
    movie.frameRate = in.u16() / 256.0;
    movie.declaredFrames = in.u16();
    if (!in.ok()) {
        error = QStringLiteral("the movie's header is cut short");
        return false;
    }
    if (!(movie.frameRect.width() > 0 && movie.frameRect.height() > 0)) {
        error = QStringLiteral("the movie has an empty frame");
        return false;
    }
    return true;
}

} // namespace

bool readMovie(const QByteArray& file, Movie& movie, QString& error) {
    movie = Movie{};
    Container container;
    if (!openContainer(file, container, error))
        return false;
    movie.signature = container.signature;
    movie.version = container.version;
    BitReader in(reinterpret_cast<const uchar*>(container.body.constData()), container.body.size());
    const bool ok = readHeader(in, movie, error) && TagReader(movie, error).readTags(in) &&
                    fitsOnStage(movie, error);
    if (!ok)
        movie.frames.clear();
    return ok;
}

} // namespace movie
