// The top-level window through xcb: titles, class, a size the window manager may not change, and the close
// button delivered as a message rather than by killing the connection.
#include "TopLevelWindow.h"

#include <cstdlib>
#include <cstring>

namespace VSTGUI::x11
{

namespace
{

// ICCCM WM_NORMAL_HINTS: flags, then x, y, width, height, min and max sizes (the rest stays 0).
constexpr std::uint32_t kMinSize = 1u << 4, kMaxSize = 1u << 5;
constexpr std::uint32_t kHintWords = 18;

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

} // namespace

std::unique_ptr<TopLevelWindow> TopLevelWindow::open(const Names& names, std::uint16_t width,
                                                     std::uint16_t height)
{
    int screenNumber = 0;
    xcb_connection_t* link = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(link))
    {
        xcb_disconnect(link);
        return nullptr;
    }
    auto screens = xcb_setup_roots_iterator(xcb_get_setup(link));
    for (int n = 0; n < screenNumber && screens.rem > 1; ++n)
        xcb_screen_next(&screens);
    std::unique_ptr<TopLevelWindow> made(new TopLevelWindow(link, *screens.data, width, height));
    made->describe(names, width, height);
    return made;
}

TopLevelWindow::TopLevelWindow(xcb_connection_t* connection, const xcb_screen_t& screen, std::uint16_t width,
                               std::uint16_t height)
    : link(connection), window(xcb_generate_id(connection))
{
    const std::uint32_t values[] = {screen.black_pixel, XCB_EVENT_MASK_STRUCTURE_NOTIFY};
    xcb_create_window(link, XCB_COPY_FROM_PARENT, window, screen.root, 0, 0, width, height, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen.root_visual,
                      XCB_CW_BACK_PIXEL | XCB_CW_EVENT_MASK, values);
}

TopLevelWindow::~TopLevelWindow()
{
    if (!gone && !xcb_connection_has_error(link)) xcb_destroy_window(link, window);
    xcb_flush(link);
    xcb_disconnect(link);
}

void TopLevelWindow::describe(const Names& names, std::uint16_t width, std::uint16_t height)
{
    setText(link, window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, names.title);
    setText(link, window, atom(link, "_NET_WM_NAME"), atom(link, "UTF8_STRING"), names.title);
    if (!names.instanceAndClass.empty())
        setText(link, window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, names.instanceAndClass);
    deleteWindow = atom(link, "WM_DELETE_WINDOW");
    xcb_change_property(link, XCB_PROP_MODE_REPLACE, window, atom(link, "WM_PROTOCOLS"), XCB_ATOM_ATOM, 32, 1,
                        &deleteWindow);
    std::uint32_t hints[kHintWords] = {kMinSize | kMaxSize};
    hints[5] = hints[7] = width;
    hints[6] = hints[8] = height;
    xcb_change_property(link, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_NORMAL_HINTS, XCB_ATOM_WM_SIZE_HINTS,
                        32, kHintWords, hints);
    xcb_flush(link);
}

void TopLevelWindow::show()
{
    closing = false;
    xcb_map_window(link, window);
    xcb_flush(link);
}

void TopLevelWindow::hide()
{
    xcb_unmap_window(link, window);
    xcb_flush(link);
}

bool TopLevelWindow::closeRequested()
{
    while (xcb_generic_event_t* event = xcb_poll_for_event(link))
    {
        const auto type = event->response_type & 0x7F;
        if (type == XCB_CLIENT_MESSAGE)
            closing |= reinterpret_cast<xcb_client_message_event_t*>(event)->data.data32[0] == deleteWindow;
        if (type == XCB_DESTROY_NOTIFY &&
            reinterpret_cast<xcb_destroy_notify_event_t*>(event)->window == window)
            gone = true;
        std::free(event);
    }
    return closing || gone || xcb_connection_has_error(link);
}

} // namespace VSTGUI::x11
