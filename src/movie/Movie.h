#pragma once

#include "movie/Records.h"

#include <QColor>
#include <QPainterPath>
#include <QRectF>
#include <QTransform>
#include <optional>
#include <vector>

namespace movie {

struct FilledPath {
    QPainterPath path; // twips
    QColor colour;
};

struct StrokedPath {
    QPainterPath path; // twips
    QColor colour;
    double width = 0; // twips; 0 draws the thinnest line
};

// A defined shape with its paths built once, ready to draw.
struct Shape {
    std::vector<FilledPath> fills;
    std::vector<StrokedPath> strokes;
    QRectF bounds; // twips, strokes included
    int edges = 0; // what drawing it costs
};

// One change to the objects on stage, made at a frame.
struct DisplayOp {
    quint16 depth = 0;
    bool remove = false;
    bool move = false; // changes or replaces the object already at this depth
    bool hasCharacter = false;
    int shape = -1; // index into Movie::shapes; -1 for a character this player does not draw
    std::optional<QTransform> matrix;
    std::optional<ColourTransform> colour;
    bool clipLayer = false; // a mask: not drawn
};

using Frame = std::vector<DisplayOp>;

struct Movie {
    char signature = 'F'; // 'F' plain, 'C' compressed
    int version = 0;
    QRectF frameRect;       // twips
    double frameRate = 0;   // frames a second
    int declaredFrames = 0; // as the header says; frames holds the ones really there
    QColor background = Qt::white;
    std::vector<Shape> shapes;
    std::vector<Frame> frames;
    std::vector<int> tagCodes; // every tag read, in file order
};

} // namespace movie
