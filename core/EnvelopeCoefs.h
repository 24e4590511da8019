// One-pole coefficients of the gain-reduction envelope and of the meter, from times and sample rate.
#pragma once

/// exp(−1000 / ((29.97 · a³ + 0.03) · sampleRate)): 0.03 ms at a = 0 up to 30 ms at a = 1.
double attackCoefficient(float attackValue, double sampleRate);
/// exp(−1000 / ((1950 · r³ + 50) · sampleRate)): 50 ms at r = 0 up to 2000 ms at r = 1.
double releaseCoefficient(float releaseValue, double sampleRate);
/// exp(−2000 / (300 · sampleRate)): the meter's 150 ms rise.
double meterCoefficient(double sampleRate);
