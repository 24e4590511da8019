// The needle meter of gain reduction: one frame of the needle strip, chosen from the engine's reading.
#pragma once

#include "CControl.h"

#include <cstdint>

class GainReductionFeed;

/// The needle frame for a reading in dB: 0 at 0 dB and below, the last frame only at 20 dB and above.
std::int32_t needleFrame(double reading, std::int32_t frameCount);

/// User-interface thread only. The audio thread never touches the meter: it writes the effect's feed,
/// which outlives every meter, and the meter reads the feed when it draws.
class TarvelGR : public VSTGUI::CControl
{
public:
    /// Keeps a reference on the strip.
    TarvelGR(const VSTGUI::CRect& size, VSTGUI::CBitmap* filmStrip, const GainReductionFeed& feed);
    ~TarvelGR() override;

    void draw(VSTGUI::CDrawContext* context) override;
    /// Only the view's flag: the value never moves, so the meter stays dirty and every idle redraws it.
    void setDirty(bool state = true) override;
    bool isTypeOf(const char* className) const override;

private:
    const GainReductionFeed& feed;
    VSTGUI::CBitmap* filmStrip;
    std::int32_t frameCount = 100;
};
