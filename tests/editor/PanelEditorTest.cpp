// The panel's editor for the other formats on a headless parent: what it adds to the panel the VST editor
// shares (whose values, bad indices and editor thread are tested there): its parent, its idle, the edit
// bracket to its PanelHost at the linear rate, the needle at the reading it is given.
#include "PanelEditor.h"
#include "CFrame.h"
#include "EditorTestSupport.h"
#include "PanelLayout.h"

#include <algorithm>
#include <array>
#include <string>
#include <thread>

using namespace VSTGUI;
using namespace qm07;

namespace
{

/// Records the edit calls as letters ('b'egin, 'p'erform, 'e'nd) and the parameters they were for.
class RecordingHost final : public PanelHost
{
public:
    float parameterValue(std::int32_t index) override { return values.at(index); }
    void beginEdit(std::int32_t index) override { record('b', index); }
    void performEdit(std::int32_t index, float normalized) override
    {
        values.at(index) = normalized;
        record('p', index);
    }
    void endEdit(std::int32_t index) override { record('e', index); }

    std::array<float, kNumParams> values{};
    std::string calls;
    std::vector<std::int32_t> indices;

private:
    void record(char what, std::int32_t index)
    {
        calls += what;
        indices.push_back(index);
    }
};

class PanelEditorTest : public qm07test::HeadlessToolkitTest
{
protected:
    void SetUp() override
    {
        HeadlessToolkitTest::SetUp();
        headless::environment().ticks = 1000;
        parent.width = kPanelWidth;
        parent.height = kPanelHeight;
        host.values[kRatio] = 0.25f;
        ASSERT_TRUE(editor.open(&parent));
        headless::invalidateWindow(window(), CRect(0, 0, parent.width, parent.height));
        platform::dispatchPendingPaint();
    }

    headless::Window& window() { return *static_cast<headless::Window*>(editor.window()); }
    CControl* control(std::int32_t tag) { return qm07test::controlOf(*window().frame, tag); }

    headless::Window parent;
    RecordingHost host;
    PanelEditor editor{host};
};

TEST_F(PanelEditorTest, OpensAChildOfTheParentShowsOtherThreadsChangesAtIdleAndClosesWithoutATrace)
{
    EXPECT_EQ(window().parent, &parent);
    EXPECT_EQ(control(kRatio)->getValue(), 0.25f);
    host.values[kRatio] = 0.8f;
    std::thread([this] { editor.parameterChangedAnyThread(kRatio); }).join();
    editor.idle();
    EXPECT_EQ(control(kRatio)->getValue(), 0.8f);

    editor.close();
    EXPECT_FALSE(editor.isOpen());
    EXPECT_EQ(editor.window(), nullptr);
    EXPECT_TRUE(headless::environment().windows.empty());
    EXPECT_EQ(headless::environment().oleDepth, 0);
}

TEST_F(PanelEditorTest, ADragReachesTheHostAsOneEditBracketAtTheLinearRate)
{
    CRect knob;
    control(kThresh)->getViewSize(knob);
    const CPoint centre((knob.left + knob.right) / 2, (knob.top + knob.bottom) / 2);
    // 100 px to the right is half the travel when dragging linearly; circular dragging would differ.
    qm07test::playGesture(*window().frame, centre, kLButton, {{{centre.h + 100, centre.v}, kLButton}});

    EXPECT_EQ(host.calls.find_first_not_of('p', 1), host.calls.size() - 1) << host.calls;
    EXPECT_EQ(host.calls.front(), 'b');
    EXPECT_EQ(host.calls.back(), 'e');
    EXPECT_EQ(host.indices, std::vector<std::int32_t>(host.calls.size(), kThresh));
    EXPECT_NEAR(host.values[kThresh], 0.5f, 1e-5f);
    EXPECT_NEAR(control(kThresh)->getValue(), 0.5f, 1e-5f);
}

TEST_F(PanelEditorTest, TheNeedleShowsTheReadingItWasGiven)
{
    // The goldens show the VST editor's meter at rest and at a steady 10 dB.
    const std::pair<double, const char*> readings[] = {
        {10.0, "editor-moved"}, {0.0, "editor-defaults"}, {-4.0, "editor-defaults"}};
    const auto* meter =
        std::find_if(std::begin(layout::kControls), std::end(layout::kControls),
                     [](const auto& place) { return place.kind == layout::ControlKind::kMeter; });
    for (const auto& [dB, name] : readings)
    {
        editor.showGainReduction(dB);
        editor.idle();
        const raster::Surface golden =
            qm07test::readSurfacePng(std::string(QM07_GOLDEN_DIR) + "/" + name + ".png");
        ASSERT_EQ(golden.getWidth(), kPanelWidth);
        std::int32_t differences = 0;
        for (std::int32_t y = meter->rect[1]; y < meter->rect[3]; ++y)
            for (std::int32_t x = meter->rect[0]; x < meter->rect[2]; ++x)
                differences += window().surface->pixel(x, y) != golden.pixel(x, y);
        EXPECT_EQ(differences, 0) << dB;
    }
}

} // namespace
