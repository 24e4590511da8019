// The engine's own logarithm, exponential, sine and cosine: error bounds over their whole ranges against
// extended precision, and the same bits from every instruction set and from the one-lane code. The lane
// functions need only keep the engine's output within 1e-12 of the C library's: 256 ulps is 6e-14 of a level
// in dB or of a gain. The set-up exponential compounds in long releases and stays near 1 ulp.
#include "LaneMath.h"
#include "EngineMath.h"
#include "KernelDispatch.h"
#include "ScalarLane.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <random>
#include <vector>

namespace
{
using KernelEntry = void (*qm07::EngineKernels::*)(const double*, double*, int);

struct Function
{
    const char* name;
    KernelEntry kernel; // null for set-up code that only runs on one lane
    double (*oneLane)(double);
    long double (*exact)(long double);
    double lowest, highest;         // sampled uniformly, and on a logarithmic scale when lowest > 0
    double usedLowest, usedHighest; // where the engine uses it most, sampled as densely
    double boundUlps;
    double boundAbsolute; // allowed instead where it is larger: decibels near 0 dB
};

constexpr double kPi = 3.14159265358979311600; // the double below π

double decibelsOnOneLane(double x)
{
    return qm07::decibels(qm07::ScalarLane(x)).v;
}

double exponentialOnOneLane(double x)
{
    return qm07::exponential(qm07::ScalarLane(x)).v;
}

const Function kFunctions[] = {
    {"decibels", &qm07::EngineKernels::decibels, decibelsOnOneLane,
     [](long double x) { return 20.0L * std::log10(x); }, 1e-25, DBL_MAX, 0.5, 2.0, 256.0, 3e-14},
    {"exponential", &qm07::EngineKernels::exponential, exponentialOnOneLane,
     [](long double x) { return std::exp(x); }, -708.39, 709.0, -20.0, 5.0, 160.0, 0.0},
    {"set-up exponential", nullptr, qm07::exponential, [](long double x) { return std::exp(x); }, -708.39,
     709.0, -20.0, 5.0, 1.5, 0.0},
    {"sine", nullptr, qm07::sine, [](long double x) { return std::sin(x); }, -kPi, kPi, 0.0, 0.9 * kPi, 1.5,
     0.0},
    {"cosine", nullptr, qm07::cosine, [](long double x) { return std::cos(x); }, -kPi, kPi, 0.0, 0.9 * kPi,
     1.5, 0.0},
};

/// Half over the whole range (on a logarithmic scale for positive ranges), half over the most used part.
std::vector<double> samples(const Function& f)
{
    std::mt19937_64 random(2024);
    std::vector<double> x(200000);
    for (std::size_t i = 0; i < x.size(); i += 2)
    {
        x[i] = std::uniform_real_distribution<double>(f.usedLowest, f.usedHighest)(random);
        x[i + 1] =
            f.lowest > 0.0
                ? std::exp2(std::uniform_real_distribution<double>(std::log2(f.lowest), 1024.0)(random))
                : std::uniform_real_distribution<double>(f.lowest, f.highest)(random);
    }
    return x;
}

double ulpsFromExact(double y, long double exact)
{
    const double nearest = static_cast<double>(exact);
    const double step = std::nextafter(std::abs(nearest), HUGE_VAL) - std::abs(nearest);
    return static_cast<double>(std::abs(static_cast<long double>(y) - exact) / step);
}
} // namespace

TEST(LaneMath, WithinTheirBoundsOverTheWholeRange)
{
    for (const Function& f : kFunctions)
    {
        double worst = 0.0;
        double worstAt = 0.0;
        for (double x : samples(f))
        {
            const double y = f.oneLane(x);
            const long double exact = f.exact(x);
            if (std::abs(static_cast<long double>(y) - exact) <= f.boundAbsolute) continue;
            const double ulps = ulpsFromExact(y, exact);
            if (ulps > worst) worst = ulps, worstAt = x;
        }
        EXPECT_LE(worst, f.boundUlps) << f.name << " at " << worstAt;
    }
}

TEST(LaneMath, EveryInstructionSetGivesTheBitsOfTheOneLaneCode)
{
    for (const Function& f : kFunctions)
    {
        if (!f.kernel) continue;
        std::vector<double> x = samples(f);
        x.insert(x.end(),
                 {f.lowest, f.highest, 1.0, 0x1.6a09e667f3bccp+0, 0x1.6a09e667f3bcdp+0, -800.0, 800.0});
        if (f.lowest > 0.0) x.resize(x.size() - 2); // the logarithm is defined for positive values only
        std::vector<double> expected(x.size());
        for (std::size_t i = 0; i < x.size(); ++i)
            expected[i] = f.oneLane(x[i]);
        for (const qm07::EngineKernels* kernels : qm07::runnableKernels())
        {
            // An odd count, so that the last group is a partial one.
            std::vector<double> y(x.size(), -1.0);
            (kernels->*f.kernel)(x.data(), y.data(), static_cast<int>(x.size()) - 1);
            EXPECT_EQ(std::memcmp(y.data(), expected.data(), (y.size() - 1) * sizeof(double)), 0)
                << f.name << " on " << kernels->name;
            EXPECT_EQ(y.back(), -1.0) << f.name << " on " << kernels->name << " wrote past the end";
        }
    }
}

TEST(LaneMath, ExponentialFlushesBelowTheSmallestNormalAndSaturatesAbove709)
{
    EXPECT_EQ(qm07::exponential(-708.4), 0.0);
    EXPECT_EQ(qm07::exponential(-1e300), 0.0);
    EXPECT_GE(qm07::exponential(-708.39), DBL_MIN);
    EXPECT_EQ(qm07::exponential(1e300), qm07::exponential(709.0));
    EXPECT_TRUE(std::isfinite(qm07::exponential(709.0)));
    EXPECT_EQ(qm07::exponential(0.0), 1.0);
    EXPECT_EQ(decibelsOnOneLane(1.0), 0.0);
}
