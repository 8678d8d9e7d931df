#pragma once

#include "platform/seam.h"

#include <QtGlobal>

#include <random>

namespace modGrille {

// Source of the game's random draws.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    // A whole number drawn uniformly from 0 to n - 1 (n > 0).
    virtual int below(int n) = 0;
};

// A test fixes the seed of the game's draws, so that every run deals the same grids.
using SeedSeam = platform::Seam<struct SeedTag, quint64()>;

// A generator with a known seed: the same seed gives the same draws.
class SeededRandom final : public RandomSource {
public:
    explicit SeededRandom(quint64 seed)
        : m_engine(seed) {}
    int below(int n) override { return std::uniform_int_distribution<int>(0, n - 1)(m_engine); }

    // A seed from the system's entropy source, so that two runs differ.
    static quint64 entropySeed() {
        if (SeedSeam::replaced())
            return SeedSeam::call();
        std::random_device entropy;
        return (quint64(entropy()) << 32) ^ entropy();
    }

private:
    std::mt19937_64 m_engine;
};

} // namespace modGrille
