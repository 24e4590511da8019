// Starting and restarting the meter feed.
#include "GainReductionFeed.h"

#include "EnvelopeCoefs.h"

void GainReductionFeed::activate(double sampleRate)
{
    coefficient.store(meterCoefficient(sampleRate), std::memory_order_relaxed);
    value.store(kRest, std::memory_order_relaxed);
    active.store(true, std::memory_order_release);
}

void GainReductionFeed::sampleRateChanged(double sampleRate)
{
    if (!isActive()) return;
    coefficient.store(meterCoefficient(sampleRate), std::memory_order_relaxed);
    value.store(kRest, std::memory_order_relaxed);
}
