#include "ui/FrameCost.h"

#include <algorithm>
#include <numeric>

namespace ui {

void FrameCost::add(double milliseconds) {
    recent[size_t(next)] = milliseconds;
    next = (next + 1) % window;
    full = full || next == 0;
}

double FrameCost::typical() const {
    if (!full)
        return 0;
    std::array<double, window> sorted = recent;
    std::sort(sorted.begin(), sorted.end());
    constexpr int counted = window - window / 4;
    return std::accumulate(sorted.begin(), sorted.begin() + counted, 0.0) / counted;
}

} // namespace ui
