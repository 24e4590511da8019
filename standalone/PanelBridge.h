// What the panel asks of its host, answered from the shared parameters the audio thread reads.
#pragma once

#include "PanelHost.h"
#include "SharedParameters.h"

#include <cmath>

namespace qm07
{

/// User-interface thread only, like the panel.
class PanelBridge final : public PanelHost
{
public:
    explicit PanelBridge(SharedParameters& shared) : parameters(shared) {}

    float parameterValue(std::int32_t index) override { return parameters.get(index); }
    void beginEdit(std::int32_t) override {}
    void performEdit(std::int32_t index, float normalized) override
    {
        if (index >= 0 && index < kNumParams && !std::isnan(normalized))
            parameters.set(index, clampUnit(normalized));
    }
    void endEdit(std::int32_t) override {}

private:
    SharedParameters& parameters;
};

} // namespace qm07
