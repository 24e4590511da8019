// Test signals and level measurements shared by the engine tests.
#pragma once

#include <cmath>
#include <cstddef>
#include <vector>

constexpr double kTestPi = 3.14159265358979323846;

inline std::vector<double> sine(double frequency, double sampleRate, std::size_t frames,
                                double amplitude = 1.0)
{
    std::vector<double> x(frames);
    for (std::size_t n = 0; n < frames; ++n)
        x[n] = amplitude * std::sin(2.0 * kTestPi * frequency * static_cast<double>(n) / sampleRate);
    return x;
}

/// RMS level in dB of x from sample `from` to the end.
inline double rmsDb(const std::vector<double>& x, std::size_t from)
{
    double energy = 0.0;
    for (std::size_t n = from; n < x.size(); ++n)
        energy += x[n] * x[n];
    return 10.0 * std::log10(energy / static_cast<double>(x.size() - from));
}

inline double toDb(double gain)
{
    return 20.0 * std::log10(gain);
}
