// The LV2 adapter's own faults: ports to stored values, unconnected ports, and a run that allocates nothing.
#include "AllocationCounter.h"
#include "Lv2Compressor.h"
#include "PortLayout.h"
#include "PortValues.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace
{
using namespace qm07;
using namespace qm07::lv2;

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

struct PortCase
{
    std::int32_t index;
    float port;
    float previous;
    float stored;
};

// Expected values worked out by hand from the units: Thresh −40·v dB, Ratio 1/(1−√v), Wet/Dry 100·v %.
const PortCase kPortCases[] = {
    {kThresh, -20.0f, 0.0f, 0.5f},  {kThresh, kNaN, 0.25f, 0.25f}, {kThresh, 10.0f, 0.3f, 0.0f},
    {kThresh, -100.0f, 0.0f, 1.0f}, {kAttack, -kInf, 0.5f, 0.0f},  {kWetDry, 50.0f, 0.0f, 0.5f},
    {kRatio, 2.0f, 0.0f, 0.25f},    {kRatio, 4.0f, 0.0f, 0.5625f}, {kRatio, 1.0f, 0.5f, 0.0f},
    {kRatio, 0.5f, 0.5f, 0.0f},     {kRatio, 100.0f, 0.0f, 1.0f},  {kRatio, 1e30f, 0.0f, 1.0f},
    {kRatio, kInf, 0.0f, 1.0f},     {kRatio, kNaN, 0.75f, 0.75f},  {kScMode, 1.0f, 0.0f, 0.5f},
    {kScMode, 1.4f, 0.0f, 0.5f},    {kScMode, 1.6f, 0.0f, 1.0f},   {kPush, -3.0f, 1.0f, 0.0f},
    {kPush, 7.0f, 0.0f, 1.0f},      {kPush, 2.0f, 0.0f, 1.0f},
};

TEST(Lv2Ports, PortValuesBecomeTheStoredValues)
{
    for (const PortCase& c : kPortCases)
        EXPECT_EQ(storedValue(c.index, c.port, c.previous), c.stored)
            << kParameters[c.index].name << " port " << c.port;
}

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
            EXPECT_NEAR(storedValue(index, portValue(index, normalized), -1.0f), expected, step)
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
