// The LV2 adapter's own faults: float ports back to stored values, unconnected ports, and a run that
// allocates nothing.
#include "AllocationCounter.h"
#include "HostValues.h"
#include "Lv2Compressor.h"
#include "PortLayout.h"
#include "PortValues.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace
{
using namespace qm07;
using namespace qm07::lv2;

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

// What a host writes back for a stored value must give that stored value again, to within one float step:
// a port in real units is a float too, and where the real value's steps are coarser than the stored value's
// (Gain near 24 dB, Release near 50 ms) neighbouring stored values share a port value. Below about 0.12
// Release's 50 ms plus a cube is coarser still, so 0.1 is not asked.
TEST(Lv2Ports, StoredValuesSurviveTheTripThroughTheirPort)
{
    for (std::int32_t index = 0; index < kNumParams; ++index)
        for (float normalized : {0.0f, 0.125f, 0.3f, 0.5f, 0.6f, 0.75f, 0.9f, 1.0f})
        {
            const float expected =
                kParameters[index].positions > 0 ? positionByThirds(normalized) / 2.0f : normalized;
            const float step = std::nextafter(expected, 2.0f) - expected;
            EXPECT_NEAR(storedFromHost(index, portValue(index, normalized), -1.0f), expected, step)
                << kParameters[index].name << " at " << normalized;
        }
}

struct Ports
{
    std::vector<float> audio = std::vector<float>(4 * 4096, 0.25f);
    std::vector<float> controls = std::vector<float>(kNumParams, 0.0f);
    float gainReduction = -1.0f;

    void connectAll(Lv2Compressor& plugin)
    {
        for (std::uint32_t port = kInputLeft; port <= kOutputRight; ++port)
            plugin.connect(port, audio.data() + 4096 * port);
        for (std::int32_t index = 0; index < kNumParams; ++index)
            plugin.connect(controlPort(index), &controls[index]);
        plugin.connect(kGainReductionPort, &gainReduction);
    }
};

TEST(Lv2Run, UnconnectedPortsAndEmptyRunsAreHarmless)
{
    Lv2Compressor plugin(48000.0);
    plugin.activate();
    plugin.run(0);
    plugin.run(64);
    Ports ports;
    ports.connectAll(plugin);
    plugin.connect(kOutputRight, nullptr);
    ports.controls[kThresh] = -30.0f;
    plugin.run(64);
    EXPECT_EQ(plugin.storedValues()[kThresh], 0.75f) << "controls are read without audio";
    EXPECT_EQ(ports.audio[4096 * kOutputLeft], 0.25f) << "no processing with an output missing";
    EXPECT_GE(ports.gainReduction, 0.0f) << "the meter port is written";
    ports.controls[kThresh] = kNaN;
    plugin.run(0);
    EXPECT_EQ(plugin.storedValues()[kThresh], 0.75f) << "NaN keeps the last value";
}

TEST(Lv2Run, ActivatingAgainForgetsTheAudioBefore)
{
    Lv2Compressor fresh(48000.0);
    Lv2Compressor used(48000.0);
    Ports freshPorts;
    Ports usedPorts;
    freshPorts.connectAll(fresh);
    usedPorts.connectAll(used);
    for (Ports* ports : {&freshPorts, &usedPorts})
        ports->controls = {-40.0f, 8.0f, 0.0f, 0.03f, 2000.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f};
    used.activate();
    std::fill(usedPorts.audio.begin(), usedPorts.audio.begin() + 2 * 4096, 1.0f);
    used.run(4096);
    std::fill(usedPorts.audio.begin(), usedPorts.audio.begin() + 2 * 4096, 0.25f);
    used.activate();
    fresh.activate();
    used.run(256);
    fresh.run(256);
    EXPECT_TRUE(std::equal(usedPorts.audio.begin() + 4096 * kOutputLeft,
                           usedPorts.audio.begin() + 4096 * kOutputLeft + 256,
                           freshPorts.audio.begin() + 4096 * kOutputLeft));
}

TEST(Lv2Run, RunningAndChangingControlsAllocateNothing)
{
    Lv2Compressor plugin(44100.0);
    Ports ports;
    ports.connectAll(plugin);
    plugin.activate();
    qm07::startCountingAllocations();
    for (float setting : {0.0f, 0.5f, 1.0f})
    {
        for (std::int32_t index = 0; index < kNumParams; ++index)
            ports.controls[index] = portValue(index, setting);
        plugin.run(4096);
        plugin.run(17);
    }
    EXPECT_EQ(qm07::stopCountingAllocations(), 0);
    EXPECT_GT(ports.gainReduction, 1.0f) << "the runs compressed, so they were real";
}
} // namespace
