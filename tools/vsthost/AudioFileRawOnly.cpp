// Audio files on builds without a codec library: only the raw exchange format.
#include "AudioFile.h"
#include "RawAudio.h"

bool readAudioFile(const std::string& path, double rawSampleRate, AudioClip& clip, std::string& error)
{
    if (!isRawAudioPath(path))
    {
        error = path + ": this build reads only raw stereo float32 files (.f32)";
        return false;
    }
    return readRawAudio(path, rawSampleRate, clip, error);
}

bool writeAudioFile(const std::string& path, const AudioClip& clip, std::string& error)
{
    if (!isRawAudioPath(path))
    {
        error = path + ": this build writes only raw stereo float32 files (.f32)";
        return false;
    }
    return writeRawAudio(path, clip, error);
}
