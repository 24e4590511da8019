// The top-level window: a title, a fixed size, and the window manager's close button seen at idle.
#include "TopLevelWindow.h"

#include <cstdlib>
#include <cstring>

namespace qm07::lv2
{
namespace
{
// ICCCM WM_NORMAL_HINTS: flags, then x, y, width, height, min and max sizes (the rest stays 0).
constexpr std::uint32_t kMinSize = 16, kMaxSize = 32;
constexpr int kHintWords = 18;
} // namespace

std::unique_ptr<TopLevelWindow> TopLevelWindow::create(const char* title, std::uint16_t width,
                                                       std::uint16_t height)
{
    int screenNumber = 0;
    xcb_connection_t* link = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(link))
    {
        xcb_disconnect(link);
        return nullptr;
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(link));
    for (int n = 0; n < screenNumber && screens.rem > 1; ++n)
        xcb_screen_next(&screens);
    std::unique_ptr<TopLevelWindow> made(new TopLevelWindow(link, *screens.data, width, height));
    made->describe(title, width, height);
    return made;
}

TopLevelWindow::TopLevelWindow(xcb_connection_t* connection, const xcb_screen_t& screen, std::uint16_t width,
                               std::uint16_t height)
    : link(connection), window(xcb_generate_id(connection))
{
    const std::uint32_t events = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    xcb_create_window(link, XCB_COPY_FROM_PARENT, window, screen.root, 0, 0, width, height, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen.root_visual, XCB_CW_EVENT_MASK, &events);
}

TopLevelWindow::~TopLevelWindow()
{
    xcb_destroy_window(link, window);
    xcb_disconnect(link);
}

xcb_atom_t TopLevelWindow::atom(const char* name)
{
    const auto length = static_cast<std::uint16_t>(std::strlen(name));
    xcb_intern_atom_reply_t* reply =
        xcb_intern_atom_reply(link, xcb_intern_atom(link, 0, length, name), nullptr);
    const xcb_atom_t found = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return found;
}

void TopLevelWindow::describe(const char* title, std::uint16_t width, std::uint16_t height)
{
    xcb_change_property(link, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8,
                        static_cast<std::uint32_t>(std::strlen(title)), title);
    deleteWindow = atom("WM_DELETE_WINDOW");
    xcb_change_property(link, XCB_PROP_MODE_REPLACE, window, atom("WM_PROTOCOLS"), XCB_ATOM_ATOM, 32, 1,
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
        if ((event->response_type & 0x7F) == XCB_CLIENT_MESSAGE)
            closing |= reinterpret_cast<xcb_client_message_event_t*>(event)->data.data32[0] == deleteWindow;
        std::free(event);
    }
    return closing;
}
} // namespace qm07::lv2
