#pragma once

#include <array>

namespace ui {

// What showing the banner's frames costs the window's thread, judged over many frames rather than
// one: the slowest quarter of the recent frames (the first ones, fonts and caches filling, a
// moment the machine was busy) never counts against the movie.
class FrameCost {
public:
    static constexpr int window = 16; // the frames shown last, judged together

    void add(double milliseconds);
    // The mean cost of the last frames without their slowest quarter; 0 until a whole window of
    // frames has been shown.
    double typical() const;
    void clear() {
        next = 0;
        full = false;
    }

private:
    std::array<double, window> recent{};
    int next = 0; // where the next frame's cost goes
    bool full = false;
};

} // namespace ui
