// Processing and the changes that may reach the audio thread never touch the heap.
#include "AllocationCounter.h"
#include "EffectTestSupport.h"

#include <gtest/gtest.h>

TEST(NoAllocation, ProcessCallsAndParameterChangesAllocateNothing)
{
    TarvelCompressor fx(nullptr);
    fx.setSampleRate(44100.0f);
    fx.gainReductionFeed().activate(44100.0);
    Stereo in = noise(4096, 1.2);
    StereoFloat inFloat = toFloat(in);
    Stereo out = in;
    StereoFloat outFloat = inFloat;
    double* inputs[2] = {in.left.data(), in.right.data()};
    double* outputs[2] = {out.left.data(), out.right.data()};
    float* inputsFloat[2] = {inFloat.left.data(), inFloat.right.data()};
    float* outputsFloat[2] = {outFloat.left.data(), outFloat.right.data()};

    qm07::startCountingAllocations();
    for (float setting : {0.0f, 0.5f, 1.0f})
    {
        for (std::int32_t index = 0; index < kNumParams; ++index)
            fx.setParameter(index, setting);
        fx.setSampleRate(48000.0f);
        fx.processDoubleReplacing(inputs, outputs, 4096);
        fx.processReplacing(inputsFloat, outputsFloat, 4096);
        fx.processDoubleReplacing(inputs, inputs, 17);
    }
    EXPECT_EQ(qm07::stopCountingAllocations(), 0);

    // The counter itself works: an allocation while counting is seen.
    qm07::startCountingAllocations();
    auto* probe = new int(3);
    const int seen = qm07::stopCountingAllocations();
    delete probe;
    EXPECT_EQ(seen, 1);
}
