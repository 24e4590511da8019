// The effect around the engine: identity answers, coefficients before any sample rate, and the Push seed
// of each instance.
#include "EffectTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(CompressorEffect, BeforeAnySampleRateTheEnvelopeJumpsToTheWantedReduction)
{
    TarvelCompressor fx(nullptr);
    const Stereo loud = constant(1.0, 1.0, 4);
    const Stereo out = process(fx, loud);
    EXPECT_NEAR(reductionAt(loud, out, 0), 14.142, 0.001);
    EXPECT_EQ(out.left[3], out.left[0]);
}

TEST(CompressorEffect, ChangesBeforeAnySampleRateComputeAtTheDefault44100)
{
    const Stereo in = append(noise(3000, 0.05), noise(3000, 1.0, 7));
    TarvelCompressor reference(nullptr);
    reference.setSampleRate(44100.0f);
    configure(reference, {{kScMode, 0.5f}, {kAttack, 0.8f}});
    const Stereo expected = process(reference, in);

    TarvelCompressor fx(nullptr);
    configure(fx, {{kScMode, 0.5f}, {kAttack, 0.8f}});
    EXPECT_EQ(process(fx, in).left, expected.left);

    TarvelCompressor restored(nullptr);
    void* chunk = nullptr;
    ASSERT_EQ(reference.getChunk(&chunk), 40);
    restored.setChunk(chunk, 40);
    EXPECT_EQ(process(restored, in).left, expected.left);
}

TEST(CompressorEffect, InstancesCreatedBackToBackJitterDifferently)
{
    // A host loading a session creates its instances within a millisecond of each other.
    const Stereo in = constant(0.5, 0.5, 4096);
    TarvelCompressor first(nullptr);
    TarvelCompressor second(nullptr);
    for (TarvelCompressor* fx : {&first, &second})
    {
        fx->setSampleRate(44100.0f);
        configure(*fx, {{kPush, 1.0f}, {kAttack, 0.0f}});
    }
    EXPECT_NE(process(first, in).left, process(second, in).left);
}

TEST(CompressorEffect, AnswersNameVendorVersionCategoryAndRecord)
{
    TarvelCompressor fx(nullptr);
    char text[80];
    std::memset(text, 'x', sizeof text);
    EXPECT_TRUE(fx.getEffectName(text));
    EXPECT_STREQ(text, "QM07 Compressor");
    EXPECT_EQ(text[32], '\0');
    EXPECT_EQ(text[33], 'x');
    std::memset(text, 'x', sizeof text);
    EXPECT_TRUE(fx.getProductString(text));
    EXPECT_STREQ(text, "QM07 Compressor");
    EXPECT_EQ(text[64], '\0');
    EXPECT_EQ(fx.getVendorVersion(), 1000);
    EXPECT_EQ(fx.getPlugCategory(), 1);

    const AEffect* record = fx.getAeffect();
    EXPECT_EQ(record->uniqueID, 0x514D3037);
    EXPECT_EQ(record->numInputs, 2);
    EXPECT_EQ(record->numOutputs, 2);
    EXPECT_EQ(record->numParams, 10);
    EXPECT_EQ(record->flags, 0x1030);
    const float defaults[kNumParams] = {0.5f, 0.5f, 0.0f, 0.375f, 0.5f, 0.375f, 0.0f, 0.0f, 0.0f, 0.0f};
    for (std::int32_t i = 0; i < kNumParams; ++i)
        EXPECT_EQ(fx.getParameter(i), defaults[i]) << i;
}
