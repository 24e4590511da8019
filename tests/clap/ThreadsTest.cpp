// The audio thread processing with events while the main thread edits, loads states, reads values and
// opens and closes the editor: nothing is shared but atomics and the edit ring (ThreadSanitizer runs it).
#include "ClapEditor.h"
#include "ClapPlugin.h"
#include "ClapTestSupport.h"
#include "EditorPlatform.h"
#include "ParentWindow.h"

#include <atomic>
#include <cmath>
#include <thread>

namespace
{
using namespace qm07;
using namespace qm07::test;

TEST(ClapThreads, MainThreadWorkWhileProcessingKeepsGesturesPairedAndTheOutputFinite)
{
    TestHost host;
    ParentWindow parent;
    Instance instance(host);
    const clap_plugin* p = instance.plugin;
    ClapPlugin& self = ClapPlugin::of(p);
    ASSERT_TRUE(p->activate(p, 48000.0, 1, 256));
    std::atomic<bool> running{true};
    OutputEvents sent;
    bool finite = true;

    std::thread audio(
        [&]
        {
            p->start_processing(p);
            std::vector<float> left(256, 0.5f), right(256, -0.5f);
            float* io[2] = {left.data(), right.data()};
            clap_audio_buffer buffer{io, nullptr, 2, 0, 0};
            for (std::uint32_t block = 0; running.load(); ++block)
            {
                InputEvents events;
                events.add(block % 256, block % kNumParams, static_cast<double>(block % 7) - 1.0);
                const clap_process process{-1, 256, nullptr,       &buffer,    &buffer,
                                           1,  1,   events.list(), sent.list()};
                p->process(p, &process);
                finite = finite && std::isfinite(left[255]) && std::isfinite(right[0]);
            }
            p->stop_processing(p);
        });

    ClapEditor editor({self.values(), self.edits(), self.hostAccess(), self.meterFeed()});
    const clap_window window = parent.window();
    for (int round = 0; round < 200; ++round)
    {
        if (round % 20 == 0)
        {
            instance.gui->create(p, editorWindowApi(), false);
            instance.gui->set_parent(p, &window);
            instance.gui->show(p);
        }
        editor.beginEdit(round % kNumParams);
        editor.performEdit(round % kNumParams, static_cast<float>(round % 11) / 10.0f);
        editor.endEdit(round % kNumParams);
        ByteStream state;
        instance.state->save(p, &state.out);
        state.position = 0;
        instance.state->load(p, &state.in);
        double value = 0.0;
        instance.params->get_value(p, round % kNumParams, &value);
        for (clap_id id : host.timers)
            instance.timer->on_timer(p, id);
        if (round % 20 == 19) instance.gui->destroy(p);
    }
    running = false;
    audio.join();
    instance.params->flush(p, nullptr, sent.list());
    p->deactivate(p);

    EXPECT_TRUE(finite);
    // A ring the audio thread drains too slowly drops whole gestures, never parts of one.
    EXPECT_GT(sent.sent.size(), 0u);
    EXPECT_EQ(sent.sent.size() % 3, 0u);
    EXPECT_TRUE(paired(sent.sent));
}

} // namespace
