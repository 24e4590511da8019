// The parameter table and the curves between stored values, real values and texts.
#include "Parameters.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace qm07
{
namespace
{
constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr const char* kMinus = "\xE2\x88\x92"; // U+2212
constexpr const char* kScModeNames[] = {"Off", "A", "B"};
constexpr const char* kPushNames[] = {"0", "I", "II"};

bool isPosition(std::int32_t index)
{
    return index == kScMode || index == kPush;
}

const char* const* positionNames(std::int32_t index)
{
    return index == kScMode ? kScModeNames : kPushNames;
}

/// Three significant digits without an exponent: 1.61, 29.9, 294, 2000.
int decimalsFor(double value)
{
    if (value < 9.995) return 2;
    if (value < 99.95) return 1;
    return 0;
}

/// Copies at most size − 1 bytes, never ending inside a UTF-8 sequence.
void copyCut(const char* from, char* to, std::size_t size)
{
    std::size_t length = std::strlen(from);
    if (length >= size)
    {
        length = size - 1;
        while (length > 0 && (static_cast<unsigned char>(from[length]) & 0xC0) == 0x80)
            --length;
    }
    std::memcpy(to, from, length);
    to[length] = '\0';
}

void formatNumber(std::int32_t index, double real, char* out, std::size_t size)
{
    const ParameterInfo& info = kParameters[index];
    if (index == kThresh || index == kGain || index == kKneeDb)
    {
        char digits[32];
        std::snprintf(digits, sizeof digits, "%.1f", std::fabs(real));
        const bool negative = real < 0.0 && std::strcmp(digits, "0.0") != 0;
        std::snprintf(out, size, "%s%s dB", negative ? kMinus : "", digits);
    }
    else if (index == kRatio)
    {
        if (std::isinf(real))
            std::snprintf(out, size, "\xE2\x88\x9E:1");
        else
            std::snprintf(out, size, "%.*f:1", decimalsFor(real), real);
    }
    else if (index == kAttack || index == kRelease)
        std::snprintf(out, size, "%.*f ms", decimalsFor(real), real);
    else
        std::snprintf(out, size, "%.0f %s%s", real, info.unit, index == kWetDry ? " dry" : "");
}

/// Whether text starts with word, ignoring ASCII case.
bool startsWithCaseless(const char* text, const char* word)
{
    for (; *word; ++text, ++word)
        if (std::tolower(static_cast<unsigned char>(*text)) !=
            std::tolower(static_cast<unsigned char>(*word)))
            return false;
    return true;
}

const char* skipSpaces(const char* text)
{
    while (*text == ' ' || *text == '\t')
        ++text;
    return text;
}

/// The text after the number may only be spaces and the unit (or one of its accepted spellings).
bool isUnitOnly(std::int32_t index, const char* rest)
{
    rest = skipSpaces(rest);
    if (*rest == '\0') return true;
    const char* units[2] = {kParameters[index].unit, nullptr};
    if (index == kRatio) units[0] = ":1";
    if (index == kWetDry) units[1] = "% dry";
    for (const char* unit : units)
        if (unit && *unit && std::strncmp(rest, unit, std::strlen(unit)) == 0 &&
            *skipSpaces(rest + std::strlen(unit)) == '\0')
            return true;
    return false;
}

bool parsePosition(std::int32_t index, const char* text, float& normalized)
{
    const char* const* names = positionNames(index);
    for (int position = 0; position < 3; ++position)
    {
        const char digit[2] = {static_cast<char>('0' + position), '\0'};
        const std::size_t length = std::strlen(names[position]);
        const bool named = startsWithCaseless(text, names[position]) && *skipSpaces(text + length) == '\0';
        if (named || (*skipSpaces(text + 1) == '\0' && text[0] == digit[0]))
        {
            normalized = normalizedValue(index, position);
            return true;
        }
    }
    return false;
}

bool parseInfinity(const char* text)
{
    for (const char* word : {"\xE2\x88\x9E", "inf"})
        if (startsWithCaseless(text, word)) return isUnitOnly(kRatio, text + std::strlen(word));
    return false;
}

/// The number with U+2212 read as '-'; false unless digits were found.
bool parseNumber(const char* text, double& value, const char*& rest)
{
    char ascii[64];
    const bool minus = std::strncmp(text, kMinus, 3) == 0;
    if (minus) text += 3;
    copyCut(text, ascii, sizeof ascii);
    if (!(ascii[0] >= '0' && ascii[0] <= '9') && !(ascii[0] == '.') && !(ascii[0] == '-' && !minus) &&
        !(ascii[0] == '+' && !minus))
        return false;
    char* end = nullptr;
    value = std::strtod(ascii, &end);
    if (end == ascii || !std::isfinite(value)) return false;
    if (minus) value = -value;
    rest = text + (end - ascii);
    return true;
}
} // namespace

const ParameterInfo kParameters[kNumParams] = {
    {"Thresh", "dB", "thresh", "dB", 0.0, -40.0, 0.5f, 0},
    {"Ratio", "", "ratio", "", 1.0, kInfinity, 0.5f, 0},
    {"Gain", "dB", "gain", "dB", 0.0, 24.0, 0.0f, 0},
    {"Attack", "ms", "attack", "ms", 0.03, 30.0, 0.375f, 0},
    {"Release", "ms", "release", "ms", 50.0, 2000.0, 0.5f, 0},
    {"Knee dB", "dB", "knee_db", "dB", 0.0, 24.0, 0.375f, 0},
    {"Knee %", "%", "knee_pct", "%", 0.0, 100.0, 0.0f, 0},
    {"SC Mode", "", "sc_mode", "", 0.0, 2.0, 0.0f, 3},
    {"Push", "", "push", "", 0.0, 2.0, 0.0f, 3},
    {"Wet/Dry", "%", "wet_dry", "%", 0.0, 100.0, 0.0f, 0},
};

ParameterValues defaultValues()
{
    ParameterValues values{};
    for (std::int32_t i = 0; i < kNumParams; ++i)
        values[i] = kParameters[i].defaultValue;
    return values;
}

int positionByThirds(float value)
{
    if (value < 0.33333334f) return 0;
    if (value > 0.6666666f) return 2;
    return 1;
}

float clampUnit(float value)
{
    if (value < 0.0f) return 0.0f;
    if (value > 1.0f) return 1.0f;
    return value;
}

double realValue(std::int32_t index, float normalized)
{
    const double v = normalized;
    switch (index)
    {
    case kThresh:
        return -40.0 * v;
    case kRatio:
        return v >= 1.0 ? kInfinity : 1.0 / (1.0 - std::sqrt(v));
    case kAttack:
        return 29.97 * v * v * v + 0.03;
    case kRelease:
        return 1950.0 * v * v * v + 50.0;
    case kScMode:
    case kPush:
        return positionByThirds(normalized);
    case kGain:
    case kKneeDb:
        return 24.0 * v;
    case kKneePct:
    case kWetDry:
        return 100.0 * v;
    default:
        return 0.0;
    }
}

float normalizedValue(std::int32_t index, double real)
{
    double v = 0.0;
    switch (index)
    {
    case kThresh:
        v = -real / 40.0;
        break;
    case kRatio:
        v = real > 1.0 ? (1.0 - 1.0 / real) * (1.0 - 1.0 / real) : 0.0;
        break;
    case kAttack:
        v = std::cbrt((real - 0.03) / 29.97);
        break;
    case kRelease:
        v = std::cbrt((real - 50.0) / 1950.0);
        break;
    case kScMode:
    case kPush:
        v = 0.5 * std::round(real);
        break;
    case kGain:
    case kKneeDb:
        v = real / 24.0;
        break;
    case kKneePct:
    case kWetDry:
        v = real / 100.0;
        break;
    default:
        break;
    }
    // Adding 0 turns a negative zero into zero.
    return clampUnit(static_cast<float>(v)) + 0.0f;
}

bool formatValue(std::int32_t index, float normalized, char* text, std::size_t size)
{
    if (!isParameterIndex(index) || !text || size == 0) return false;
    char full[48];
    if (isPosition(index))
        std::snprintf(full, sizeof full, "%s", positionNames(index)[positionByThirds(normalized)]);
    else
        formatNumber(index, realValue(index, normalized), full, sizeof full);
    copyCut(full, text, size);
    return true;
}

bool parseValue(std::int32_t index, const char* text, float& normalized)
{
    if (!isParameterIndex(index) || !text) return false;
    text = skipSpaces(text);
    if (isPosition(index)) return parsePosition(index, text, normalized);
    if (index == kRatio && parseInfinity(text))
    {
        normalized = 1.0f;
        return true;
    }
    double real = 0.0;
    const char* rest = nullptr;
    if (!parseNumber(text, real, rest) || !isUnitOnly(index, rest)) return false;
    normalized = normalizedValue(index, real);
    return true;
}

std::int32_t findParameter(const char* name)
{
    for (std::int32_t index = 0; index < kNumParams; ++index)
        for (const char* known : {kParameters[index].name, kParameters[index].symbol})
            if (std::strlen(name) == std::strlen(known) && startsWithCaseless(name, known)) return index;
    return -1;
}
} // namespace qm07
