// A window of the UI's own for hosts that show it through ui:showInterface instead of giving a parent.
#pragma once

#include <xcb/xcb.h>

#include <cstdint>
#include <memory>

namespace qm07::lv2
{
/// UI thread only; a connection of its own, as the panel's frame window has.
class TopLevelWindow
{
public:
    /// Allocates; unmapped until show. Null without a display.
    static std::unique_ptr<TopLevelWindow> create(const char* title, std::uint16_t width,
                                                  std::uint16_t height);
    ~TopLevelWindow();

    TopLevelWindow(const TopLevelWindow&) = delete;
    TopLevelWindow& operator=(const TopLevelWindow&) = delete;

    void* handle() const { return reinterpret_cast<void*>(static_cast<std::uintptr_t>(window)); }
    void show();
    void hide();
    /// Reads the window's events: true once the window manager asked to close it, until shown again.
    bool closeRequested();

private:
    TopLevelWindow(xcb_connection_t* link, const xcb_screen_t& screen, std::uint16_t width,
                   std::uint16_t height);
    xcb_atom_t atom(const char* name);
    void describe(const char* title, std::uint16_t width, std::uint16_t height);

    xcb_connection_t* link;
    xcb_window_t window;
    xcb_atom_t deleteWindow = XCB_ATOM_NONE;
    bool closing = false;
};
} // namespace qm07::lv2
