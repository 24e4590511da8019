// The engine's set-up arithmetic (coefficients, shelf designs) without the C library, whose results
// differ between platforms: both builds of the plug-in must compute the same coefficients.
#pragma once

namespace qm07
{
/// e^x within 1.5 ulp; 0 below ln(smallest normal), saturating above e^709.
double exponential(double x);
/// sin x and cos x for |x| ≤ π, within 1.5 ulp.
double sine(double x);
double cosine(double x);
} // namespace qm07
