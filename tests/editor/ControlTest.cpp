// Knobs and levers of the open editor under scripted pointer, wheel and keys, and film-strip frame choice.
#include "CAnimKnob.h"
#include "CBitmap.h"
#include "COffscreenContext.h"
#include "EditorTestSupport.h"

#include <cmath>
#include <limits>

using namespace qm07;

using namespace VSTGUI;
using qm07test::PointerStep;

namespace
{

constexpr CPoint kThreshCentre(175, 60);
constexpr CPoint kRatioCentre(305, 60);
constexpr std::int32_t kL = kLButton;

struct DragCase
{
    const char* name;
    std::int32_t knobMode;
    float start;
    CPoint press;
    std::int32_t buttons;
    std::vector<PointerStep> path;
    float expected;
};

class KnobDrag : public qm07test::EditorTest, public ::testing::WithParamInterface<DragCase>
{
};

TEST_P(KnobDrag, EndsAtTheExpectedValueInsideOneEditBracket)
{
    const DragCase& drag = GetParam();
    effect->setParameter(kThresh, drag.start);
    editor().setKnobMode(drag.knobMode);
    gesture(drag.press, drag.buttons, drag.path);

    EXPECT_NEAR(effect->getParameter(kThresh), drag.expected, 1e-5f);
    EXPECT_NEAR(control(kThresh)->getValue(), drag.expected, 1e-5f);
    const std::vector<std::int32_t> requests = editRequests();
    ASSERT_GE(requests.size(), 3u);
    EXPECT_EQ(requests.front(), audioMasterBeginEdit);
    EXPECT_EQ(requests.back(), audioMasterEndEdit);
    ASSERT_FALSE(automated(kThresh).empty());
    EXPECT_NEAR(automated(kThresh).back(), drag.expected, 1e-5f);
}

const DragCase kDrags[] = {
    {"LinearUp200IsTheFullRange", kLinearMode, 0.0f, kThreshCentre, kL, {{{175, -140}, kL}}, 1.0f},
    {"LinearRight100IsHalf", kLinearMode, 0.0f, kThreshCentre, kL, {{{275, 60}, kL}}, 0.5f},
    {"LinearDownClampsAtTheMinimum", kLinearMode, 0.5f, kThreshCentre, kL, {{{175, 360}, kL}}, 0.0f},
    {"ShiftMakesItThreeHundredPixels",
     kLinearMode,
     0.0f,
     kThreshCentre,
     kL | kShift,
     {{{175, -90}, kL | kShift}},
     0.5f},
    // The new rate takes over from the value reached: without that, the whole 130 px would count at
    // the new rate (0.433 and 0.65). The move on which the change is seen still counts at the old rate.
    {"ShiftPressedMidDragDoesNotJump",
     kLinearMode,
     0.0f,
     kThreshCentre,
     kL,
     {{{175, -40}, kL}, {{175, -40}, kL | kShift}, {{175, -70}, kL | kShift}, {{175, -100}, kL | kShift}},
     0.75f},
    {"ShiftReleasedMidDragDoesNotJump",
     kLinearMode,
     0.0f,
     kThreshCentre,
     kL | kShift,
     {{{175, -40}, kL | kShift}, {{175, -40}, kL}, {{175, -70}, kL}, {{175, -100}, kL}},
     100.0f / 300.0f + 30.0f / 300.0f + 30.0f / 200.0f},
    // Circular: the top of the knob is the middle, its right edge two thirds of the travel further.
    {"AltMakesLinearModeCircular",
     kLinearMode,
     0.2f,
     {175, 20},
     kL | kAlt,
     {{{215, 60}, kL | kAlt}},
     1.0f - 1.0f / 6.0f},
    {"AltMakesCircularModeLinear",
     kCircularMode,
     0.0f,
     kThreshCentre,
     kL | kAlt,
     {{{175, -40}, kL | kAlt}},
     0.5f},
    {"CircularAcrossTheGapFromMaximumStaysAtMaximum",
     kCircularMode,
     0.5f,
     {205, 95},
     kL,
     {{{175, 99}, kL}, {{145, 95}, kL}},
     1.0f},
    {"CircularAcrossTheGapFromMinimumStaysAtMinimum",
     kCircularMode,
     0.5f,
     {145, 95},
     kL,
     {{{175, 99}, kL}, {{205, 95}, kL}},
     0.0f},
};

INSTANTIATE_TEST_SUITE_P(Knob, KnobDrag, ::testing::ValuesIn(kDrags),
                         [](const auto& test) { return std::string(test.param.name); });

using ControlTest = qm07test::EditorTest;

TEST_F(ControlTest, KnobAnglesPutMinimumMiddleAndMaximumOnTheirMarks)
{
    auto* knob = static_cast<CKnob*>(control(kThresh));
    const struct
    {
        float value;
        CPoint point;
    } marks[] = {{0.0f, {12, 68}}, {0.5f, {40, 0}}, {1.0f, {68, 68}}};
    for (const auto& mark : marks)
    {
        knob->setValue(mark.value);
        CPoint point;
        knob->valueToPoint(point);
        EXPECT_EQ(point, mark.point) << mark.value;
        EXPECT_NEAR(knob->valueFromPoint(point), mark.value, 0.02f) << mark.value;
    }
    CPoint bottom(40, 79);
    EXPECT_EQ(knob->valueFromPoint(bottom), 0.0f) << "the exact bottom belongs to the minimum";
}

TEST_F(ControlTest, WheelAndArrowKeysStepByATenthAndAHundredthWithShift)
{
    gesture(kRatioCentre, kL); // the knob takes the keyboard focus
    const struct
    {
        const char* name;
        float start;
        float wheel; // 0: a key instead
        unsigned char key;
        bool shift;
        float expected;
    } steps[] = {
        {"wheel up", 0.5f, 1.0f, 0, false, 0.6f},
        {"two notches down", 0.5f, -2.0f, 0, false, 0.3f},
        {"wheel with Shift", 0.5f, 1.0f, 0, true, 0.51f},
        {"wheel clamps", 0.9f, 3.0f, 0, false, 1.0f},
        {"up", 0.5f, 0.0f, VKEY_UP, false, 0.6f},
        {"right", 0.5f, 0.0f, VKEY_RIGHT, false, 0.6f},
        {"down", 0.5f, 0.0f, VKEY_DOWN, false, 0.4f},
        {"left with Shift", 0.5f, 0.0f, VKEY_LEFT, true, 0.49f},
        {"left clamps", 0.05f, 0.0f, VKEY_LEFT, false, 0.0f},
    };
    headless::environment().pointer = kRatioCentre;
    for (const auto& step : steps)
    {
        effect->setParameter(kRatio, step.start);
        qm07test::ScriptedHost::instance().requests.clear();
        headless::environment().buttons = step.shift ? kShift : 0;
        VstKeyCode key{0, step.key, static_cast<unsigned char>(step.shift ? MODIFIER_SHIFT : 0)};
        EXPECT_TRUE(step.wheel != 0.0f ? editor().onWheel(step.wheel) : editor().onKeyDown(key)) << step.name;
        EXPECT_NEAR(effect->getParameter(kRatio), step.expected, 1e-6f) << step.name;
        EXPECT_EQ(editRequests(),
                  (std::vector<std::int32_t>{audioMasterBeginEdit, audioMasterAutomate, audioMasterEndEdit}))
            << step.name;
    }
    VstKeyCode letter{'a', 0, 0};
    EXPECT_FALSE(editor().onKeyDown(letter));
}

TEST_F(ControlTest, ControlClickRestoresTheDefaultAndShiftControlClickDoesNot)
{
    const struct
    {
        std::int32_t tag;
        CPoint where;
        std::int32_t buttons;
        float expected;
    } clicks[] = {
        {kThresh, kThreshCentre, kL | kControl, 0.5f},
        {kScMode, {600, 170}, kL | kControl, 0.0f},
        {kAttack, {110, 160}, kL | kControl, 0.375f},
        {kThresh, kThreshCentre, kL | kControl | kShift, 0.9f},
    };
    for (const auto& click : clicks)
    {
        effect->setParameter(click.tag, 0.9f);
        editor().idle();
        qm07test::ScriptedHost::instance().requests.clear();
        gesture(click.where, click.buttons);
        EXPECT_FLOAT_EQ(effect->getParameter(click.tag), click.expected) << click.tag;
        const std::vector<std::int32_t> requests = editRequests();
        ASSERT_FALSE(requests.empty());
        EXPECT_EQ(requests.front(), audioMasterBeginEdit);
        EXPECT_EQ(requests.back(), audioMasterEndEdit);
    }
}

TEST_F(ControlTest, LeverPositionFollowsThePointerColumnUntilTheButtonsChange)
{
    const struct
    {
        std::int32_t x; // pointer, from the lever's left edge
        std::int32_t buttonsThere;
        float expected;
    } moves[] = {
        {0, kL, 0.0f},  {13, kL, 0.0f},  {14, kL, 0.5f}, {26, kL, 0.5f},          {27, kL, 1.0f},
        {39, kL, 1.0f}, {-30, kL, 0.0f}, {60, kL, 1.0f}, {39, kL | kShift, 0.5f}, // Shift ends the drag
                                                                                  // before the move is seen
    };
    for (const auto& move : moves)
    {
        effect->setParameter(kScMode, 0.0f);
        gesture({600, 170}, kL, {{{580 + move.x, 170}, move.buttonsThere}});
        EXPECT_EQ(effect->getParameter(kScMode), move.expected) << move.x;
    }
}

TEST(AnimKnobFrames, ValueChoosesTheFrameOfTheStrip)
{
    auto* strip = new CBitmap(102);
    const struct
    {
        float value;
        bool inverted;
        std::int32_t frame;
    } cases[] = {
        {0.0f, false, 0},    {0.5f, false, 48},
        {1.0f, false, 96},   {0.0104f, false, 0},
        {0.0105f, false, 1}, {0.0f, true, 96},
        {1.0f, true, 0},     {std::numeric_limits<float>::quiet_NaN(), false, 0},
    };
    for (const auto& c : cases)
    {
        CAnimKnob knob(CRect(0, 0, 80, 80), nullptr, 0, 97, 80, strip);
        knob.setInverse(c.inverted);
        knob.setValue(c.value);
        COffscreenContext drawn(nullptr, 80, 80);
        knob.draw(&drawn);
        COffscreenContext expected(nullptr, 80, 80);
        strip->draw(&expected, CRect(0, 0, 80, 80), CPoint(0, c.frame * 80));
        raster::Surface difference(80, 80);
        EXPECT_EQ(0, qm07test::countDifferences(*raster::surfaceOf(&drawn), *raster::surfaceOf(&expected),
                                                difference))
            << c.value << (c.inverted ? " inverted" : "");
        EXPECT_FALSE(knob.isDirty());
    }
    strip->forget();
}

} // namespace
