// Hand-over of the gain-reduction reading from the audio thread to the editor's meter.
#pragma once

#include <atomic>

/// Meter ballistics for one sample: a rising reduction is smoothed with coefficient k, a falling one is
/// shown at once.
inline double meterBallistics(double reading, double reduction, double k)
{
    return reduction > reading ? (1.0 - k) * reduction + k * reading : reduction;
}

/// Owned by the effect, so the audio thread only ever writes memory that lives as long as the effect; the
/// editor switches it on once its meter exists and off before destroying it, and reads it when drawing.
class GainReductionFeed
{
public:
    static constexpr double kRest = 1e-25;

    /// Editor thread, never allocates: start at rest with the rise coefficient for sampleRate.
    void activate(double sampleRate);
    /// Editor thread: after this returns the engine stops updating the reading.
    void deactivate() { active.store(false, std::memory_order_release); }
    bool isActive() const { return active.load(std::memory_order_acquire); }

    /// Any thread: the reading back at rest, as after a silence.
    void rest() { value.store(kRest, std::memory_order_relaxed); }

    /// Editor thread: the gain reduction to show, in dB.
    double reading() const { return value.load(std::memory_order_relaxed); }

    /// Dispatcher thread: while active, back to rest with the coefficient for the new rate.
    void sampleRateChanged(double sampleRate);

    /// Audio thread, never allocates: ballistics through count samples, the reading published once at the
    /// end rather than per sample.
    void feed(const double* reductions, int count)
    {
        const double k = coefficient.load(std::memory_order_relaxed);
        double reading = value.load(std::memory_order_relaxed);
        for (int n = 0; n < count; ++n)
            reading = meterBallistics(reading, reductions[n], k);
        value.store(reading, std::memory_order_relaxed);
    }
    void feed(double reduction) { feed(&reduction, 1); }

private:
    std::atomic<bool> active{false};
    std::atomic<double> value{kRest};
    std::atomic<double> coefficient{0.0};
};
