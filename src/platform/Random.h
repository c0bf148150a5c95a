#pragma once

#include "platform/Seam.h"

#include <QtGlobal>
#include <memory>

namespace platform {

// A uniform pseudo-random source in [0, 1).
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual double next() = 0;
    // Skips count draws, as count calls of next() would.
    virtual void discard(quint64 count) {
        for (quint64 i = 0; i < count; ++i)
            next();
    }
};

// Makes the random source of each window that draws.
class RandomSources : public Seam<RandomSources> {
public:
    virtual ~RandomSources() = default;
    virtual std::unique_ptr<RandomSource> make() = 0;

    // Sources that are never seeded from the clock: every run of the program, and every window,
    // starts the same sequence.
    static RandomSources& real();
};

inline std::unique_ptr<RandomSource> makeRandomSource() {
    return RandomSources::instance().make();
}

} // namespace platform
