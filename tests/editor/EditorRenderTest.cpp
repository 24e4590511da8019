// The whole editor drawn on the headless platform against golden images: at its defaults, and with every
// control moved and the needle at 10 dB, redrawn by idle passes.
#include "EditorTestSupport.h"
#include "GainReductionFeed.h"

using namespace qm07;

using namespace VSTGUI;

namespace
{

class EditorRender : public qm07test::EditorTest
{
protected:
    const raster::Surface& window() { return *static_cast<headless::Window*>(frame().getWindow())->surface; }
    void expectGolden(const std::string& name)
    {
        qm07test::expectMatchesGolden(window(), name, QM07_GOLDEN_DIR, QM07_RENDER_OUT_DIR);
    }
};

TEST_F(EditorRender, DefaultsMatchTheGolden)
{
    expectGolden("editor-defaults");
}

TEST_F(EditorRender, EveryControlMovedMatchesTheGolden)
{
    const float moved[kNumParams] = {0.8f, 0.25f, 1.0f, 0.1f, 0.9f, 0.7f, 0.5f, 0.5f, 1.0f, 0.3f};
    for (std::int32_t index = 0; index < kNumParams; ++index)
        effect->setParameter(index, moved[index]);
    // Two seconds of a steady 10 dB reduction bring the reading to 10 dB, less than a frame away.
    for (int n = 0; n < 96000; ++n)
        effect->gainReductionFeed().feed(10.0);
    editor().idle();
    expectGolden("editor-moved");
}

} // namespace
