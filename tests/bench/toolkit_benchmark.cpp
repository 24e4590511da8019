// Cost of a full 800 x 220 frame draw against an idle pass that redraws one dirty 80 x 80 knob.
#include "RenderScene.h"

#include "CBitmap.h"
#include "COffscreenContext.h"
#include "HeadlessPlatform.h"
#include "PlatformFrame.h"
#include "RasterState.h"

#include <benchmark/benchmark.h>

#include <memory>

using namespace VSTGUI;

namespace
{

/// An editor-sized frame: background, eight knobs, two levers and a needle strip at editor-like places.
std::unique_ptr<CFrame> buildEditorSizedFrame(void* parentWindow)
{
    auto frame = std::make_unique<CFrame>(CRect(0, 0, 800, 220), parentWindow, nullptr);
    auto* background = new CBitmap(101);
    auto* big = new CBitmap(102);
    auto* middle = new CBitmap(103);
    auto* small = new CBitmap(104);
    auto* needle = new CBitmap(105);
    auto* lever = new CBitmap(106);
    frame->setBackground(background);
    for (std::int32_t i = 0; i < 3; ++i)
        frame->addView(new qm07test::StripView(CRect(30 + 100 * i, 30, 110 + 100 * i, 110), big, 48));
    for (std::int32_t i = 0; i < 4; ++i)
        frame->addView(new qm07test::StripView(CRect(30 + 80 * i, 140, 90 + 80 * i, 200), middle, 30));
    frame->addView(new qm07test::StripView(CRect(400, 150, 440, 190), small, 96));
    frame->addView(new qm07test::StripView(CRect(590, 20, 770, 100), needle, 40));
    frame->addView(new qm07test::StripView(CRect(480, 150, 520, 190), lever, 1));
    frame->addView(new qm07test::StripView(CRect(540, 150, 580, 190), lever, 2));
    for (CBitmap* bitmap : {background, big, middle, small, needle, lever})
        bitmap->forget();
    return frame;
}

void fullFrameDraw(benchmark::State& state)
{
    std::unique_ptr<CFrame> frame = buildEditorSizedFrame(nullptr);
    COffscreenContext* backBuffer = frame->getBackBuffer();
    for (auto _ : state)
    {
        frame->draw(backBuffer);
        benchmark::DoNotOptimize(raster::surfaceOf(backBuffer)->pixel(400, 110));
    }
}
BENCHMARK(fullFrameDraw)->Unit(benchmark::kMicrosecond);

void oneKnobIdlePass(benchmark::State& state)
{
    headless::Window host;
    std::unique_ptr<CFrame> frame = buildEditorSizedFrame(&host);
    auto* window = static_cast<headless::Window*>(frame->getWindow());
    headless::invalidateWindow(*window, CRect(0, 0, 800, 220));
    platform::dispatchPendingPaint();
    auto* knob = static_cast<qm07test::StripView*>(frame->getView(0));
    std::int32_t frameIndex = 0;
    for (auto _ : state)
    {
        knob->frame = (frameIndex = (frameIndex + 1) % 97);
        knob->setDirty(true);
        frame->idle(); // redraws the knob into the back buffer and copies the frame to the window
        benchmark::DoNotOptimize(window->surface->pixel(70, 70));
    }
}
BENCHMARK(oneKnobIdlePass)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
