// Editor edits to the host: gesture and value events in order, always paired, whenever the host drains them.
#include "ClapEditor.h"
#include "ClapEvents.h"
#include "ClapTestSupport.h"
#include "HostValues.h"

namespace
{
using namespace qm07;
using namespace qm07::test;

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
        EXPECT_EQ(out.malformed, 0);
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

// With room for less than a whole gesture, its begin is dropped rather than its end.
TEST_F(EditorEdits, AGestureStartsOnlyWithRoomForItsValueAndEnd)
{
    for (std::uint32_t click = 0; click < EditEventQueue::kCapacity / 3; ++click)
        editor.performEdit(kPush, 0.5f);
    editor.beginEdit(kThresh);
    editor.performEdit(kThresh, 0.25f);
    editor.endEdit(kThresh);
    const std::vector<SentEvent> sent = drained();
    EXPECT_TRUE(paired(sent));
    EXPECT_EQ(sent.size(), EditEventQueue::kCapacity / 3 * 3);
}

TEST_F(EditorEdits, AHostThatFlushesInsideRequestFlushGetsEachEventOnce)
{
    host.onRequestFlush = [this] { sendEdits(edits, out.list()); };
    editor.beginEdit(kRatio);
    editor.performEdit(kRatio, 1.0f);
    editor.endEdit(kRatio);
    EXPECT_EQ(out.sent, (std::vector<SentEvent>{begin(kRatio), value(kRatio, kRatioInfinity), end(kRatio)}));
}

} // namespace
