// The editor's tree, its wiring to the parameters, and its closed state, on the headless back end.
#include "CAnimKnob.h"
#include "CHorizontalSwitch.h"
#include "EditorTestSupport.h"
#include "GainReductionFeed.h"
#include "PanelLayout.h"
#include "TarvelGR.h"

#include <cmath>
#include <iterator>
#include <thread>

using namespace qm07;

using namespace VSTGUI;

namespace
{

using EditorWiring = qm07test::EditorTest;

const char* typeOf(qm07::layout::ControlKind kind)
{
    switch (kind)
    {
    case qm07::layout::ControlKind::kKnob:
        return "CAnimKnob";
    case qm07::layout::ControlKind::kMeter:
        return "TarvelGR";
    case qm07::layout::ControlKind::kLever:
        return "CHorizontalSwitch";
    }
    return "";
}

CRect rectOf(const qm07::layout::Placement& place)
{
    return CRect(place.rect[0], place.rect[1], place.rect[2], place.rect[3]);
}

TEST(PanelLayout, EachParameterOnceAndEveryControlInsideThePanelAsLargeAsItsImageWithoutOverlap)
{
    std::vector<int> controlsOfTag(kNumParams, 0);
    const CRect panel(0, 0, qm07::kPanelWidth, qm07::kPanelHeight);
    for (const auto& place : qm07::layout::kControls)
    {
        SCOPED_TRACE(place.tag);
        const bool meter = place.kind == qm07::layout::ControlKind::kMeter;
        ASSERT_EQ(meter, place.tag == qm07::layout::kNoParameter);
        if (!meter) ++controlsOfTag.at(place.tag);
        const CRect rect = rectOf(place);
        CRect inside = rect;
        EXPECT_EQ(inside.bound(panel), rect);
        const auto& image = qm07::layout::imageFile(place.image);
        EXPECT_EQ(image.id, place.image);
        EXPECT_EQ(rect.getWidth(), image.frameWidth);
        EXPECT_EQ(rect.getHeight(), image.frameHeight);
        for (const auto& other : qm07::layout::kControls)
            EXPECT_TRUE(&other == &place || !rectOf(other).overlaps(rect)) << other.tag;
    }
    EXPECT_EQ(controlsOfTag, std::vector<int>(kNumParams, 1));
    const auto& background = qm07::layout::imageFile(qm07::layout::kBackgroundImage);
    EXPECT_EQ(CRect(0, 0, background.frameWidth, background.frameHeight), panel);
}

TEST_F(EditorWiring, ControlsOfTheLayoutWithTagsValuesAndDefaults)
{
    const float defaults[kNumParams] = {0.5f, 0.5f, 0.0f, 0.375f, 0.5f, 0.375f, 0.0f, 0.0f, 0.0f, 0.0f};
    ASSERT_EQ(frame().getNbViews(), static_cast<std::int32_t>(std::size(qm07::layout::kControls)));
    for (std::int32_t i = 0; i < frame().getNbViews(); ++i)
    {
        const auto& place = qm07::layout::kControls[i];
        auto* view = static_cast<CControl*>(frame().getView(i));
        CRect rect;
        EXPECT_TRUE(view->isTypeOf(typeOf(place.kind))) << i;
        EXPECT_EQ(view->getViewSize(rect), rectOf(place)) << i;
        if (place.tag == qm07::layout::kNoParameter) continue;
        EXPECT_EQ(view->getTag(), place.tag);
        EXPECT_EQ(view->getDefaultValue(), defaults[place.tag]) << i;
        EXPECT_EQ(view->getValue(), effect->getParameter(place.tag)) << i;
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
        EXPECT_EQ(qm07::needleFrame(c.reading, 100), c.frame) << c.reading;
}

} // namespace
