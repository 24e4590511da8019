// The audio path allocates nothing, a change of rate included.
#include "AllocationCounter.h"
#include "StereoProcessor.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{

TEST(StandaloneProcessor, AllocatesNothing)
{
    qm07::ParameterValues values = qm07::defaultValues();
    values[qm07::kThresh] = 0.9f;
    values[qm07::kPush] = 1.0f;
    qm07::SharedParameters shared(values);
    qm07::StereoProcessor processor(shared, 1);
    std::vector<float> left(4096, 0.5f), right(4096, -0.5f);
    const float* in[2] = {left.data(), right.data()};
    float* out[2] = {left.data(), right.data()};
    processor.setSampleRate(48000);
    processor.gainReductionFeed().activate(48000);
    processor.process(in, out, 64);

    qm07::startCountingAllocations();
    for (const double rate : {44100.0, 96000.0, 48000.0})
    {
        processor.setSampleRate(rate);
        for (const int frames : {1, 7, 256, 4096})
        {
            shared.set(qm07::kRatio, frames / 4096.0f);
            processor.process(in, out, frames);
        }
    }
    EXPECT_EQ(qm07::stopCountingAllocations(), 0);
}

} // namespace
