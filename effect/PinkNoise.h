// Voss–McCartney pink noise (five rows plus one white value), the random source of the Push jitter.
#pragma once

#include <cstdint>
#include <cstring>

class PinkNoise
{
public:
    explicit PinkNoise(std::uint32_t initialSeed = 0) : seed(initialSeed) {}

    /// Audio thread, never allocates: the next value, within −0.375 ... 0.375.
    float next()
    {
        const int row = rowToRenew();
        const float old = rows[row];
        for (;;)
        {
            rows[row] = draw();
            sum += rows[row] - old;
            if (sum >= -4.0f && sum <= 4.0f) break;
            // The running sum drifts only by rounding; a draw that would push it out is taken back.
            sum -= rows[row] - old;
        }
        const float white = draw();
        ++counter;
        return (white + sum) * 0.125f;
    }

private:
    static constexpr int kRows = 5;

    /// Trailing zero bits of counter, at most kRows − 1: row 0 renews every second call, row 4 every 16th.
    int rowToRenew() const
    {
        std::uint32_t bits = counter;
        int row = 0;
        while (row < kRows - 1 && (bits & 1u) == 0)
        {
            bits >>= 1;
            ++row;
        }
        return row;
    }

    /// One step of the congruential generator read as a float in 2 ... 4, mapped onto −0.5 ... 0.5.
    float draw()
    {
        seed = seed * 196314165u + 907633515u;
        scratch = (seed >> 9) | 0x40000000u;
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
