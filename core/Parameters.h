// The product's ten parameters: indices, names, units, ranges, real values and their texts.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace qm07
{
enum ParameterIndex : std::int32_t
{
    kThresh = 0,
    kRatio,
    kGain,
    kAttack,
    kRelease,
    kKneeDb,
    kKneePct,
    kScMode,
    kPush,
    kWetDry,
    kNumParams
};

/// Normalized values as stored (0..1), one per parameter in index order.
using ParameterValues = std::array<float, kNumParams>;

struct ParameterInfo
{
    const char* name;       // as VST hosts show it
    const char* label;      // VST label
    const char* symbol;     // stable identifier for LV2 symbols and CLAP module paths
    const char* unit;       // real unit as shown
    double minimum;         // real value at normalized 0
    double maximum;         // real value at normalized 1 (Ratio: +infinity)
    float defaultValue;     // normalized
    std::int32_t positions; // 0 for continuous
};

extern const ParameterInfo kParameters[kNumParams];

/// Whether a number from outside (a tag, an id, an index) names a parameter.
constexpr bool isParameterIndex(std::int64_t index)
{
    return index >= 0 && index < kNumParams;
}
/// Any thread, no allocation.
ParameterValues defaultValues();
/// Position 0, 1 or 2 by thirds: below 0.33333334 is 0, above 0.6666666 is 2, else 1.
int positionByThirds(float value);
/// Clamp to 0..1 (NaN passes through; callers refuse NaN).
float clampUnit(float value);
/// Real value of a stored normalized value; 0 for a bad index.
double realValue(std::int32_t index, float normalized);
/// Inverse of realValue, clamped to 0..1; positions 0, 1, 2 map to 0, 0.5, 1.
float normalizedValue(std::int32_t index, double real);
/// Any thread, no allocation. UTF-8 text in real units, zero-terminated and cut to size; false for a bad
/// index or size 0.
bool formatValue(std::int32_t index, float normalized, char* text, std::size_t size);
/// Any thread, no allocation. The index of a parameter by its name ("Knee dB") or symbol ("knee_db"), either
/// in any ASCII case; -1 for none.
std::int32_t findParameter(const char* name);
/// Any thread, no allocation. Accepts every formatValue text, plain numbers, ASCII '-', with or without
/// the unit; false (normalized untouched) when the text means nothing.
bool parseValue(std::int32_t index, const char* text, float& normalized);
} // namespace qm07
