// One instance of the LV2 plug-in: ports in, the engine's process call, the meter reading out.
#pragma once

#include "CompressorEngine.h"
#include "Parameters.h"

#include <array>
#include <cstdint>
#include <limits>

namespace qm07::lv2
{
class Lv2Compressor
{
public:
    /// Instantiation thread; the engine is set to the rate here, never in run.
    explicit Lv2Compressor(double sampleRate);

    /// Audio thread (or any while not running); no allocation. A null buffer disconnects the port.
    void connect(std::uint32_t port, void* data);
    /// Instantiation thread, not while running; no allocation. The envelope, the side-chain filter and the
    /// meter start from rest.
    void activate();
    /// Audio thread; never allocates, locks or waits. Without audio buffers or frames only the
    /// controls are read.
    void run(std::uint32_t frames);

    const ParameterValues& storedValues() const { return values; }

private:
    void readControls();
    void process(std::uint32_t frames);

    CompressorEngine engine;
    double rate;
    ParameterValues values = defaultValues();
    std::array<const float*, kNumParams> controls{};
    /// The port values `values` were converted from (NaN, equal to nothing, before the first run): a run
    /// converts only what the host changed.
    std::array<float, kNumParams> convertedPorts = unconverted();
    static std::array<float, kNumParams> unconverted()
    {
        std::array<float, kNumParams> ports;
        ports.fill(std::numeric_limits<float>::quiet_NaN());
        return ports;
    }
    std::array<const float*, 2> inputs{};
    std::array<float*, 2> outputs{};
    float* gainReduction = nullptr;
};
} // namespace qm07::lv2
