#include "platform/Random.h"

#include <random>

namespace platform {
namespace {

class FixedSeedSource final : public RandomSource {
public:
    double next() override {
        // 53 random bits scaled into [0, 1): never 1.0, unlike some library distributions.
        return static_cast<double>(engine() >> 11) * 0x1.0p-53;
    }
    // One engine step per draw: hours of idle ticks are skipped at once.
    void discard(quint64 count) override { engine.discard(count); }

private:
    std::mt19937_64 engine{20061231u};
};

class FixedSeedSources final : public RandomSources {
public:
    std::unique_ptr<RandomSource> make() override { return std::make_unique<FixedSeedSource>(); }
};

} // namespace

RandomSources& RandomSources::real() {
    static FixedSeedSources sources;
    return sources;
}

} // namespace platform
