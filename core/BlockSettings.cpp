// Parameter values to the engine's block constants; the ratio's root and the knee product are
// single-precision steps.
#include "BlockSettings.h"

#include <cmath>

BlockSettings blockSettingsFrom(const qm07::ParameterValues& values)
{
    using namespace qm07;
    BlockSettings s;
    s.scMode = positionByThirds(values[kScMode]);
    s.push = positionByThirds(values[kPush]);
    s.slope = std::sqrt(values[kRatio]);
    s.threshold = -40.0 * values[kThresh] - 9.0 * s.push;
    const float kneeShare = values[kKneePct] * values[kKneeDb];
    s.kneeWidth = 24.0 * kneeShare;
    s.halfKnee = 0.5 * s.kneeWidth;
    s.makeupDb = 24.0 * values[kGain];
    s.dry = values[kWetDry];
    s.wet = 1.0 - s.dry;
    s.pushDepth = 2.0 * s.push;
    return s;
}
