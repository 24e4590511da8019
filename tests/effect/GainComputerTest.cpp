// The static curve: hard and soft knee against the formula, continuity at the knee edges.
#include "GainComputer.h"

#include <gtest/gtest.h>

namespace
{
double reductionAt(double level, double threshold, double slope, double kneeWidth)
{
    return staticCurve(level, level - threshold, slope, 0.5 * kneeWidth, kneeWidth) - level;
}
} // namespace

TEST(StaticCurve, SoftKneeOf24dBAroundMinus20)
{
    EXPECT_EQ(reductionAt(-32.0, -20.0, 1.0, 24.0), 0.0);
    EXPECT_DOUBLE_EQ(reductionAt(-20.0, -20.0, 1.0, 24.0), 3.0);
    EXPECT_DOUBLE_EQ(reductionAt(-8.0, -20.0, 1.0, 24.0), 12.0);
    EXPECT_DOUBLE_EQ(reductionAt(-14.0, -20.0, 0.5, 24.0), 0.5 * 18.0 * 18.0 / 48.0);
}

TEST(StaticCurve, HardKneeStartsExactlyAtTheThreshold)
{
    EXPECT_EQ(reductionAt(-20.0, -20.0, 1.0, 0.0), 0.0);
    EXPECT_EQ(reductionAt(-30.0, -20.0, 0.7, 0.0), 0.0);
    EXPECT_DOUBLE_EQ(reductionAt(0.0, -20.0, 0.70710678, 0.0), 14.1421356);
    EXPECT_EQ(reductionAt(6.0, 0.0, 0.0, 0.0), 0.0);
}

TEST(StaticCurve, ContinuousAtBothKneeEdges)
{
    for (double width : {0.5, 6.0, 24.0})
        for (double edge : {-0.5 * width, 0.5 * width})
        {
            const double below = reductionAt(-20.0 + edge - 1e-9, -20.0, 0.8, width);
            const double above = reductionAt(-20.0 + edge + 1e-9, -20.0, 0.8, width);
            EXPECT_NEAR(below, above, 1e-8) << "width " << width << " edge " << edge;
        }
}
