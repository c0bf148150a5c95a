#pragma once

#include <QtGlobal>

// Bounds on everything a movie file can ask for. The banner is a few kilobytes; a file past
// these bounds is refused whole rather than read or drawn at any cost.
namespace movie::limits {

inline constexpr qsizetype fileBytes = 1 << 20;  // the file as it lies in the folder
inline constexpr qsizetype movieBytes = 8 << 20; // the movie after decompression
inline constexpr int tags = 100000;
inline constexpr int frames = 20000;
inline constexpr int displayOps = 100000;   // places and removals, all frames together
inline constexpr int edges = 100000;        // all shapes together
inline constexpr int stylesPerShape = 1024; // fill and line styles, new styles included
inline constexpr int objectsOnStage = 1000; // objects shown at once
inline constexpr int edgesPerFrame = 2000;  // edges drawn for one frame (the banner: 407)
// How far an object, strokes included, may reach: this many times the frame's larger side. Far
// larger geometry, or a far wider line, takes the painter seconds to draw.
inline constexpr double objectReach = 8;

} // namespace movie::limits
