// The static curve joins its straight parts without a step at either knee edge.
#include "GainComputer.h"
#include "ScalarLane.h"

#include <gtest/gtest.h>

namespace
{
double reductionAt(double over, double slope, double kneeWidth)
{
    using qm07::ScalarLane;
    return qm07::softKneeReduction(ScalarLane(over), ScalarLane(slope), ScalarLane(0.5 * kneeWidth),
                                   ScalarLane(slope / (2.0 * kneeWidth)))
        .v;
}
} // namespace

TEST(StaticCurve, ContinuousAtBothKneeEdges)
{
    for (double width : {0.5, 6.0, 24.0})
        for (double edge : {-0.5 * width, 0.5 * width})
        {
            const double below = reductionAt(edge - 1e-9, 0.8, width);
            const double above = reductionAt(edge + 1e-9, 0.8, width);
            EXPECT_NEAR(below, above, 1e-8) << "width " << width << " edge " << edge;
        }
}
