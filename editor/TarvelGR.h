// The needle meter of gain reduction: one frame of the needle strip, chosen from the latest reading.
#pragma once

#include "CControl.h"

#include <cstdint>

namespace qm07
{

/// The needle frame for a reading in dB: 0 at 0 dB and below, the last frame only at 20 dB and above.
std::int32_t needleFrame(double reading, std::int32_t frameCount);

/// User-interface thread only. It shows the reading it was last given, wherever that was measured: the
/// effect's feed in the same process, or a meter port of a DSP running apart.
class TarvelGR : public VSTGUI::CControl
{
public:
    /// Keeps a reference on the strip; starts at rest.
    TarvelGR(const VSTGUI::CRect& size, VSTGUI::CBitmap* filmStrip, std::int32_t frameCount);
    ~TarvelGR() override;

    /// Shown at the next redraw.
    void setReading(double dB) { reading = dB; }

    void draw(VSTGUI::CDrawContext* context) override;
    /// Only the view's flag: the value never moves, so the meter stays dirty and every idle redraws it.
    void setDirty(bool state = true) override;
    bool isTypeOf(const char* className) const override;

private:
    VSTGUI::CBitmap* filmStrip;
    std::int32_t frameCount;
    double reading = 0.0;
};

} // namespace qm07
