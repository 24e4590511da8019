// The panel's editor for the other formats on a headless parent: open and close, a drag as one edit
// bracket to its PanelHost, changes from another thread at the next idle, the needle for a given reading.
#include "PanelEditor.h"
#include "CFrame.h"
#include "EditorTestSupport.h"
#include "PanelLayout.h"

#include <array>
#include <thread>

using namespace VSTGUI;
using namespace qm07;

namespace
{

struct Call
{
    char what; // 'b'egin, 'p'erform, 'e'nd
    std::int32_t index;
    float value;
};

const qm07::layout::Placement& placeOf(qm07::layout::ControlKind kind, std::int32_t tag)
{
    for (const auto& place : qm07::layout::kControls)
        if (place.kind == kind && place.tag == tag) return place;
    ADD_FAILURE() << "no such control";
    return qm07::layout::kControls[0];
}

class RecordingHost final : public qm07::PanelHost
{
public:
    float parameterValue(std::int32_t index) override { return values.at(index); }
    void beginEdit(std::int32_t index) override { calls.push_back({'b', index, 0.0f}); }
    void performEdit(std::int32_t index, float normalized) override
    {
        values.at(index) = normalized;
        calls.push_back({'p', index, normalized});
    }
    void endEdit(std::int32_t index) override { calls.push_back({'e', index, 0.0f}); }

    std::array<float, kNumParams> values{};
    std::vector<Call> calls;
};

class PanelEditorTest : public qm07test::HeadlessToolkitTest
{
protected:
    void SetUp() override
    {
        HeadlessToolkitTest::SetUp();
        headless::environment().ticks = 1000;
        parent.width = qm07::kPanelWidth;
        parent.height = qm07::kPanelHeight;
        host.values[kRatio] = 0.25f;
        ASSERT_TRUE(editor.open(&parent));
        headless::invalidateWindow(window(), CRect(0, 0, parent.width, parent.height));
        platform::dispatchPendingPaint();
    }

    headless::Window& window() { return *static_cast<headless::Window*>(editor.window()); }
    CFrame& frame() { return *window().frame; }
    CControl* control(std::int32_t tag)
    {
        for (std::int32_t i = 0; i < frame().getNbViews(); ++i)
            if (qm07::layout::kControls[i].tag == tag) return static_cast<CControl*>(frame().getView(i));
        return nullptr;
    }

    headless::Window parent;
    RecordingHost host;
    qm07::PanelEditor editor{host};
};

// The panel's own wiring (values, bad indices, the editor thread) is the VST editor's too, tested there.
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
    const auto& thresh = placeOf(qm07::layout::ControlKind::kKnob, kThresh).rect;
    const CPoint centre((thresh[0] + thresh[2]) / 2, (thresh[1] + thresh[3]) / 2);
    // 100 px to the right is half the travel when dragging linearly; circular dragging would differ.
    qm07test::playGesture(frame(), centre, kLButton, {{{centre.h + 100, centre.v}, kLButton}});

    ASSERT_GE(host.calls.size(), 3u);
    EXPECT_EQ(host.calls.front().what, 'b');
    EXPECT_EQ(host.calls.back().what, 'e');
    for (const Call& call : host.calls)
        EXPECT_EQ(call.index, kThresh) << call.what;
    for (std::size_t i = 1; i + 1 < host.calls.size(); ++i)
        EXPECT_EQ(host.calls[i].what, 'p') << i;
    EXPECT_NEAR(host.calls[host.calls.size() - 2].value, 0.5f, 1e-5f);
    EXPECT_NEAR(control(kThresh)->getValue(), 0.5f, 1e-5f);
}

TEST_F(PanelEditorTest, TheNeedleShowsTheReadingItWasGiven)
{
    // The goldens show the VST editor's meter at rest and at a steady 10 dB.
    const struct
    {
        double dB;
        const char* golden;
    } readings[] = {{10.0, "editor-moved"}, {0.0, "editor-defaults"}, {-4.0, "editor-defaults"}};
    const auto& meter = placeOf(qm07::layout::ControlKind::kMeter, qm07::layout::kNoParameter).rect;
    for (const auto& reading : readings)
    {
        editor.showGainReduction(reading.dB);
        editor.idle();
        const raster::Surface golden =
            qm07test::readSurfacePng(std::string(QM07_GOLDEN_DIR) + "/" + reading.golden + ".png");
        ASSERT_EQ(golden.getWidth(), qm07::kPanelWidth);
        std::int32_t differences = 0;
        for (std::int32_t y = meter[1]; y < meter[3]; ++y)
            for (std::int32_t x = meter[0]; x < meter[2]; ++x)
                differences += window().surface->pixel(x, y) != golden.pixel(x, y);
        EXPECT_EQ(differences, 0) << reading.dB;
    }
}

} // namespace
