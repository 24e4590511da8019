// The CLAP editor in a window of ours, opened and closed 200 times while our audio thread plays through the
// plug-in and the host moves a parameter, as vsthost edit drives it: no opening refused, audio all along,
// no fault the host could see.
#include "DemoSynth.h"
#include "EditorWindow.h"
#include "LivePlayback.h"
#include "clap/ClapInstance.h"

#include <gtest/gtest.h>

TEST(ClapEditor, TwoHundredOpeningsWhileTheAudioThreadPlays)
{
    std::string error;
    auto plugin = ClapInstance::load(QM07_CLAP_PATH, error);
    ASSERT_TRUE(plugin) << error;
    int width = 0;
    int height = 0;
    ASSERT_TRUE(plugin->editorSize(width, height));
    auto window = EditorWindow::open("HostClapEditorTest", 40, 40, width, height, error);
    ASSERT_TRUE(window) << error;
    plugin->start(48000.0, 256);
    std::vector<ScheduledSetting> automation;
    for (int step = 0; step < 40; ++step)
        automation.push_back({0.05 * step, 0, -40.0 + step});
    LivePlayback audio(*plugin, synthesizeDemo(48000.0, 1.0), automation);
    for (int opening = 0; opening < 200; ++opening)
    {
        ASSERT_TRUE(plugin->openEditor(window->nativeHandle())) << "opening " << opening;
        window->handleEvents(0, nullptr);
        plugin->idleEditor();
        plugin->closeEditor();
    }
    audio.stop();
    EXPECT_GT(audio.blocksPlayed(), 0u);
    plugin->stop();
    EXPECT_EQ(plugin->failedBlocks(), 0u);
    for (const std::string& line : plugin->takeMessages())
        EXPECT_TRUE(line.rfind("log info:", 0) == 0 || line.rfind("log debug:", 0) == 0) << line;
}
