// Editor edits to the host: gesture and value events in order, always paired, through process or flush.
#include "ClapEditor.h"
#include "ClapEvents.h"
#include "ClapPlugin.h"
#include "ClapTestSupport.h"
#include "HostValues.h"

#include <gtest/gtest.h>

#include <map>

namespace
{
using namespace qm07;
using namespace qm07::test;

SentEvent begin(clap_id id)
{
    return {CLAP_EVENT_PARAM_GESTURE_BEGIN, id, 0.0, 0};
}
SentEvent value(clap_id id, double v)
{
    return {CLAP_EVENT_PARAM_VALUE, id, v, 0};
}
SentEvent end(clap_id id)
{
    return {CLAP_EVENT_PARAM_GESTURE_END, id, 0.0, 0};
}

/// Fails for an END without a BEGIN, a second BEGIN, or a value outside a gesture; true when all closed.
::testing::AssertionResult paired(const std::vector<SentEvent>& events)
{
    std::map<clap_id, bool> open;
    for (std::size_t i = 0; i < events.size(); ++i)
    {
        const SentEvent& e = events[i];
        const bool wasOpen = open[e.id];
        if ((e.type == CLAP_EVENT_PARAM_GESTURE_BEGIN && wasOpen) ||
            (e.type != CLAP_EVENT_PARAM_GESTURE_BEGIN && !wasOpen))
            return ::testing::AssertionFailure() << "event " << i << " of type " << e.type << " for " << e.id;
        open[e.id] = e.type != CLAP_EVENT_PARAM_GESTURE_END;
    }
    for (const auto& [id, isOpen] : open)
        if (isOpen) return ::testing::AssertionFailure() << "gesture of " << id << " left open";
    return ::testing::AssertionSuccess();
}

struct EditorEdits : ::testing::Test
{
    TestHost host;
    HostAccess access{&host.host};
    SharedValues values;
    EditEventQueue edits;
    GainReductionFeed meter;
    ClapEditor editor{{values, edits, access, meter}};
    OutputEvents out;

    void SetUp() override { access.fetchExtensions(); }
    std::vector<SentEvent> drained()
    {
        sendEdits(edits, out.list());
        return out.sent;
    }
};

TEST_F(EditorEdits, ADragIsBeginValuesEndInPlainUnitsAndInEffectAtOnce)
{
    editor.beginEdit(kThresh);
    editor.performEdit(kThresh, 0.25f);
    EXPECT_EQ(values.value(kThresh), 0.25f) << "before any flush";
    editor.performEdit(kThresh, 0.5f);
    editor.performEdit(kScMode, 0.5f); // a lever's click, outside any gesture
    editor.endEdit(kThresh);
    EXPECT_EQ(host.flushRequests, 5);
    EXPECT_EQ(drained(),
              (std::vector<SentEvent>{begin(kThresh), value(kThresh, -10.0), value(kThresh, -20.0),
                                      begin(kScMode), value(kScMode, 1.0), end(kScMode), end(kThresh)}));
    EXPECT_EQ(out.badAddresses, 0);
    EXPECT_EQ(values.takeUnseen(), 0u) << "the editor shows its own edits already";
}

TEST_F(EditorEdits, StrayEndsAndSecondBeginsAreNeverSent)
{
    editor.endEdit(kGain);
    editor.beginEdit(kGain);
    editor.beginEdit(kGain);
    editor.performEdit(kGain, 0.5f);
    editor.endEdit(kGain);
    editor.endEdit(kGain);
    editor.beginEdit(-1);
    editor.performEdit(kNumParams, 0.5f);
    EXPECT_EQ(drained(), (std::vector<SentEvent>{begin(kGain), value(kGain, 12.0), end(kGain)}));
}

TEST_F(EditorEdits, EventsTheHostRefusesStayQueuedInOrder)
{
    editor.beginEdit(kGain);
    editor.performEdit(kGain, 0.5f);
    out.room = 1;
    EXPECT_EQ(drained().size(), 1u);
    editor.endEdit(kGain);
    out.room = SIZE_MAX;
    EXPECT_EQ(drained(), (std::vector<SentEvent>{begin(kGain), value(kGain, 12.0), end(kGain)}));
}

// A host that never drains gets no half gestures: each open one keeps room for its last value and end.
TEST_F(EditorEdits, AFullQueueStillPairsEveryGestureAndSendsTheLastValue)
{
    editor.beginEdit(kThresh);
    for (int step = 0; step < 2000; ++step)
        editor.performEdit(kThresh, static_cast<float>(step % 100) / 100.0f);
    editor.beginEdit(kGain); // no room left for another gesture
    editor.performEdit(kGain, 0.5f);
    editor.endEdit(kGain);
    editor.performEdit(kThresh, 0.75f);
    editor.endEdit(kThresh);
    const std::vector<SentEvent> sent = drained();
    EXPECT_TRUE(paired(sent));
    ASSERT_GE(sent.size(), 2u);
    EXPECT_EQ(sent[sent.size() - 2], value(kThresh, -30.0));
    EXPECT_EQ(sent.back(), end(kThresh));
    EXPECT_EQ(values.value(kGain), 0.5f) << "in effect even when the host cannot hear of it";

    // Once drained, the dropped gesture's last value goes out at its next edit.
    editor.beginEdit(kGain);
    editor.endEdit(kGain);
    const std::vector<SentEvent> later = drained();
    EXPECT_EQ(std::vector<SentEvent>(later.end() - 3, later.end()),
              (std::vector<SentEvent>{begin(kGain), value(kGain, 12.0), end(kGain)}));
}

TEST_F(EditorEdits, AHostThatFlushesInsideRequestFlushGetsEachEventOnce)
{
    host.onRequestFlush = [this] { sendEdits(edits, out.list()); };
    editor.beginEdit(kRatio);
    editor.performEdit(kRatio, 1.0f);
    editor.endEdit(kRatio);
    EXPECT_EQ(out.sent, (std::vector<SentEvent>{begin(kRatio), value(kRatio, kRatioInfinity), end(kRatio)}));
}

// Through the instance: process sends them at time 0 before its audio, flush while not processing.
TEST(ClapEditEvents, ProcessAndFlushDrainTheQueue)
{
    TestHost host;
    Instance instance(host);
    const clap_plugin* p = instance.plugin;
    EditEventQueue& edits = ClapPlugin::of(p).edits();
    OutputEvents out;
    edits.value(kGain, 6.0);
    instance.params->flush(p, nullptr, out.list());
    ASSERT_TRUE(p->activate(p, 48000.0, 1, 64));
    ASSERT_TRUE(p->start_processing(p));
    edits.value(kPush, 1.0);
    InputEvents none;
    const clap_process block{0, 0, nullptr, nullptr, nullptr, 0, 0, none.list(), out.list()};
    EXPECT_EQ(p->process(p, &block), CLAP_PROCESS_CONTINUE);
    p->stop_processing(p);
    p->deactivate(p);
    EXPECT_EQ(out.sent, (std::vector<SentEvent>{begin(kGain), value(kGain, 6.0), end(kGain), begin(kPush),
                                                value(kPush, 1.0), end(kPush)}));
}

} // namespace
