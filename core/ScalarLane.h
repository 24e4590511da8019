// Test-only: one double as a lane type, so the tests run the lane polynomials on the default
// instruction set.
#pragma once

#include <cstdint>
#include <cstring>

namespace qm07
{
/// Include only from files built for the default instruction set: a copy of these functions compiled
/// for a wider one could be the copy the linker keeps.
struct ScalarLane
{
    using Bits = std::uint64_t;
    static constexpr int kWidth = 1;

    double v;

    ScalarLane() = default;
    explicit ScalarLane(double value) : v(value) {}
    Bits bits() const
    {
        Bits b;
        std::memcpy(&b, &v, sizeof b);
        return b;
    }
    static ScalarLane fromBits(Bits b)
    {
        double value;
        std::memcpy(&value, &b, sizeof value);
        return ScalarLane(value);
    }

    friend ScalarLane operator+(ScalarLane a, ScalarLane b) { return ScalarLane(a.v + b.v); }
    friend ScalarLane operator-(ScalarLane a, ScalarLane b) { return ScalarLane(a.v - b.v); }
    friend ScalarLane operator*(ScalarLane a, ScalarLane b) { return ScalarLane(a.v * b.v); }
    friend ScalarLane operator/(ScalarLane a, ScalarLane b) { return ScalarLane(a.v / b.v); }
    friend bool operator<(ScalarLane a, ScalarLane b) { return a.v < b.v; }
    friend bool operator<=(ScalarLane a, ScalarLane b) { return a.v <= b.v; }
    friend bool operator>(ScalarLane a, ScalarLane b) { return a.v > b.v; }
    friend ScalarLane select(bool mask, ScalarLane a, ScalarLane b) { return mask ? a : b; }
    friend ScalarLane max(ScalarLane a, ScalarLane b) { return a.v > b.v ? a : b; }
    friend ScalarLane min(ScalarLane a, ScalarLane b) { return a.v < b.v ? a : b; }
};
} // namespace qm07
