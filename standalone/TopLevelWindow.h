// The application's top-level window on X11, of fixed size, which the panel's frame takes as its parent.
#pragma once

#include <xcb/xcb.h>

#include <memory>
#include <string>

namespace qm07
{

/// User-interface thread only.
class TopLevelWindow
{
public:
    /// Connects to the display DISPLAY names and maps the window; null with `error` set when it cannot.
    static std::unique_ptr<TopLevelWindow> open(const std::string& title, int width, int height,
                                                std::string& error);
    ~TopLevelWindow();
    TopLevelWindow(const TopLevelWindow&) = delete;
    TopLevelWindow& operator=(const TopLevelWindow&) = delete;

    /// The window's id as the toolkit takes a parent.
    void* handle() const;
    /// For poll(): readable when the server has sent something.
    int fileDescriptor() const { return xcb_get_file_descriptor(link); }
    /// Reads what has come; false once the window was closed or the display went away.
    bool handleEvents();

private:
    TopLevelWindow(xcb_connection_t* link, xcb_window_t window, xcb_atom_t deleteWindow);

    xcb_connection_t* link;
    xcb_window_t window;
    xcb_atom_t deleteWindow;
    bool closed = false;
};

} // namespace qm07
