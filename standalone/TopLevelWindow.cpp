// The top-level window through xcb: title, class, a size the window manager may not change, and the
// close button delivered as a message rather than by killing the connection.
#include "TopLevelWindow.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace qm07
{

namespace
{

xcb_atom_t atom(xcb_connection_t* link, const char* name)
{
    auto* reply = xcb_intern_atom_reply(
        link, xcb_intern_atom(link, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr);
    const xcb_atom_t found = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return found;
}

void setText(xcb_connection_t* link, xcb_window_t window, xcb_atom_t property, xcb_atom_t type,
             const std::string& text)
{
    xcb_change_property(link, XCB_PROP_MODE_REPLACE, window, property, type, 8,
                        static_cast<std::uint32_t>(text.size()), text.data());
}

/// WM_NORMAL_HINTS with the minimum and maximum size both the panel's (flags PMinSize | PMaxSize).
void fixSize(xcb_connection_t* link, xcb_window_t window, int width, int height)
{
    std::uint32_t hints[18] = {};
    hints[0] = (1u << 4) | (1u << 5);
    hints[5] = hints[7] = static_cast<std::uint32_t>(width);
    hints[6] = hints[8] = static_cast<std::uint32_t>(height);
    xcb_change_property(link, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_NORMAL_HINTS, XCB_ATOM_WM_SIZE_HINTS,
                        32, 18, hints);
}

void describe(xcb_connection_t* link, xcb_window_t window, const std::string& title)
{
    setText(link, window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, title);
    setText(link, window, atom(link, "_NET_WM_NAME"), atom(link, "UTF8_STRING"), title);
    // Instance and class, each zero-terminated: what desktops match the desktop entry with.
    setText(link, window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING,
            std::string("qm07-compressor\0QM07 Compressor\0", 32));
}

} // namespace

std::unique_ptr<TopLevelWindow> TopLevelWindow::open(const std::string& title, int width, int height,
                                                     std::string& error)
{
    int screenNumber = 0;
    xcb_connection_t* link = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(link))
    {
        xcb_disconnect(link);
        error = "cannot open the X display (is DISPLAY set? --no-ui runs without a window)";
        return nullptr;
    }
    auto roots = xcb_setup_roots_iterator(xcb_get_setup(link));
    for (int i = 0; i < screenNumber && roots.rem; ++i)
        xcb_screen_next(&roots);
    const xcb_screen_t& screen = *roots.data;
    const xcb_window_t window = xcb_generate_id(link);
    const std::uint32_t values[] = {screen.black_pixel, XCB_EVENT_MASK_STRUCTURE_NOTIFY};
    xcb_create_window(link, XCB_COPY_FROM_PARENT, window, screen.root, 0, 0,
                      static_cast<std::uint16_t>(width), static_cast<std::uint16_t>(height), 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen.root_visual,
                      XCB_CW_BACK_PIXEL | XCB_CW_EVENT_MASK, values);
    describe(link, window, title);
    fixSize(link, window, width, height);
    const xcb_atom_t deleteWindow = atom(link, "WM_DELETE_WINDOW");
    xcb_change_property(link, XCB_PROP_MODE_REPLACE, window, atom(link, "WM_PROTOCOLS"), XCB_ATOM_ATOM, 32, 1,
                        &deleteWindow);
    xcb_map_window(link, window);
    xcb_flush(link);
    return std::unique_ptr<TopLevelWindow>(new TopLevelWindow(link, window, deleteWindow));
}

TopLevelWindow::TopLevelWindow(xcb_connection_t* connection, xcb_window_t id, xcb_atom_t deleteAtom)
    : link(connection), window(id), deleteWindow(deleteAtom)
{
}

TopLevelWindow::~TopLevelWindow()
{
    if (!xcb_connection_has_error(link)) xcb_destroy_window(link, window);
    xcb_flush(link);
    xcb_disconnect(link);
}

void* TopLevelWindow::handle() const
{
    return reinterpret_cast<void*>(static_cast<std::uintptr_t>(window));
}

bool TopLevelWindow::handleEvents()
{
    while (xcb_generic_event_t* event = xcb_poll_for_event(link))
    {
        const auto type = event->response_type & 0x7F;
        if (type == XCB_CLIENT_MESSAGE &&
            reinterpret_cast<xcb_client_message_event_t*>(event)->data.data32[0] == deleteWindow)
            closed = true;
        if (type == XCB_DESTROY_NOTIFY &&
            reinterpret_cast<xcb_destroy_notify_event_t*>(event)->window == window)
            closed = true;
        std::free(event);
    }
    return !closed && !xcb_connection_has_error(link);
}

} // namespace qm07
