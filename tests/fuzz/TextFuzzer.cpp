// The number-to-text conversions and the bounded copy with any value and any length limit. The text
// buffer holds exactly maxLen + 1 bytes, so the sanitizer sees any write past the terminator's place.
#include "FuzzSupport.h"
#include "TextConversions.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fuzzer/FuzzedDataProvider.h>
#include <memory>
#include <string>

namespace
{
constexpr int kDisplayWidth = 8;

/// A plain number below "Huge!" shows in exactly 8 characters whose value is the number with its digits
/// cut, never rounded up and never off by more than the last digit shown.
void requireFaithfulDisplay(float value, const char* text)
{
    const double v = value;
    if (!std::isfinite(v) || std::fabs(v) >= (v < 0 ? 1e6 : 1e7)) return;
    require(std::strlen(text) == kDisplayWidth, "a display is not 8 characters");
    const double shown = std::strtod(text, nullptr);
    const char* point = std::strchr(text, '.');
    require(point != nullptr, "a display has no decimal point");
    const double step = std::pow(10.0, -static_cast<double>(std::strlen(point + 1)));
    const double cut = std::fabs(v) - std::fabs(shown);
    require(cut > -step * 1e-6 && cut < step * (1.0 + 1e-6), "a display is not the value cut to its digits");
    require(shown == 0.0 || std::signbit(shown) == std::signbit(v), "a display has the wrong sign");
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const auto which = input.ConsumeIntegralInRange<int>(0, 5);
    const auto maxLen = input.ConsumeIntegralInRange<std::int32_t>(0, 64);
    const auto value = input.ConsumeFloatingPoint<float>();
    const auto rate = input.ConsumeFloatingPoint<float>();
    const auto integer = input.ConsumeIntegral<std::int32_t>();
    const std::string source = input.ConsumeRemainingBytesAsString();

    std::unique_ptr<char[]> text(new char[static_cast<std::size_t>(maxLen) + 1]);
    std::memset(text.get(), 'x', static_cast<std::size_t>(maxLen) + 1);
    switch (which)
    {
    case 0:
        vsttext::float2string(value, text.get(), maxLen);
        break;
    case 1:
        vsttext::dB2string(value, text.get(), maxLen);
        break;
    case 2:
        vsttext::Hz2string(value, rate, text.get(), maxLen);
        break;
    case 3:
        vsttext::ms2string(value, rate, text.get(), maxLen);
        break;
    case 4:
        vsttext::int2string(integer, text.get(), maxLen);
        break;
    default:
        vsttext::copyText(text.get(), source.c_str(), maxLen);
    }
    require(text[static_cast<std::size_t>(maxLen)] == 0, "no terminator at maxLen");
    if (which == 0 && maxLen >= kDisplayWidth) requireFaithfulDisplay(value, text.get());
    if (which == 4 && maxLen >= 10 && std::abs(static_cast<std::int64_t>(integer)) < 100000000)
        require(std::strtol(text.get(), nullptr, 10) == integer, "int2string does not read back");
    return 0;
}
