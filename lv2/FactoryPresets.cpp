// Settings a mix engineer would start from; Ratio 100 is ∞:1, SC Mode and Push are positions.
#include "FactoryPresets.h"

namespace qm07::lv2
{
// Thresh dB, Ratio, Gain dB, Attack ms, Release ms, Knee dB, Knee %, SC Mode, Push, Wet/Dry % dry.
const std::array<FactoryPreset, 4> kFactoryPresets = {{
    {"bus-glue", "Bus glue", {-18, 2, 3, 10, 300, 12, 50, 0, 0, 0}},
    {"vocal-levelling", "Vocal levelling", {-24, 3, 6, 5, 200, 12, 100, 0, 0, 0}},
    // Parallel: the dry share keeps the transients the fast attack flattens.
    {"drum-smash", "Drum smash", {-30, 8, 10, 0.5, 80, 6, 30, 0, 2, 40}},
    // The detector hears the treble lifted and the bass cut, so sibilance drives the reduction.
    {"de-essing-sc-a", "De-essing (side-chain A)", {-26, 4, 0, 1, 60, 6, 50, 1, 0, 0}},
}};
} // namespace qm07::lv2
