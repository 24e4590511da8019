// Render tests: the scene drawn by the software renderer against golden images, full and partial redraws.
#include "RenderScene.h"
#include "ToolkitTestSupport.h"

#include "COffscreenContext.h"
#include "Surface.h"

#include <memory>

using namespace VSTGUI;

namespace
{

void expectMatchesGolden(const raster::Surface& actual, const std::string& name)
{
    qm07test::expectMatchesGolden(actual, name, QM07_GOLDEN_DIR, QM07_RENDER_OUT_DIR);
}

class RenderTest : public qm07test::HeadlessToolkitTest
{
protected:
    void SetUp() override
    {
        HeadlessToolkitTest::SetUp();
        frame.reset(qm07test::buildRenderScene(nullptr));
    }

    const raster::Surface& drawWhole()
    {
        COffscreenContext* buffer = frame->getBackBuffer();
        frame->draw(buffer);
        return *raster::surfaceOf(buffer);
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
    headless::Window host;
    frame.reset(qm07test::buildRenderScene(&host));
    auto* window = static_cast<headless::Window*>(frame->getWindow());
    headless::invalidateWindow(*window, qm07test::kRenderSceneSize);
    platform::dispatchPendingPaint();

    qm07test::turnFirstKnob(*frame, 60);
    frame->idle();
    const raster::Surface partial = *window->surface;

    std::unique_ptr<CFrame> fresh(qm07test::buildRenderScene(nullptr));
    qm07test::turnFirstKnob(*fresh, 60);
    COffscreenContext* buffer = fresh->getBackBuffer();
    fresh->draw(buffer);
    raster::Surface difference(partial.getWidth(), partial.getHeight());
    EXPECT_EQ(0, qm07test::countDifferences(partial, *raster::surfaceOf(buffer), difference));
}

} // namespace
