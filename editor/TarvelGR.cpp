// Needle frame choice and drawing.
#include "TarvelGR.h"

#include "CBitmap.h"

#include <cstring>

using namespace VSTGUI;

namespace qm07
{

namespace
{
constexpr double kFullScaleDb = 20.0;
}

std::int32_t needleFrame(double reading, std::int32_t frameCount)
{
    // NaN lands at rest with the negative readings.
    const double shown = reading > 0.0 ? (reading < kFullScaleDb ? reading : kFullScaleDb) : 0.0;
    return static_cast<std::int32_t>((frameCount - 1) * (shown / kFullScaleDb));
}

TarvelGR::TarvelGR(const CRect& rect, CBitmap* strip, std::int32_t frames)
    : CControl(rect, nullptr, 0, nullptr), filmStrip(strip), frameCount(frames)
{
    if (filmStrip) filmStrip->remember();
}

TarvelGR::~TarvelGR()
{
    if (filmStrip) filmStrip->forget();
}

void TarvelGR::draw(CDrawContext* context)
{
    if (!filmStrip) return;
    const CPoint offset(0, needleFrame(reading, frameCount) * size.getHeight());
    if (transparencyEnabled)
        filmStrip->drawTransparent(context, size, offset);
    else
        filmStrip->draw(context, size, offset);
    setDirty(false);
}

void TarvelGR::setDirty(bool state)
{
    dirty = state;
}

bool TarvelGR::isTypeOf(const char* className) const
{
    return std::strcmp(className, "TarvelGR") == 0 || CControl::isTypeOf(className);
}

} // namespace qm07
