// Voss–McCartney pink noise (five rows plus one white value), the random source of the Push jitter.
#pragma once

#include <cstdint>
#include <cstring>

// Always inlined: the AVX2 kernels use it, and an out-of-line copy compiled there could be the one the
// linker keeps for every caller.
class PinkNoise
{
public:
    [[gnu::always_inline]] explicit PinkNoise(std::uint32_t initialSeed = 0) : seed(initialSeed) {}

    /// Audio thread, never allocates: the next value, within −0.375 ... 0.375.
    [[gnu::always_inline]] float next()
    {
        const int row = rowToRenew();
        const float old = rows[row];
        // Usually two draws: both seeds come straight from the current one, so the generator's chain of
        // dependent steps is one multiply-add per value rather than two.
        const std::uint32_t rowSeed = seed * kMultiplier + kIncrement;
        const std::uint32_t whiteSeed = seed * kMultiplierTwice + kIncrementTwice;
        rows[row] = valueOf(rowSeed);
        sum += rows[row] - old;
        std::uint32_t whiteFrom = whiteSeed;
        if (sum < -4.0f || sum > 4.0f)
        {
            // The running sum drifts only by rounding; a draw that would push it out is taken back.
            sum -= rows[row] - old;
            seed = rowSeed;
            for (;;)
            {
                rows[row] = draw();
                sum += rows[row] - old;
                if (sum >= -4.0f && sum <= 4.0f) break;
                sum -= rows[row] - old;
            }
            whiteFrom = seed * kMultiplier + kIncrement;
        }
        seed = whiteFrom;
        const float white = valueOf(seed);
        ++counter;
        return (white + sum) * 0.125f;
    }

private:
    static constexpr int kRows = 5;
    static constexpr std::uint32_t kMultiplier = 196314165u;
    static constexpr std::uint32_t kIncrement = 907633515u;
    static constexpr std::uint32_t kMultiplierTwice = kMultiplier * kMultiplier;
    static constexpr std::uint32_t kIncrementTwice = kMultiplier * kIncrement + kIncrement;

    /// Trailing zero bits of counter, at most kRows − 1: row 0 renews every second call, row 4 every 16th.
    [[gnu::always_inline]] int rowToRenew() const { return __builtin_ctz(counter | (1u << (kRows - 1))); }

    /// One step of the congruential generator read as a value.
    [[gnu::always_inline]] float draw()
    {
        seed = seed * kMultiplier + kIncrement;
        return valueOf(seed);
    }

    /// The state's top 23 bits as a float in 2 ... 4, mapped onto −0.5 ... 0.5.
    [[gnu::always_inline]] float valueOf(std::uint32_t state)
    {
        scratch = (state >> 9) | 0x40000000u;
        float r;
        std::memcpy(&r, &scratch, sizeof r);
        return (r - 3.0f) * 0.5f;
    }

    std::uint32_t scratch = 0;
    std::uint32_t seed;
    std::uint32_t counter = 1; // unsigned: hours of Push wrap it around, which must stay defined
    float sum = 0.0f;
    float rows[kRows] = {};
};
