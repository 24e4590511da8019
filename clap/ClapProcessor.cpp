// Blocks split at parameter events; each piece goes to the engine in the output's precision.
#include "ClapProcessor.h"

#include "ClapEvents.h"

#include <algorithm>
#include <cstring>

namespace qm07
{

namespace
{
// Scratch is only for blocks whose input and output precision differ; longer ones go through in pieces.
constexpr std::uint32_t kScratchFrames = 1024;
// The engine counts frames in 32 signed bits.
constexpr std::uint32_t kLargestCall = 1u << 30;

bool stereo(const clap::clap_audio_buffer* buffer)
{
    return buffer && buffer->channel_count >= 2;
}
} // namespace

void ClapProcessor::activate(double sampleRate, std::uint32_t maxFrames)
{
    engine.setSampleRate(sampleRate);
    scratchFrames = std::min(maxFrames, kScratchFrames);
    scratch32.assign(2 * std::size_t{scratchFrames}, 0.0f);
    scratch64.assign(2 * std::size_t{scratchFrames}, 0.0);
}

void ClapProcessor::process(const clap::clap_process& block, SharedValues& shared)
{
    values = shared.all();
    std::uint32_t done = 0;
    // A value that stays needs no split: where blocks end changes no sample of the engine's.
    forEachHostChange(block.in_events,
                      [&](const HostChange& change)
                      {
                          const float stored = applyHostChange(change, shared);
                          if (std::memcmp(&stored, &values[change.index], sizeof stored) == 0) return;
                          const std::uint32_t at = std::min(change.time, block.frames_count);
                          if (at > done) render(block, done, at);
                          done = std::max(done, at);
                          values[change.index] = stored;
                      });
    if (block.frames_count > done) render(block, done, block.frames_count);
    for (std::uint32_t port = 0; block.audio_outputs && port < block.audio_outputs_count; ++port)
        block.audio_outputs[port].constant_mask = 0;
}

void ClapProcessor::render(const clap::clap_process& block, std::uint32_t from, std::uint32_t to)
{
    const clap::clap_audio_buffer* in = block.audio_inputs_count ? block.audio_inputs : nullptr;
    const clap::clap_audio_buffer* out = block.audio_outputs_count ? block.audio_outputs : nullptr;
    if (!stereo(in) || !stereo(out)) return;
    if (out->data64 && in->data64)
        renderDirect(in->data64, out->data64, from, to);
    else if (out->data32 && in->data32)
        renderDirect(in->data32, out->data32, from, to);
    else if (out->data64 && in->data32)
        renderConverted(in->data32, out->data64, from, to, scratch64);
    else if (out->data32 && in->data64)
        renderConverted(in->data64, out->data32, from, to, scratch32);
}

template <typename Sample>
void ClapProcessor::renderDirect(Sample* const* in, Sample* const* out, std::uint32_t from, std::uint32_t to)
{
    if (!in[0] || !in[1] || !out[0] || !out[1]) return;
    for (std::uint32_t start = from; start < to;)
    {
        const std::uint32_t frames = std::min(to - start, kLargestCall);
        const Sample* const inputs[2] = {in[0] + start, in[1] + start};
        Sample* const outputs[2] = {out[0] + start, out[1] + start};
        engine.process(values, inputs, outputs, static_cast<std::int32_t>(frames));
        start += frames;
    }
}

// The input is converted into scratch first; the engine then writes the output in its own precision.
template <typename In, typename Out>
void ClapProcessor::renderConverted(In* const* in, Out* const* out, std::uint32_t from, std::uint32_t to,
                                    std::vector<Out>& scratch)
{
    if (!in[0] || !in[1] || !out[0] || !out[1] || scratchFrames == 0) return;
    Out* const converted[2] = {scratch.data(), scratch.data() + scratchFrames};
    for (std::uint32_t start = from; start < to;)
    {
        const std::uint32_t frames = std::min(to - start, scratchFrames);
        for (int channel = 0; channel < 2; ++channel)
            std::copy(in[channel] + start, in[channel] + start + frames, converted[channel]);
        const Out* const inputs[2] = {converted[0], converted[1]};
        Out* const outputs[2] = {out[0] + start, out[1] + start};
        engine.process(values, inputs, outputs, static_cast<std::int32_t>(frames));
        start += frames;
    }
}

} // namespace qm07
