// The static curve joins its straight parts without a step at either knee edge.
#include "GainComputer.h"
#include "ScalarLane.h"

#include <gtest/gtest.h>

namespace
{
double reductionAt(double level, double threshold, double slope, double kneeWidth)
{
    using qm07::ScalarLane;
    return qm07::staticCurve(ScalarLane(level), ScalarLane(level - threshold), ScalarLane(slope),
                             ScalarLane(0.5 * kneeWidth), ScalarLane(kneeWidth))
               .v -
           level;
}
} // namespace

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
