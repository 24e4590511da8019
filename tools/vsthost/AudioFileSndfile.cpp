// Audio files through libsndfile, with the raw exchange format handled alongside.
#include "AudioFile.h"
#include "RawAudio.h"

#include <sndfile.h>

#include <cctype>
#include <memory>

namespace
{
struct SndfileCloser
{
    void operator()(SNDFILE* file) const { sf_close(file); }
};
using SndfileHandle = std::unique_ptr<SNDFILE, SndfileCloser>;

std::string lowerExtension(const std::string& path)
{
    const auto dot = path.find_last_of('.');
    std::string ext = dot == std::string::npos ? std::string() : path.substr(dot + 1);
    for (char& c : ext)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext;
}

/// Output formats by extension; 0 when the extension names none we write.
int formatForExtension(const std::string& ext)
{
    if (ext == "wav") return SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    if (ext == "aif" || ext == "aiff") return SF_FORMAT_AIFF | SF_FORMAT_FLOAT;
    if (ext == "flac") return SF_FORMAT_FLAC | SF_FORMAT_PCM_24;
    return 0;
}
} // namespace

bool readAudioFile(const std::string& path, double rawSampleRate, AudioClip& clip, std::string& error)
{
    if (isRawAudioPath(path)) return readRawAudio(path, rawSampleRate, clip, error);
    SF_INFO info{};
    SndfileHandle file(sf_open(path.c_str(), SFM_READ, &info));
    if (!file)
    {
        error = path + ": " + sf_strerror(nullptr);
        return false;
    }
    const auto frames = static_cast<std::size_t>(info.frames);
    const auto channels = static_cast<std::size_t>(info.channels);
    std::vector<float> interleaved(frames * channels);
    const auto got = static_cast<std::size_t>(sf_readf_float(file.get(), interleaved.data(), info.frames));
    clip.sampleRate = info.samplerate;
    clip.channels.assign(channels, std::vector<float>(got));
    for (std::size_t i = 0; i < got; ++i)
        for (std::size_t c = 0; c < channels; ++c)
            clip.channels[c][i] = interleaved[i * channels + c];
    return true;
}

bool writeAudioFile(const std::string& path, const AudioClip& clip, std::string& error)
{
    if (isRawAudioPath(path)) return writeRawAudio(path, clip, error);
    SF_INFO info{};
    info.format = formatForExtension(lowerExtension(path));
    info.channels = static_cast<int>(clip.channels.size());
    info.samplerate = static_cast<int>(clip.sampleRate);
    if (info.format == 0)
    {
        error = path + ": unknown extension; use .wav, .aif, .aiff, .flac or .f32";
        return false;
    }
    SndfileHandle file(sf_open(path.c_str(), SFM_WRITE, &info));
    if (!file)
    {
        error = path + ": " + sf_strerror(nullptr);
        return false;
    }
    const std::size_t channels = clip.channels.size();
    std::vector<float> interleaved(clip.frames() * channels);
    for (std::size_t i = 0; i < clip.frames(); ++i)
        for (std::size_t c = 0; c < channels; ++c)
            interleaved[i * channels + c] = clip.channels[c][i];
    const auto frames = static_cast<sf_count_t>(clip.frames());
    if (sf_writef_float(file.get(), interleaved.data(), frames) != frames)
    {
        error = path + ": " + sf_strerror(file.get());
        return false;
    }
    return true;
}
