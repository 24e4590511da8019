// The CLAP identifiers and numbers our plug-in and host exchange, against a transcription of the reference
// made apart from the headers (the layouts are pinned by the headers' static asserts).
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

using namespace qm07::clap;

// Hosts compare these with strcmp, so one wrong letter makes an extension silently absent.
TEST(ClapAbi, IdentifiersAreSpelledAsTheReference)
{
    const struct
    {
        const char* defined;
        const char* reference;
    } ids[] = {
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
        {CLAP_WINDOW_API_X11, "x11"},
        {CLAP_WINDOW_API_WIN32, "win32"},
        {CLAP_PORT_STEREO, "stereo"},
        {CLAP_PLUGIN_FEATURE_AUDIO_EFFECT, "audio-effect"},
        {CLAP_PLUGIN_FEATURE_COMPRESSOR, "compressor"},
        {CLAP_PLUGIN_FEATURE_STEREO, "stereo"},
    };
    for (const auto& id : ids)
        EXPECT_STREQ(id.defined, id.reference);
}

// Event types, process status, log severities and flags: numbers both sides switch on or test bits of.
TEST(ClapAbi, NumbersHaveTheReferenceValues)
{
    const struct
    {
        long long defined;
        long long reference;
    } numbers[] = {
        {CLAP_EVENT_PARAM_VALUE, 5},       {CLAP_EVENT_PARAM_GESTURE_BEGIN, 7},
        {CLAP_EVENT_PARAM_GESTURE_END, 8}, {CLAP_CORE_EVENT_SPACE_ID, 0},
        {CLAP_PROCESS_ERROR, 0},           {CLAP_PROCESS_CONTINUE, 1},
        {CLAP_LOG_HOST_MISBEHAVING, 5},    {CLAP_LOG_PLUGIN_MISBEHAVING, 6},
        {CLAP_INVALID_ID, 4294967295LL},   {CLAP_PARAM_IS_AUTOMATABLE | CLAP_PARAM_IS_STEPPED, 0x21},
        {CLAP_PARAM_IS_ENUM, 0x10000},     {CLAP_PARAM_RESCAN_VALUES, 1},
        {CLAP_PARAM_RESCAN_ALL, 8},        {CLAP_AUDIO_PORT_IS_MAIN | CLAP_AUDIO_PORT_SUPPORTS_64BITS, 3},
        {CLAP_POSIX_FD_READ, 1},           {CLAP_POSIX_FD_ERROR, 4},
    };
    for (const auto& n : numbers)
        EXPECT_EQ(n.defined, n.reference);
}
