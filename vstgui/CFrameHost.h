// Whoever hosts a frame, and the key record the toolkit routes, free of any plug-in format.
#pragma once

#include <cstdint>

namespace VSTGUI
{

/// The toolkit's key record (same fields and virtual-key numbers hosts deliver in VST 2.4).
struct CKeyCode
{
    std::int32_t character = 0;
    std::uint8_t virt = 0;
    std::uint8_t modifier = 0;
};

/// Whoever hosts a frame: the VST editor base, or another format's editor adapter. UI thread only.
class CFrameHost
{
public:
    virtual void beginEdit(std::int32_t index) = 0;
    virtual void endEdit(std::int32_t index) = 0;
    /// From a control's mouse-tracking loop: redraw and give the host idle time.
    virtual void doIdleStuff() = 0;
    virtual std::int32_t getKnobMode() const = 0;
    /// Asks the host to size its window; false when it cannot.
    virtual bool requestSize(std::int32_t width, std::int32_t height) = 0;

protected:
    ~CFrameHost() = default;
};

} // namespace VSTGUI
