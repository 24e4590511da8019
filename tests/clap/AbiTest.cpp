// The CLAP identifiers and numbers against a transcription of the reference made apart from the headers.
#include "abi/Entry.h"
#include "abi/Features.h"
#include "abi/ext/AudioPorts.h"
#include "abi/ext/Gui.h"
#include "abi/ext/Latency.h"
#include "abi/ext/Log.h"
#include "abi/ext/Params.h"
#include "abi/ext/PosixFdSupport.h"
#include "abi/ext/State.h"
#include "abi/ext/ThreadCheck.h"
#include "abi/ext/TimerSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

using namespace qm07::clap;

namespace
{
struct Id
{
    const char* defined;
    const char* reference;
};

// Hosts compare these with strcmp, so one wrong letter makes an extension silently absent.
const Id kExtensionIds[] = {
    {CLAP_PLUGIN_FACTORY_ID, "clap.plugin-factory"},
    {CLAP_EXT_AUDIO_PORTS, "clap.audio-ports"},
    {CLAP_EXT_PARAMS, "clap.params"},
    {CLAP_EXT_STATE, "clap.state"},
    {CLAP_EXT_GUI, "clap.gui"},
    {CLAP_EXT_TIMER_SUPPORT, "clap.timer-support"},
    {CLAP_EXT_POSIX_FD_SUPPORT, "clap.posix-fd-support"},
    {CLAP_EXT_LATENCY, "clap.latency"},
    {CLAP_EXT_THREAD_CHECK, "clap.thread-check"},
    {CLAP_EXT_LOG, "clap.log"},
};

const Id kNames[] = {
    {CLAP_WINDOW_API_X11, "x11"},     {CLAP_WINDOW_API_WIN32, "win32"},     {CLAP_WINDOW_API_COCOA, "cocoa"},
    {CLAP_WINDOW_API_UIKIT, "uikit"}, {CLAP_WINDOW_API_WAYLAND, "wayland"}, {CLAP_PORT_MONO, "mono"},
    {CLAP_PORT_STEREO, "stereo"},
};

const Id kFeatures[] = {
    {CLAP_PLUGIN_FEATURE_INSTRUMENT, "instrument"},
    {CLAP_PLUGIN_FEATURE_AUDIO_EFFECT, "audio-effect"},
    {CLAP_PLUGIN_FEATURE_NOTE_EFFECT, "note-effect"},
    {CLAP_PLUGIN_FEATURE_NOTE_DETECTOR, "note-detector"},
    {CLAP_PLUGIN_FEATURE_ANALYZER, "analyzer"},
    {CLAP_PLUGIN_FEATURE_COMPRESSOR, "compressor"},
    {CLAP_PLUGIN_FEATURE_LIMITER, "limiter"},
    {CLAP_PLUGIN_FEATURE_EXPANDER, "expander"},
    {CLAP_PLUGIN_FEATURE_GATE, "gate"},
    {CLAP_PLUGIN_FEATURE_TRANSIENT_SHAPER, "transient-shaper"},
    {CLAP_PLUGIN_FEATURE_DISTORTION, "distortion"},
    {CLAP_PLUGIN_FEATURE_MIXING, "mixing"},
    {CLAP_PLUGIN_FEATURE_MASTERING, "mastering"},
    {CLAP_PLUGIN_FEATURE_UTILITY, "utility"},
    {CLAP_PLUGIN_FEATURE_MONO, "mono"},
    {CLAP_PLUGIN_FEATURE_STEREO, "stereo"},
    {CLAP_PLUGIN_FEATURE_SURROUND, "surround"},
    {CLAP_PLUGIN_FEATURE_AMBISONIC, "ambisonic"},
    {CLAP_PLUGIN_FEATURE_SYNTHESIZER, "synthesizer"},
    {CLAP_PLUGIN_FEATURE_SAMPLER, "sampler"},
    {CLAP_PLUGIN_FEATURE_DRUM, "drum"},
    {CLAP_PLUGIN_FEATURE_DRUM_MACHINE, "drum-machine"},
    {CLAP_PLUGIN_FEATURE_FILTER, "filter"},
    {CLAP_PLUGIN_FEATURE_PHASER, "phaser"},
    {CLAP_PLUGIN_FEATURE_EQUALIZER, "equalizer"},
    {CLAP_PLUGIN_FEATURE_DEESSER, "de-esser"},
    {CLAP_PLUGIN_FEATURE_PHASE_VOCODER, "phase-vocoder"},
    {CLAP_PLUGIN_FEATURE_GRANULAR, "granular"},
    {CLAP_PLUGIN_FEATURE_FREQUENCY_SHIFTER, "frequency-shifter"},
    {CLAP_PLUGIN_FEATURE_PITCH_SHIFTER, "pitch-shifter"},
    {CLAP_PLUGIN_FEATURE_FLANGER, "flanger"},
    {CLAP_PLUGIN_FEATURE_CHORUS, "chorus"},
    {CLAP_PLUGIN_FEATURE_DELAY, "delay"},
    {CLAP_PLUGIN_FEATURE_REVERB, "reverb"},
    {CLAP_PLUGIN_FEATURE_TREMOLO, "tremolo"},
    {CLAP_PLUGIN_FEATURE_GLITCH, "glitch"},
    {CLAP_PLUGIN_FEATURE_PITCH_CORRECTION, "pitch-correction"},
    {CLAP_PLUGIN_FEATURE_RESTORATION, "restoration"},
    {CLAP_PLUGIN_FEATURE_MULTI_EFFECTS, "multi-effects"},
};

struct Number
{
    long long defined;
    long long reference;
};

// Core event types, process status, log severities: numbers hosts switch on.
const Number kNumbers[] = {
    {CLAP_EVENT_NOTE_ON, 0},
    {CLAP_EVENT_NOTE_OFF, 1},
    {CLAP_EVENT_NOTE_CHOKE, 2},
    {CLAP_EVENT_NOTE_END, 3},
    {CLAP_EVENT_NOTE_EXPRESSION, 4},
    {CLAP_EVENT_PARAM_VALUE, 5},
    {CLAP_EVENT_PARAM_MOD, 6},
    {CLAP_EVENT_PARAM_GESTURE_BEGIN, 7},
    {CLAP_EVENT_PARAM_GESTURE_END, 8},
    {CLAP_EVENT_TRANSPORT, 9},
    {CLAP_EVENT_MIDI, 10},
    {CLAP_EVENT_MIDI_SYSEX, 11},
    {CLAP_EVENT_MIDI2, 12},
    {CLAP_CORE_EVENT_SPACE_ID, 0},
    {CLAP_PROCESS_ERROR, 0},
    {CLAP_PROCESS_CONTINUE, 1},
    {CLAP_PROCESS_CONTINUE_IF_NOT_QUIET, 2},
    {CLAP_PROCESS_TAIL, 3},
    {CLAP_PROCESS_SLEEP, 4},
    {CLAP_LOG_DEBUG, 0},
    {CLAP_LOG_FATAL, 4},
    {CLAP_LOG_HOST_MISBEHAVING, 5},
    {CLAP_LOG_PLUGIN_MISBEHAVING, 6},
    {CLAP_INVALID_ID, 4294967295LL},
    {CLAP_BEATTIME_FACTOR, 2147483648LL},
    {CLAP_SECTIME_FACTOR, 2147483648LL},
    {CLAP_PARAM_IS_AUTOMATABLE | CLAP_PARAM_IS_STEPPED, 0x21},
    {CLAP_PARAM_IS_ENUM, 0x10000},
    {CLAP_PARAM_REQUIRES_PROCESS, 0x8000},
    {CLAP_PARAM_RESCAN_ALL, 8},
    {CLAP_AUDIO_PORTS_RESCAN_LIST, 32},
    {CLAP_AUDIO_PORT_REQUIRES_COMMON_SAMPLE_SIZE, 8},
    {CLAP_TRANSPORT_IS_WITHIN_PRE_ROLL, 128},
    {CLAP_POSIX_FD_ERROR, 4},
};

template <std::size_t N> void expectSpelledAsReference(const Id (&ids)[N])
{
    for (const Id& id : ids)
        EXPECT_STREQ(id.defined, id.reference);
}

template <std::size_t N> void expectDistinct(const Id (&ids)[N])
{
    std::set<std::string> seen;
    for (const Id& id : ids)
        EXPECT_TRUE(seen.insert(id.defined).second) << id.defined << " is defined twice";
}
} // namespace

TEST(ClapIdentifiers, ExtensionIdsAreSpelledAsTheReferenceAndDistinct)
{
    expectSpelledAsReference(kExtensionIds);
    expectDistinct(kExtensionIds);
}

TEST(ClapIdentifiers, WindowApisAndPortTypesAreSpelledAsTheReference)
{
    expectSpelledAsReference(kNames);
}

TEST(ClapIdentifiers, FeatureStringsAreSpelledAsTheReferenceAndDistinct)
{
    expectSpelledAsReference(kFeatures);
    expectDistinct(kFeatures);
}

TEST(ClapNumbers, ConstantsHaveTheReferenceValues)
{
    for (const Number& n : kNumbers)
        EXPECT_EQ(n.defined, n.reference);
}

TEST(ClapNumbers, OnlyThePreReleaseSeriesIsIncompatible)
{
    const struct
    {
        clap_version version;
        bool compatible;
    } cases[] = {{{0, 19, 0}, false}, {{1, 0, 0}, true}, {CLAP_VERSION, true}, {{2, 0, 0}, true}};
    for (const auto& c : cases)
        EXPECT_EQ(clap_version_is_compatible(c.version), c.compatible)
            << c.version.major << "." << c.version.minor;
}
