#pragma once

#include <functional>
#include <memory>

namespace platform {

// A uniform pseudo-random source in [0, 1). It is never seeded from the clock: every run of
// the program starts the same sequence.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual double next() = 0;
};

std::unique_ptr<RandomSource> makeRandomSource();

using RandomSourceFactory = std::function<std::unique_ptr<RandomSource>()>;
// An empty factory restores the real source.
void setRandomSourceFactory(RandomSourceFactory factory);

} // namespace platform
