// Driving the engine (or the whole effect) from tests: stereo buffers, blockwise processing in either
// precision.
#pragma once

#include "CompressorEngine.h"
#include "Parameters.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <utility>
#include <vector>

using namespace qm07;

template <typename Sample> struct StereoOf
{
    std::vector<Sample> left;
    std::vector<Sample> right;

    std::size_t frames() const { return left.size(); }
};
using Stereo = StereoOf<double>;
using StereoFloat = StereoOf<float>;

inline Stereo constant(double left, double right, std::size_t frames)
{
    return {std::vector<double>(frames, left), std::vector<double>(frames, right)};
}

/// Reproducible noise of the given peak, different per channel.
inline Stereo noise(std::size_t frames, double peak, std::uint32_t seed = 1)
{
    Stereo x{std::vector<double>(frames), std::vector<double>(frames)};
    for (std::size_t n = 0; n < frames; ++n)
        for (std::vector<double>* channel : {&x.left, &x.right})
        {
            seed = seed * 1664525u + 1013904223u;
            (*channel)[n] = peak * (static_cast<double>(seed >> 8) / 8388608.0 - 1.0);
        }
    return x;
}

/// Seconds of everything an engine meets: silence, subnormals, quiet and full-scale tones swelling in and
/// out, and noise bursts to full scale, different per channel.
inline Stereo programme(double rate, double seconds)
{
    const auto frames = static_cast<std::size_t>(rate * seconds);
    Stereo x{std::vector<double>(frames), std::vector<double>(frames)};
    std::uint32_t seed = 99;
    for (std::size_t n = 0; n < frames; ++n)
    {
        const double t = static_cast<double>(n) / rate;
        seed = seed * 1664525u + 1013904223u;
        const double noise = static_cast<double>(seed >> 8) / 8388608.0 - 1.0;
        const double swell = 0.5 - 0.5 * std::cos(2.0 * 3.141592653589793 * 0.7 * t);
        const double burst = std::fmod(t, 0.5) < 0.05 ? noise : 0.0;
        const int part = static_cast<int>(4.0 * t / seconds);
        x.left[n] = part == 0   ? 0.0
                    : part == 1 ? (n % 2 ? 1e-310 : -3e-320)
                                : 0.9 * swell * std::sin(0.05 * n) + 0.1 * burst;
        x.right[n] =
            part < 2 ? x.left[n] : swell * swell * std::sin(0.013 * n + 1.0) + (part == 3 ? burst : 0.0);
    }
    return x;
}

inline StereoFloat toFloat(const Stereo& x)
{
    return {std::vector<float>(x.left.begin(), x.left.end()),
            std::vector<float>(x.right.begin(), x.right.end())};
}

inline Stereo append(Stereo a, const Stereo& b)
{
    a.left.insert(a.left.end(), b.left.begin(), b.left.end());
    a.right.insert(a.right.end(), b.right.begin(), b.right.end());
    return a;
}

/// The engine as the effect drives it, without the effect: ten stored values and a sample rate known
/// from the start.
class EngineRig
{
public:
    explicit EngineRig(float rate, std::uint32_t noiseSeed = 1) : engine(noiseSeed)
    {
        for (std::int32_t i = 0; i < kNumParams; ++i)
            values[i] = qm07::kParameters[i].defaultValue;
        setSampleRate(rate);
    }

    void setSampleRate(float rate)
    {
        sampleRate = rate;
        engine.setSampleRate(rate);
    }

    void setParameter(std::int32_t index, float value) { values[index] = std::clamp(value, 0.0f, 1.0f); }

    /// What a block reads.
    const ParameterValues& settings() const { return values; }

    qm07::CompressorEngine engine;
    ParameterValues values;
    float sampleRate = 0.0f;
};

template <typename Sample> void processBlock(EngineRig& fx, Sample** in, Sample** out, std::int32_t frames)
{
    fx.engine.process(fx.settings(), in, out, frames);
}

/// Runs the whole input through the effect in blocks of at most blockSize frames.
template <typename Effect, typename Sample>
StereoOf<Sample> process(Effect& fx, StereoOf<Sample> in, std::size_t blockSize = 1u << 30)
{
    StereoOf<Sample> out{std::vector<Sample>(in.frames()), std::vector<Sample>(in.frames())};
    for (std::size_t start = 0; start < in.frames(); start += blockSize)
    {
        const std::size_t frames = std::min(blockSize, in.frames() - start);
        Sample* inputs[2] = {in.left.data() + start, in.right.data() + start};
        Sample* outputs[2] = {out.left.data() + start, out.right.data() + start};
        processBlock(fx, inputs, outputs, static_cast<std::int32_t>(frames));
    }
    return out;
}

/// The reduction in force at frame n, read back from the gain the left channel received.
inline double reductionAt(const Stereo& in, const Stereo& out, std::size_t n, double makeupDb = 0.0)
{
    return makeupDb - 20.0 * std::log10(out.left[n] / in.left[n]);
}

/// Sets the given parameters, as a host would, one after the other.
template <typename Effect>
void configure(Effect& fx, std::initializer_list<std::pair<std::int32_t, float>> values)
{
    for (const auto& [index, value] : values)
        fx.setParameter(index, value);
}
