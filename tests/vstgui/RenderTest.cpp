// Render tests: the scene drawn by the software back end against golden images, full and partial redraws.
#include "RenderScene.h"
#include "ToolkitTestSupport.h"

#include "COffscreenContext.h"
#include "Surface.h"

#include <memory>

using namespace VSTGUI;

namespace
{

void expectMatchesGolden(const soft::Surface& actual, const std::string& name)
{
    qm07test::expectMatchesGolden(actual, name, QM07_GOLDEN_DIR, QM07_RENDER_OUT_DIR);
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
    EXPECT_EQ(0, qm07test::countDifferences(partial, *buffer->getSurface(), difference));
}

} // namespace
