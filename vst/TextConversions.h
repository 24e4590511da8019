// Number-to-text conversions of parameter displays and the bounded copy every text answer uses.
#pragma once

#include <cstdint>

namespace vsttext
{
/// Copies at most maxLen characters, zero-fills the rest of the first maxLen bytes and writes a zero at
/// text[maxLen]; nothing is written for a negative maxLen. A null source copies the empty text.
void copyText(char* text, const char* source, std::int32_t maxLen);

/// Fixed point in 8 characters, digits cut rather than rounded (0.7f gives "0.699999").
void float2string(float value, char* text, std::int32_t maxLen);
/// Linear amplitude to decibels; "-oo" for 0 or less.
void dB2string(float value, char* text, std::int32_t maxLen);
/// A period in samples to its frequency at sampleRate; 0 samples gives 0.
void Hz2string(float samples, float sampleRate, char* text, std::int32_t maxLen);
/// A duration in samples to milliseconds at sampleRate.
void ms2string(float samples, float sampleRate, char* text, std::int32_t maxLen);
/// Decimal digits; magnitudes of 100000000 or more give "Huge!".
void int2string(std::int32_t value, char* text, std::int32_t maxLen);
} // namespace vsttext
