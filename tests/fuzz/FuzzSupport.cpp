// The instance the fuzz targets drive, created through the same factory as the plug-in's entry point.
#include "FuzzSupport.h"

#include "PluginFactory.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace
{
std::intptr_t quietHost(AEffect*, std::int32_t opcode, std::int32_t, std::intptr_t, void*, float)
{
    constexpr std::intptr_t kVersion = 2400;
    return opcode == audioMasterVersion ? kVersion : 0;
}
} // namespace

void require(bool condition, const char* what)
{
    if (condition) return;
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::abort();
}

Instance::Instance()
{
    AudioEffect* created = createEffectInstance(quietHost);
    require(created != nullptr, "the effect could not be created");
    effect = created->getAeffect();
    dispatch(effOpen);
    dispatch(effSetSampleRate, 0, 0, nullptr, 48000.0f);
    dispatch(effSetBlockSize, 0, kMaxBlock);
    dispatch(effMainsChanged, 0, 1);
}

Instance::~Instance()
{
    dispatch(effMainsChanged, 0, 0);
    effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
}

std::intptr_t Instance::dispatch(std::int32_t opcode, std::int32_t index, std::intptr_t value, void* ptr,
                                 float opt)
{
    return effect->dispatcher(effect, opcode, index, value, ptr, opt);
}

std::vector<std::uint8_t> Instance::chunk()
{
    void* data = nullptr;
    const auto size = dispatch(effGetChunk, 0, 0, &data);
    require(size > 0 && data != nullptr, "effGetChunk gives no chunk");
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    return std::vector<std::uint8_t>(bytes, bytes + size);
}

void Instance::requireValidParameters()
{
    for (std::int32_t i = 0; i < effect->numParams; ++i)
    {
        const float value = effect->getParameter(effect, i);
        require(value >= 0.0f && value <= 1.0f, "a parameter reads outside 0 to 1");
    }
}

void Instance::requireFiniteBlock(int frames)
{
    static float in[2][kMaxBlock];
    static float out[2][kMaxBlock];
    for (int n = 0; n < frames; ++n)
        in[0][n] = in[1][n] = static_cast<float>(0.5 * std::sin(0.05 * n));
    float* ins[] = {in[0], in[1]};
    float* outs[] = {out[0], out[1]};
    effect->processReplacing(effect, ins, outs, frames);
    for (int n = 0; n < frames; ++n)
        require(std::isfinite(out[0][n]) && std::isfinite(out[1][n]), "finite input gave non-finite output");
}
