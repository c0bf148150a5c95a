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

private:
    std::mt19937_64 engine{20061231u};
};

RandomSourceFactory& factory() {
    static RandomSourceFactory f;
    return f;
}

} // namespace

std::unique_ptr<RandomSource> makeRandomSource() {
    if (factory())
        return factory()();
    return std::make_unique<FixedSeedSource>();
}

void setRandomSourceFactory(RandomSourceFactory f) {
    factory() = std::move(f);
}

} // namespace platform
