#pragma once

#include <cstdint>

// The random numbers of the Monte Carlo runs: SplitMix64, a small, fast generator with a 64-bit state,
// every output a full 64-bit mix, so that a seed made of a spot and a batch number always deals the same
// cards.

namespace showdown {

struct Generator {
    std::uint64_t state;
    std::uint64_t Next() {
        std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
};

inline std::uint64_t Mix(std::uint64_t x) {
    Generator g{x};
    return g.Next();
}

// Uniform whole numbers below 65,536 from 16 random bits each (multiply and shift, with the rejection
// that removes the bias), and 32-bit fractions.
struct Draw {
    static constexpr int Pieces = 64;

    explicit Draw(Generator generator) : g(generator) {}

    // The next 16 random bits: each output of the generator gives four, the lowest first. They are made
    // 64 at a time, so that whether more are needed is foretold by the processor, however many a deal
    // takes.
    std::uint32_t Next16() {
        if (next_ == Pieces) [[unlikely]] {
            for (int i = 0; i < Pieces; i += 4) {
                const std::uint64_t bits = g.Next();
                for (int k = 0; k < 4; ++k)
                    pieces_[i + k] = static_cast<std::uint16_t>(bits >> (16 * k));
            }
            next_ = 0;
        }
        return pieces_[next_++];
    }
    std::uint32_t Next32() {
        const std::uint32_t high = Next16();
        return high << 16 | Next16();
    }
    // 0 .. range - 1, for a range of 1 .. 65536.
    std::uint32_t Below(std::uint32_t range) {
        std::uint32_t m = Next16() * range;
        if ((m & 0xFFFF) < range) [[unlikely]] {
            const std::uint32_t threshold = (65536u - range) % range;
            while ((m & 0xFFFF) < threshold)
                m = Next16() * range;
        }
        return m >> 16;
    }

  private:
    Generator g;
    std::uint16_t pieces_[Pieces] = {};
    int next_ = Pieces;
};

} // namespace showdown
