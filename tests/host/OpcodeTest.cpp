// Every dispatcher opcode from 0 to 79, and some outside that range, asked of the built plug-in.
#include "PluginUnderTest.h"

#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>

namespace
{
/// What the call's ptr (and for some opcodes value) points to, and what the plug-in may do with it.
enum class Arg
{
    None,       // null
    Untouched,  // a guarded scratch buffer that must come back unchanged
    Text,       // a text buffer of limit + 1 bytes that must receive text, zero-filled up to [limit]
    Input,      // a guarded copy of text, handed in; must come back unchanged
    NullPair,   // value and ptr address two pointers that must be set to null
    ChunkOut,   // receives the address of the state chunk
    ChunkIn,    // the 40-byte chunk of the default values, value holding its size
    EditorRect, // receives the address of the editor rectangle
};

struct OpcodeRow
{
    std::int32_t opcode;
    std::intptr_t answer;
    Arg arg = Arg::None;
    const char* text = nullptr;
    std::size_t limit = 0;
    std::int32_t index = 0;
    std::intptr_t value = 0;
    float opt = 0.0f;
};

constexpr std::int64_t kAbove32Bits = std::int64_t{1} << 32;

const OpcodeRow kBaseRows[] = {
    {effOpen, 0},
    {effSetProgram, 0, Arg::None, nullptr, 0, 0, 3},
    {effGetProgram, 0},
    {effSetProgramName, 0, Arg::Input, "Renamed"},
    {effGetProgramName, 0, Arg::Text, "Default", kVstMaxProgNameLen},
    {effGetParamLabel, 0, Arg::Text, "dB", kVstMaxParamStrLen, 0},
    {effGetParamDisplay, 0, Arg::Text, "0.500000", kVstMaxParamStrLen, 0},
    {effGetParamName, 0, Arg::Text, "Thresh", kVstMaxParamStrLen, 0},
    {effGetVu, 0, Arg::Untouched},
    {effSetSampleRate, 0, Arg::None, nullptr, 0, 0, 0, 48000.0f},
    {effSetBlockSize, 0, Arg::None, nullptr, 0, 0, 256},
    {effMainsChanged, 0, Arg::None, nullptr, 0, 0, 1},
    {effMainsChanged, 0, Arg::None, nullptr, 0, 0, 0},
    {effEditDraw, 0, Arg::Untouched},
    {effEditMouse, 0, Arg::Untouched, nullptr, 0, 10, 20},
    {effEditKey, 0, Arg::None, nullptr, 0, 'a'},
    {effEditTop, 0},
    {effEditSleep, 0},
    {effIdentify, kEffectIdentifier, Arg::Untouched, nullptr, 0, 7, 99, 1.5f},
    {effGetChunk, 40, Arg::ChunkOut},
    {effGetChunk, 40, Arg::ChunkOut, nullptr, 0, 1},
    {effSetChunk, 0, Arg::ChunkIn},
};

// Flags and editor opcodes, with the editor closed.
constexpr std::int32_t kExpectedFlags =
    effFlagsHasEditor | effFlagsCanReplacing | effFlagsProgramChunks | effFlagsCanDoubleReplacing;
const OpcodeRow kEditorRows[] = {
    {effEditGetRect, 1, Arg::EditorRect},
    {effEditOpen, 0}, // no parent window: nothing to open in
    {effEditClose, 0},
    {effEditIdle, 0},
    {effEditKeyDown, 0, Arg::None, nullptr, 0, 'a', VKEY_LEFT, 1.0f},
    {effEditKeyUp, 0, Arg::None, nullptr, 0, 'a', VKEY_LEFT, 1.0f},
    {effSetEditKnobMode, 1, Arg::None, nullptr, 0, 0, 2},
};

const OpcodeRow kExtendedRows[] = {
    {effProcessEvents, 0, Arg::Untouched},
    {effCanBeAutomated, 1, Arg::None, nullptr, 0, 0},
    {effCanBeAutomated, 1, Arg::None, nullptr, 0, 9},
    {effCanBeAutomated, 1, Arg::None, nullptr, 0, 10},
    {effCanBeAutomated, 1, Arg::None, nullptr, 0, -1},
    {effString2Parameter, 0, Arg::Input, "0.25", 0, 0},
    {effGetNumProgramCategories, 0},
    {effGetProgramNameIndexed, 0, Arg::Untouched},
    {effCopyProgram, 0, Arg::None, nullptr, 0, 1},
    {effConnectInput, 0, Arg::None, nullptr, 0, 0, 1},
    {effConnectOutput, 0, Arg::None, nullptr, 0, 0, 1},
    {effGetInputProperties, 0, Arg::Untouched},
    {effGetOutputProperties, 0, Arg::Untouched},
    {effGetPlugCategory, kPlugCategEffect},
    {effGetCurrentPosition, 0},
    {effGetDestinationBuffer, 0},
    {effOfflineNotify, 0, Arg::Untouched, nullptr, 0, 1, 1},
    {effOfflinePrepare, 0, Arg::Untouched, nullptr, 0, 0, 1},
    {effOfflineRun, 0, Arg::Untouched, nullptr, 0, 0, 1},
    {effProcessVarIo, 0, Arg::Untouched},
    {effSetSpeakerArrangement, 0, Arg::Untouched},
    {effSetBlockSizeAndSampleRate, 0, Arg::None, nullptr, 0, 0, 256, 48000.0f},
    {effSetBypass, 0, Arg::None, nullptr, 0, 0, 1},
    {effGetEffectName, 1, Arg::Text, "QM07 Compressor", kVstMaxEffectNameLen},
    {effGetErrorText, 0, Arg::Untouched},
    {effGetVendorString, 1, Arg::Text, "Tarvel", kVstMaxVendorStrLen},
    {effGetProductString, 1, Arg::Text, "QM07 Compressor", kVstMaxProductStrLen},
    {effGetVendorVersion, 1000},
    {effVendorSpecific, 0, Arg::Untouched, nullptr, 0, 1, 2, 3.0f},
    {effCanDo, -1, Arg::Input, "receiveVstMidiEvent"},
    {effCanDo, -1, Arg::Input, "sizeWindow"},
    {effCanDo, -1, Arg::Input, "bypass"},
    {effCanDo, -1, Arg::Input, ""},
    {effGetTailSize, 0},
    {effIdle, 0},
    {effGetIcon, 0},
    {effSetViewPosition, 0, Arg::None, nullptr, 0, 10, 20},
    {effGetParameterProperties, 0, Arg::Untouched},
    {effKeysRequired, 0},
    {effGetVstVersion, 2400},
    {effGetMidiProgramName, 0, Arg::Untouched},
    {effGetCurrentMidiProgram, -1, Arg::Untouched},
    {effGetMidiProgramCategory, 0, Arg::Untouched},
    {effHasMidiProgramsChanged, 0},
    {effGetMidiKeyName, 0, Arg::Untouched},
    {effBeginSetProgram, 0},
    {effEndSetProgram, 0},
    {effGetSpeakerArrangement, 0, Arg::NullPair},
    {effShellGetNextPlugin, 0, Arg::Untouched},
    {effStartProcess, 0},
    {effStopProcess, 0},
    {effSetTotalSampleToProcess, 512, Arg::None, nullptr, 0, 0, 512},
    {effSetTotalSampleToProcess, -5, Arg::None, nullptr, 0, 0, -5},
    {effSetTotalSampleToProcess, 512, Arg::None, nullptr, 0, 0,
     static_cast<std::intptr_t>(kAbove32Bits + 512)},
    {effSetPanLaw, 0, Arg::None, nullptr, 0, 0, 0, 0.5f},
    {effBeginLoadBank, 0, Arg::Untouched},
    {effBeginLoadProgram, 0, Arg::Untouched},
    {effSetProcessPrecision, 0, Arg::None, nullptr, 0, 0, 1},
    {effGetNumMidiInputChannels, 0},
    {effGetNumMidiOutputChannels, 0},
};

const OpcodeRow kUnknownRows[] = {
    {-1, 0, Arg::Untouched},  {-100, 0, Arg::Untouched},       {80, 0, Arg::Untouched},
    {128, 0, Arg::Untouched}, {0x7fffffff, 0, Arg::Untouched},
};

std::vector<OpcodeRow> allRows()
{
    std::vector<OpcodeRow> rows(std::begin(kBaseRows), std::end(kBaseRows));
    rows.insert(rows.end(), std::begin(kExtendedRows), std::end(kExtendedRows));
    rows.insert(rows.end(), std::begin(kEditorRows), std::end(kEditorRows));
    rows.insert(rows.end(), std::begin(kUnknownRows), std::end(kUnknownRows));
    return rows;
}

std::vector<std::uint8_t> defaultChunk()
{
    const float values[] = {0.5f, 0.5f, 0.0f, 0.375f, 0.5f, 0.375f, 0.0f, 0.0f, 0.0f, 0.0f};
    std::vector<std::uint8_t> bytes(sizeof(values));
    std::memcpy(bytes.data(), values, sizeof(values));
    return bytes;
}

std::intptr_t dispatchRow(HostedPlugin& plugin, const OpcodeRow& row, void* ptr)
{
    return plugin.dispatch(row.opcode, row.index, row.value, ptr, row.opt);
}

void checkText(HostedPlugin& plugin, const OpcodeRow& row)
{
    GuardedBuffer text(row.limit + 1);
    EXPECT_EQ(dispatchRow(plugin, row, text.data()), row.answer);
    EXPECT_EQ(text.text(), row.text);
    for (std::size_t i = std::strlen(row.text); i <= row.limit; ++i)
        EXPECT_EQ(text.at(i), 0) << "byte " << i << " of the text should be zero";
    EXPECT_TRUE(text.guardIntact()) << "written past the terminator at [" << row.limit << "]";
}

void checkInput(HostedPlugin& plugin, const OpcodeRow& row)
{
    const std::size_t size = std::strlen(row.text) + 1;
    GuardedBuffer input(size);
    std::memcpy(input.data(), row.text, size);
    EXPECT_EQ(dispatchRow(plugin, row, input.data()), row.answer);
    EXPECT_EQ(input.text(), row.text);
    EXPECT_TRUE(input.guardIntact());
}

void checkNullPair(HostedPlugin& plugin, const OpcodeRow& row)
{
    int sentinels[2];
    void* first = &sentinels[0];
    void* second = &sentinels[1];
    EXPECT_EQ(
        plugin.dispatch(row.opcode, row.index, reinterpret_cast<std::intptr_t>(&first), &second, row.opt),
        row.answer);
    EXPECT_EQ(first, nullptr);
    EXPECT_EQ(second, nullptr);
}

void checkChunk(HostedPlugin& plugin, const OpcodeRow& row)
{
    if (row.arg == Arg::ChunkOut)
    {
        void* data = nullptr;
        EXPECT_EQ(dispatchRow(plugin, row, &data), row.answer);
        ASSERT_NE(data, nullptr);
        const auto* bytes = static_cast<const std::uint8_t*>(data);
        EXPECT_EQ(std::vector<std::uint8_t>(bytes, bytes + 40), defaultChunk());
        return;
    }
    auto chunk = defaultChunk();
    EXPECT_EQ(plugin.dispatch(row.opcode, row.index, static_cast<std::intptr_t>(chunk.size()), chunk.data()),
              row.answer);
    EXPECT_EQ(chunk, defaultChunk()) << "the chunk handed in was changed";
}

void checkEditorRect(HostedPlugin& plugin, const OpcodeRow& row)
{
    ERect* rect = nullptr;
    EXPECT_EQ(dispatchRow(plugin, row, &rect), row.answer);
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ((std::vector<int>{rect->top, rect->left, rect->bottom, rect->right}),
              (std::vector<int>{0, 0, 220, 800}));
}

void checkRow(HostedPlugin& plugin, const OpcodeRow& row)
{
    switch (row.arg)
    {
    case Arg::None:
        EXPECT_EQ(dispatchRow(plugin, row, nullptr), row.answer);
        break;
    case Arg::Untouched:
    {
        GuardedBuffer scratch(256);
        EXPECT_EQ(dispatchRow(plugin, row, scratch.data()), row.answer);
        EXPECT_TRUE(scratch.untouched()) << "wrote into a buffer it has no business with";
        break;
    }
    case Arg::Text:
        checkText(plugin, row);
        break;
    case Arg::Input:
        checkInput(plugin, row);
        break;
    case Arg::NullPair:
        checkNullPair(plugin, row);
        break;
    case Arg::EditorRect:
        checkEditorRect(plugin, row);
        break;
    case Arg::ChunkOut:
    case Arg::ChunkIn:
        checkChunk(plugin, row);
        break;
    }
}
} // namespace

TEST(HostOpcodes, EveryOpcodeAnswersAsSpecified)
{
    for (const OpcodeRow& row : allRows())
    {
        SCOPED_TRACE("opcode " + std::to_string(row.opcode) + ", index " + std::to_string(row.index) +
                     ", value " + std::to_string(row.value));
        auto plugin = loadPluginUnderTest();
        ASSERT_TRUE(plugin);
        checkRow(*plugin, row);
    }
}

TEST(HostOpcodes, TableCoversOpcodesZeroToSeventyNine)
{
    const auto rows = allRows();
    for (std::int32_t opcode = 0; opcode <= effGetNumMidiOutputChannels; ++opcode)
    {
        const bool listed =
            std::any_of(rows.begin(), rows.end(), [&](const OpcodeRow& row) { return row.opcode == opcode; });
        // effClose ends the instance, so it has a test of its own.
        EXPECT_TRUE(listed || opcode == effClose) << "opcode " << opcode << " is not in the table";
    }
}

TEST(HostOpcodes, CloseAnswersOneAndEndsTheInstance)
{
    auto plugin = loadPluginUnderTest();
    ASSERT_TRUE(plugin);
    plugin->start(44100.0, 512);
    EXPECT_EQ(plugin->close(), 1);
}

TEST(HostOpcodes, RequestsWithoutEffectChangeNothing)
{
    auto plugin = loadPluginUnderTest();
    ASSERT_TRUE(plugin);
    plugin->dispatch(effSetProgram, 0, 3);
    EXPECT_EQ(plugin->dispatch(effGetProgram), 0);
    char name[] = "Renamed";
    plugin->dispatch(effSetProgramName, 0, 0, name);
    EXPECT_EQ(plugin->programName(), "Default");
    char text[] = "0.25";
    plugin->dispatch(effString2Parameter, 0, 0, text);
    EXPECT_EQ(plugin->parameter(0), 0.5f);
    EXPECT_EQ(plugin->chunk(), defaultChunk());
}

TEST(HostRecord, FieldsAsTheHostReadsThem)
{
    auto plugin = loadPluginUnderTest();
    ASSERT_TRUE(plugin);
    const AEffect& effect = plugin->effect();
    EXPECT_EQ(effect.magic, kEffectMagic);
    EXPECT_EQ(effect.numPrograms, 0);
    EXPECT_EQ(effect.numParams, 10);
    EXPECT_EQ(effect.numInputs, 2);
    EXPECT_EQ(effect.numOutputs, 2);
    EXPECT_EQ(effect.flags, kExpectedFlags);
    EXPECT_EQ(effect.initialDelay, 0);
    EXPECT_EQ(effect.ioRatio, 1.0f);
    EXPECT_EQ(effect.uniqueID, fourCharCode('Q', 'M', '0', '7'));
    EXPECT_EQ(effect.uniqueID, 0x514D3037);
    EXPECT_EQ(effect.version, 1);
    EXPECT_NE(effect.object, nullptr);
    EXPECT_EQ(effect.resvd1, 0);
    EXPECT_EQ(effect.resvd2, 0);
    for (auto* proc :
         {reinterpret_cast<void*>(effect.dispatcher), reinterpret_cast<void*>(effect.process),
          reinterpret_cast<void*>(effect.setParameter), reinterpret_cast<void*>(effect.getParameter),
          reinterpret_cast<void*>(effect.processReplacing),
          reinterpret_cast<void*>(effect.processDoubleReplacing)})
        EXPECT_NE(proc, nullptr);
    EXPECT_TRUE(
        std::all_of(std::begin(effect.future), std::end(effect.future), [](char c) { return c == 0; }));
}
