// The toolkit's key record and what a frame asks of whoever hosts it.
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

/// The virtual keys the toolkit reacts to, numbered as hosts deliver them.
enum CVirtualKey : std::uint8_t
{
    kVirtualKeyTab = 2,
    kVirtualKeyLeft = 11,
    kVirtualKeyUp = 12,
    kVirtualKeyRight = 13,
    kVirtualKeyDown = 14,
};

enum CModifierKey : std::uint8_t
{
    kModifierShift = 1 << 0,
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
