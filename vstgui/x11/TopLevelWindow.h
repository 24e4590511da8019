// A top-level window of fixed size for a frame that has no host window to sit in: an application's, or a
// plug-in UI's own when its host gives no parent.
#pragma once

#include <xcb/xcb.h>

#include <cstdint>
#include <memory>
#include <string>

namespace VSTGUI::x11
{

/// User-interface thread only; on a server connection of its own, as each frame's window is.
class TopLevelWindow
{
public:
    struct Names
    {
        std::string title;
        /// WM_CLASS, the instance and the class each followed by a zero, as desktops match them with a
        /// desktop entry; empty for none.
        std::string instanceAndClass;
    };

    /// Allocates; unmapped until show. Null without a display (DISPLAY unset or its server unreachable).
    static std::unique_ptr<TopLevelWindow> open(const Names& names, std::uint16_t width,
                                                std::uint16_t height);
    ~TopLevelWindow();
    TopLevelWindow(const TopLevelWindow&) = delete;
    TopLevelWindow& operator=(const TopLevelWindow&) = delete;

    /// The window's id as the toolkit takes a parent.
    void* handle() const { return reinterpret_cast<void*>(static_cast<std::uintptr_t>(window)); }
    /// For poll(): readable when the server has sent something.
    int fileDescriptor() const { return xcb_get_file_descriptor(link); }
    /// Maps the window and forgets an earlier request to close it.
    void show();
    void hide();
    /// Reads what has come: true once the window manager asked to close the window (until it is shown
    /// again), the window was destroyed or the display went away.
    bool closeRequested();

private:
    TopLevelWindow(xcb_connection_t* link, const xcb_screen_t& screen, std::uint16_t width,
                   std::uint16_t height);
    void describe(const Names& names, std::uint16_t width, std::uint16_t height);

    xcb_connection_t* link;
    xcb_window_t window;
    xcb_atom_t deleteWindow = XCB_ATOM_NONE;
    bool closing = false;
    bool gone = false;
};

} // namespace VSTGUI::x11
