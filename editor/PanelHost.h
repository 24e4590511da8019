// What the panel needs of whoever hosts it: the stored values and the host's edit gestures.
#pragma once

#include <cstdint>

namespace qm07
{

/// Implemented by each format's editor adapter; UI thread only.
class PanelHost
{
public:
    /// The stored normalized value.
    virtual float parameterValue(std::int32_t index) = 0;
    virtual void beginEdit(std::int32_t index) = 0;
    /// The user moved a control: store and tell the host.
    virtual void performEdit(std::int32_t index, float normalized) = 0;
    virtual void endEdit(std::int32_t index) = 0;

protected:
    ~PanelHost() = default;
};

} // namespace qm07
