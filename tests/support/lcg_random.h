#pragma once

#include <cstdint>

namespace matinv::testing {

// A small fixed generator, the same on every platform, so that a failing
// generated input can be reproduced from its seed.
class LcgRandom {
public:
    explicit LcgRandom(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next() {
        state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
        return state_ >> 17;
    }
    int below(int bound) { return static_cast<int>(next() % static_cast<std::uint64_t>(bound)); }

private:
    std::uint64_t state_;
};

}  // namespace matinv::testing
