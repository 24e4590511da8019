// Render tests: the scene drawn by the software back end against golden images, full and partial redraws.
#include "RenderScene.h"
#include "ToolkitTestSupport.h"

#include "COffscreenContext.h"
#include "Surface.h"

#include <cstdlib>
#include <memory>

using namespace VSTGUI;

namespace
{

/// Pixels that differ between two surfaces of the same size; the difference image marks them red.
std::int32_t countDifferences(const soft::Surface& a, const soft::Surface& b, soft::Surface& difference)
{
    std::int32_t count = 0;
    for (std::int32_t y = 0; y < a.getHeight(); ++y)
        for (std::int32_t x = 0; x < a.getWidth(); ++x)
        {
            const bool same = a.pixel(x, y) == b.pixel(x, y);
            count += !same;
            // Matching pixels are dimmed so that the differences stand out.
            difference.setPixel(x, y, same ? ((a.pixel(x, y) >> 2) & 0x3F3F3Fu) | 0xFF000000u : 0xFFFF0000u);
        }
    return count;
}

/// Compares with tests/golden/<name>.png; QM07_UPDATE_GOLDENS=1 (set only by tests/update-goldens.sh)
/// writes the golden instead.
void expectMatchesGolden(const soft::Surface& actual, const std::string& name)
{
    const std::string golden = std::string(QM07_GOLDEN_DIR) + "/" + name + ".png";
    const char* update = std::getenv("QM07_UPDATE_GOLDENS");
    if (update && std::string(update) == "1")
    {
        ASSERT_TRUE(qm07test::writeSurfacePng(golden, actual)) << golden;
        GTEST_SKIP() << "golden rewritten: " << golden;
    }
    const soft::Surface expected = qm07test::readSurfacePng(golden);
    ASSERT_EQ(actual.getWidth(), expected.getWidth()) << "missing or resized golden " << golden;
    ASSERT_EQ(actual.getHeight(), expected.getHeight());
    soft::Surface difference(actual.getWidth(), actual.getHeight());
    const std::int32_t differing = countDifferences(actual, expected, difference);
    if (differing == 0) return;
    const std::string out = std::string(QM07_RENDER_OUT_DIR) + "/" + name;
    qm07test::writeSurfacePng(out + "-actual.png", actual);
    qm07test::writeSurfacePng(out + "-diff.png", difference);
    ADD_FAILURE() << differing << " pixels differ from " << golden << "; see " << out
                  << "-actual.png and -diff.png. If the images or the drawing changed on purpose, "
                  << "run tests/update-goldens.sh.";
}

class RenderTest : public qm07test::SoftToolkitTest
{
protected:
    void SetUp() override
    {
        SoftToolkitTest::SetUp();
        frame.reset(qm07test::buildRenderScene(nullptr));
    }

    const soft::Surface& drawWhole()
    {
        COffscreenContext* buffer = frame->getBackBuffer();
        frame->draw(buffer);
        return *buffer->getSurface();
    }

    std::unique_ptr<CFrame> frame;
};

TEST_F(RenderTest, SceneMatchesItsGolden)
{
    expectMatchesGolden(drawWhole(), "toolkit-scene");
}

TEST_F(RenderTest, SceneWithATurnedKnobMatchesItsGolden)
{
    qm07test::turnFirstKnob(*frame, 60);
    expectMatchesGolden(drawWhole(), "toolkit-scene-turned");
}

TEST_F(RenderTest, IdleRedrawOfOneKnobGivesTheSamePixelsAsAFullDraw)
{
    soft::Window host;
    frame.reset(qm07test::buildRenderScene(&host));
    auto* window = static_cast<soft::Window*>(frame->getWindow());
    soft::invalidateWindow(*window, qm07test::kRenderSceneSize);
    platform::dispatchPendingPaint();

    qm07test::turnFirstKnob(*frame, 60);
    frame->idle();
    const soft::Surface partial = *window->surface;

    std::unique_ptr<CFrame> fresh(qm07test::buildRenderScene(nullptr));
    qm07test::turnFirstKnob(*fresh, 60);
    COffscreenContext* buffer = fresh->getBackBuffer();
    fresh->draw(buffer);
    soft::Surface difference(partial.getWidth(), partial.getHeight());
    EXPECT_EQ(0, countDifferences(partial, *buffer->getSurface(), difference));
}

} // namespace
