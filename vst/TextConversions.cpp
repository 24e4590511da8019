// Number-to-text conversions: each builds its whole text locally, then one bounded copy reaches the caller.
#include "TextConversions.h"

#include <cmath>
#include <cstring>

namespace vsttext
{
namespace
{
constexpr int kDisplayWidth = 8;
// Integer parts from here on no longer fit beside the sign and the point: shown as "Huge!", never cut.
constexpr double kHugeNegative = 1000000.0;
constexpr double kHugePositive = 10000000.0;

// Integer digits right to left while the width allows; answers the characters counted so far.
int writeIntegerPart(double magnitude, bool negative, char* out)
{
    char digits[kDisplayWidth + 1];
    int count = 0;
    int used = (negative ? 1 : 0) + 1; // sign and decimal point
    double quotient = std::floor(magnitude);
    do
    {
        digits[count++] = static_cast<char>('0' + static_cast<int>(std::fmod(quotient, 10.0)));
        quotient /= 10.0;
        ++used;
    } while (quotient >= 1.0 && used < kDisplayWidth);

    char* p = out;
    if (negative) *p++ = '-';
    while (count > 0)
        *p++ = digits[--count];
    *p++ = '.';
    *p = 0;
    return used;
}

// Fraction digits, truncated, filling the display up to its width.
void writeFraction(double magnitude, int used, char* out)
{
    const int count = kDisplayWidth - used;
    double m = std::fmod(magnitude, 1.0) * std::pow(10.0, count);
    for (int i = count - 1; i >= 0; --i)
    {
        if (m <= 0.0)
            out[i] = '0';
        else
        {
            out[i] = static_cast<char>('0' + static_cast<int>(std::fmod(m, 10.0)));
            m /= 10.0;
        }
    }
    out[count] = 0;
}
} // namespace

void copyText(char* text, const char* source, std::int32_t maxLen)
{
    if (!text || maxLen < 0) return;
    std::strncpy(text, source ? source : "", static_cast<std::size_t>(maxLen));
    text[maxLen] = 0;
}

void float2string(float value, char* text, std::int32_t maxLen)
{
    const double v = value;
    if (std::isnan(v)) return copyText(text, "NaN", maxLen);
    const bool negative = v < 0.0;
    const double magnitude = negative ? -v : v;
    if (std::floor(magnitude) >= (negative ? kHugeNegative : kHugePositive))
        return copyText(text, "Huge!", maxLen);

    char result[2 * kDisplayWidth + 2];
    const int used = writeIntegerPart(magnitude, negative, result);
    if (used < kDisplayWidth) writeFraction(magnitude, used, result + std::strlen(result));
    copyText(text, result, maxLen);
}

void dB2string(float value, char* text, std::int32_t maxLen)
{
    if (value <= 0.0f) return copyText(text, "-oo", maxLen);
    float2string(20.0f * std::log10(value), text, maxLen);
}

void Hz2string(float samples, float sampleRate, char* text, std::int32_t maxLen)
{
    float2string(samples == 0.0f ? 0.0f : sampleRate / samples, text, maxLen);
}

void ms2string(float samples, float sampleRate, char* text, std::int32_t maxLen)
{
    float2string(static_cast<float>(samples * 1000.0 / sampleRate), text, maxLen);
}

void int2string(std::int32_t value, char* text, std::int32_t maxLen)
{
    // Widened so that the magnitude of the most negative value exists.
    const std::int64_t wide = value;
    std::int64_t magnitude = wide < 0 ? -wide : wide;
    if (magnitude >= 100000000) return copyText(text, "Huge!", maxLen);

    char result[16];
    char* p = result;
    if (wide < 0) *p++ = '-';
    bool started = false;
    for (std::int64_t divisor = 100000000; divisor >= 1; divisor /= 10)
    {
        const auto digit = static_cast<char>(magnitude / divisor);
        magnitude %= divisor;
        started = started || digit != 0 || divisor == 1;
        if (started) *p++ = static_cast<char>('0' + digit);
    }
    *p = 0;
    copyText(text, result, maxLen);
}
} // namespace vsttext
