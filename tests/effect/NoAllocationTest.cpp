// Processing and the changes that may reach the audio thread never touch the heap.
#include "EffectTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace
{
std::atomic<bool> gCounting{false};
std::atomic<int> gAllocations{0};

void* counted(std::size_t bytes)
{
    if (gCounting.load()) ++gAllocations;
    if (void* p = std::malloc(bytes ? bytes : 1)) return p;
    throw std::bad_alloc();
}
} // namespace

void* operator new(std::size_t bytes)
{
    return counted(bytes);
}
void* operator new[](std::size_t bytes)
{
    return counted(bytes);
}
void* operator new(std::size_t bytes, const std::nothrow_t&) noexcept
{
    return std::malloc(bytes ? bytes : 1);
}
void operator delete(void* p) noexcept
{
    std::free(p);
}
void operator delete[](void* p) noexcept
{
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept
{
    std::free(p);
}

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

    gCounting = true;
    for (float setting : {0.0f, 0.5f, 1.0f})
    {
        for (std::int32_t index = 0; index < kNumParams; ++index)
            fx.setParameter(index, setting);
        fx.setSampleRate(48000.0f);
        fx.processDoubleReplacing(inputs, outputs, 4096);
        fx.processReplacing(inputsFloat, outputsFloat, 4096);
        fx.processDoubleReplacing(inputs, inputs, 17);
    }
    gCounting = false;
    EXPECT_EQ(gAllocations.load(), 0);

    // The counter itself works: an allocation while counting is seen.
    gCounting = true;
    auto* probe = new int(3);
    gCounting = false;
    delete probe;
    EXPECT_EQ(gAllocations.load(), 1);
}
