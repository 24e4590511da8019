// Views and a frame host that record what reaches them, PNG encoding for test images, a fresh headless
// platform.
#pragma once

#include "CDrawContext.h"
#include "CFrameHost.h"
#include "CView.h"
#include "HeadlessPlatform.h"
#include "PlatformFrame.h"
#include "RasterState.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace qm07test
{

using Log = std::vector<std::string>;

/// A view that logs every event, counts its draws and paints itself in one colour.
class ProbeView : public VSTGUI::CView
{
public:
    ProbeView(const VSTGUI::CRect& rect, std::string viewName, Log* sharedLog = nullptr,
              bool* destroyedFlag = nullptr);
    ~ProbeView() override;

    void draw(VSTGUI::CDrawContext* context) override;
    void mouse(VSTGUI::CDrawContext* context, const VSTGUI::CPoint& where, std::int32_t buttons) override;
    std::int32_t onKeyDown(VSTGUI::CKeyCode& keyCode) override;
    std::int32_t onKeyUp(VSTGUI::CKeyCode& keyCode) override;
    bool onWheel(VSTGUI::CDrawContext* context, const VSTGUI::CPoint& where, float distance) override;
    bool onDrop(VSTGUI::CDrawContext* context, VSTGUI::CDragContainer* drag,
                const VSTGUI::CPoint& where) override;
    void onDragEnter(VSTGUI::CDrawContext* context, VSTGUI::CDragContainer* drag,
                     const VSTGUI::CPoint& where) override;
    void onDragLeave(VSTGUI::CDrawContext* context, VSTGUI::CDragContainer* drag,
                     const VSTGUI::CPoint& where) override;
    void onDragMove(VSTGUI::CDrawContext* context, VSTGUI::CDragContainer* drag,
                    const VSTGUI::CPoint& where) override;
    void looseFocus(VSTGUI::CDrawContext* context) override;

    std::string name;
    Log* log;
    bool* destroyed;
    int draws = 0;
    VSTGUI::CRect lastDrawClip; ///< clip of the last draw, in the context's coordinates
    VSTGUI::CPoint lastWhere;   ///< position of the last mouse or wheel event
    std::int32_t lastButtons = 0;
    std::int32_t keyResult = -1; ///< what onKeyDown and onKeyUp answer
    bool wheelResult = true;
    bool dropResult = true;
    VSTGUI::CColor color{200, 100, 50, 255};

private:
    void record(const std::string& event);
};

/// A frame host that logs every call and answers as scripted.
class ScriptedFrameHost : public VSTGUI::CFrameHost
{
public:
    virtual ~ScriptedFrameHost() = default;
    void beginEdit(std::int32_t index) override { log.push_back("beginEdit " + std::to_string(index)); }
    void endEdit(std::int32_t index) override { log.push_back("endEdit " + std::to_string(index)); }
    void doIdleStuff() override { log.push_back("idle"); }
    std::int32_t getKnobMode() const override { return knobMode; }
    bool requestSize(std::int32_t width, std::int32_t height) override
    {
        log.push_back("size " + std::to_string(width) + "x" + std::to_string(height));
        return sizeAnswer;
    }

    Log log;
    std::int32_t knobMode = 0;
    bool sizeAnswer = false;
};

/// PNG bytes of `rgba` (width x height x channels, rows top-down), made with stb_image_write.
std::vector<unsigned char> encodePng(int width, int height, int channels,
                                     const std::vector<std::uint8_t>& pixels);
/// Writes a surface as an RGBA PNG file, un-premultiplying it.
bool writeSurfacePng(const std::string& path, const VSTGUI::raster::Surface& surface);
/// Reads a PNG file as premultiplied pixels; empty surface when it cannot be read.
VSTGUI::raster::Surface readSurfacePng(const std::string& path);

/// Pixels that differ between two surfaces of the same size; the difference image marks them red.
std::int32_t countDifferences(const VSTGUI::raster::Surface& a, const VSTGUI::raster::Surface& b,
                              VSTGUI::raster::Surface& difference);
/// Compares with <goldenDir>/<name>.png, writing the actual and a difference image into outDir on
/// failure; QM07_UPDATE_GOLDENS=1 (set only by tests/update-goldens.sh) writes the golden instead.
void expectMatchesGolden(const VSTGUI::raster::Surface& actual, const std::string& name,
                         const std::string& goldenDir, const std::string& outDir);

/// Every test starts from the state of a fresh process: no buttons, pointer at (0, 0), tick 0.
class HeadlessToolkitTest : public ::testing::Test
{
protected:
    void SetUp() override { VSTGUI::headless::resetEnvironment(); }
};

constexpr std::uint32_t rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b)
{
    return VSTGUI::raster::opaquePixel(VSTGUI::CColor{r, g, b, 255});
}

} // namespace qm07test
