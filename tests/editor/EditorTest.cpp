// The editor's tree, its wiring to the parameters, and its closed state, on the headless back end.
#include "CAnimKnob.h"
#include "CHorizontalSwitch.h"
#include "EditorTestSupport.h"
#include "GainReductionFeed.h"
#include "TarvelGR.h"

#include <cmath>
#include <thread>

using namespace qm07;

using namespace VSTGUI;

namespace
{

using EditorWiring = qm07test::EditorTest;

TEST_F(EditorWiring, ElevenControlsInTheirPlacesWithTagsValuesAndDefaults)
{
    const struct
    {
        const char* type;
        CRect rect;
        std::int32_t tag; // -1: the meter
        float defaultValue;
    } layout[] = {
        {"CAnimKnob", {135, 20, 215, 100}, kThresh, 0.5f},
        {"CAnimKnob", {265, 20, 345, 100}, kRatio, 0.5f},
        {"CAnimKnob", {395, 20, 475, 100}, kGain, 0.0f},
        {"CAnimKnob", {80, 130, 140, 190}, kAttack, 0.375f},
        {"CAnimKnob", {210, 130, 270, 190}, kRelease, 0.5f},
        {"CAnimKnob", {340, 130, 400, 190}, kKneeDb, 0.375f},
        {"CAnimKnob", {470, 130, 530, 190}, kKneePct, 0.0f},
        {"CAnimKnob", {640, 140, 680, 180}, kWetDry, 0.0f},
        {"TarvelGR", {570, 20, 750, 100}, -1, 0.0f},
        {"CHorizontalSwitch", {580, 150, 620, 190}, kScMode, 0.0f},
        {"CHorizontalSwitch", {700, 150, 740, 190}, kPush, 0.0f},
    };
    ASSERT_EQ(frame().getNbViews(), 11);
    for (std::int32_t i = 0; i < 11; ++i)
    {
        auto* view = static_cast<CControl*>(frame().getView(i));
        CRect rect;
        EXPECT_TRUE(view->isTypeOf(layout[i].type)) << i;
        EXPECT_EQ(view->getViewSize(rect), layout[i].rect) << i;
        if (layout[i].tag < 0) continue;
        EXPECT_EQ(view->getTag(), layout[i].tag);
        EXPECT_EQ(view->getDefaultValue(), layout[i].defaultValue) << i;
        EXPECT_EQ(view->getValue(), effect->getParameter(layout[i].tag)) << i;
    }
    EXPECT_EQ(frame().getKnobMode(), kLinearMode);
}

TEST_F(EditorWiring, EffectiveValuesReachTheirControlsAndOtherIndicesChangeNothing)
{
    effect->setParameter(kWetDry, 0.7f);
    EXPECT_EQ(control(kWetDry)->getValue(), 0.7f);
    effect->setParameter(kPush, 3.0f);
    EXPECT_EQ(control(kPush)->getValue(), 1.0f) << "the stored, clamped value";
    editor().setParameter(kGain, 0.9f);
    EXPECT_EQ(control(kGain)->getValue(), 0.0f) << "the argument is not what is shown";

    std::vector<float> before;
    for (std::int32_t tag = 0; tag < kNumParams; ++tag)
        before.push_back(control(tag)->getValue());
    for (std::int32_t index : {10, -1, 1 << 30})
        editor().setParameter(index, 0.25f);
    for (std::int32_t tag = 0; tag < kNumParams; ++tag)
        EXPECT_EQ(control(tag)->getValue(), before[tag]) << tag;
}

TEST_F(EditorWiring, ChangesFromAnotherThreadShowAtTheNextIdle)
{
    std::thread([this] { effect->setParameter(kRatio, 0.8f); }).join();
    EXPECT_EQ(control(kRatio)->getValue(), 0.5f) << "no control is touched from another thread";
    editor().idle();
    EXPECT_EQ(control(kRatio)->getValue(), 0.8f);
}

TEST_F(EditorWiring, ClosedEditorForgetsItsTreeAndShowsChangesAtTheNextOpen)
{
    editor().close();
    EXPECT_EQ(editor().getFrame(), nullptr);
    EXPECT_FALSE(editor().isOpen());
    EXPECT_TRUE(headless::environment().windows.empty());
    EXPECT_FALSE(effect->gainReductionFeed().isActive());
    effect->setParameter(kAttack, 0.9f);
    editor().idle();
    editor().setKnobMode(kCircularMode);

    openAndPaint();
    EXPECT_EQ(control(kAttack)->getValue(), 0.9f);
    EXPECT_EQ(frame().getKnobMode(), kLinearMode) << "every open selects linear dragging again";
    EXPECT_TRUE(effect->gainReductionFeed().isActive());
}

TEST_F(EditorWiring, OpenWithoutAWindowFailsAndLeavesTheEditorUsable)
{
    editor().close();
    EXPECT_FALSE(editor().open(nullptr));
    EXPECT_FALSE(editor().isOpen());
    EXPECT_EQ(editor().getFrame(), nullptr);
    openAndPaint();
    EXPECT_EQ(frame().getNbViews(), 11);
}

TEST_F(EditorWiring, ASecondOpenReplacesTheFirstTree)
{
    openAndPaint();
    EXPECT_EQ(headless::environment().windows.size(), 1u);
}

TEST_F(EditorWiring, DestroyingTheEffectWithItsEditorOpenLeavesNothingBehind)
{
    effect.reset();
    EXPECT_TRUE(headless::environment().windows.empty());
    EXPECT_EQ(headless::environment().oleDepth, 0);
}

TEST(EditorSize, KnownBeforeTheFirstOpen)
{
    qm07test::ScriptedHost::instance() = qm07test::ScriptedHost();
    TarvelCompressor effect(&qm07test::ScriptedHost::callback, createCompressorEditor);
    EXPECT_EQ(effect.getAeffect()->flags & effFlagsHasEditor, effFlagsHasEditor);
    ERect* rect = nullptr;
    ASSERT_TRUE(effect.getEditor()->getRect(&rect));
    EXPECT_EQ((std::vector<int>{rect->top, rect->left, rect->bottom, rect->right}),
              (std::vector<int>{0, 0, 220, 800}));
}

TEST(NeedleFrame, ReadingsMapOntoTheHundredFrames)
{
    const struct
    {
        double reading;
        std::int32_t frame;
    } cases[] = {{-3.0, 0}, {1e-25, 0}, {10.0, 49}, {19.9, 98}, {20.0, 99}, {35.0, 99}, {std::nan(""), 0}};
    for (const auto& c : cases)
        EXPECT_EQ(needleFrame(c.reading, 100), c.frame) << c.reading;
}

} // namespace
