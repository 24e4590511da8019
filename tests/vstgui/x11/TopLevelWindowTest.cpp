// The top-level window as a window manager sees it (names, a size it may not change) and the ways it can be
// closed: the close button's message until shown again, destruction by another client.
#include "TopLevelWindow.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace
{
using VSTGUI::x11::TopLevelWindow;

/// What another client (a window manager) does to the window, on a connection of its own.
class OtherClient
{
public:
    OtherClient() : link(xcb_connect(nullptr, nullptr)) {}
    ~OtherClient() { xcb_disconnect(link); }

    xcb_atom_t atom(const char* name)
    {
        auto* reply = xcb_intern_atom_reply(
            link, xcb_intern_atom(link, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr);
        const xcb_atom_t found = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
        std::free(reply);
        return found;
    }

    std::string property(xcb_window_t window, xcb_atom_t name, xcb_atom_t type)
    {
        auto* reply =
            xcb_get_property_reply(link, xcb_get_property(link, 0, window, name, type, 0, 64), nullptr);
        std::string value;
        if (reply)
            value.assign(static_cast<const char*>(xcb_get_property_value(reply)),
                         static_cast<std::size_t>(xcb_get_property_value_length(reply)));
        std::free(reply);
        return value;
    }

    void askToClose(xcb_window_t window)
    {
        xcb_client_message_event_t message{};
        message.response_type = XCB_CLIENT_MESSAGE;
        message.format = 32;
        message.window = window;
        message.type = atom("WM_PROTOCOLS");
        message.data.data32[0] = atom("WM_DELETE_WINDOW");
        xcb_send_event(link, 0, window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&message));
        sync();
    }

    void destroy(xcb_window_t window)
    {
        xcb_destroy_window(link, window);
        sync();
    }

private:
    void sync() { std::free(xcb_get_input_focus_reply(link, xcb_get_input_focus(link), nullptr)); }

    xcb_connection_t* link;
};

xcb_window_t idOf(const TopLevelWindow& window)
{
    return static_cast<xcb_window_t>(reinterpret_cast<std::uintptr_t>(window.handle()));
}

TEST(TopLevelWindow, NamesAndAFixedSizeForTheWindowManager)
{
    const std::string wmClass("qm07-test\0QM07 Test\0", 20);
    auto window = TopLevelWindow::open({"QM07 \xE2\x88\x9E", wmClass}, 800, 220);
    ASSERT_TRUE(window);
    OtherClient manager;
    EXPECT_EQ(manager.property(idOf(*window), XCB_ATOM_WM_NAME, XCB_ATOM_STRING), "QM07 \xE2\x88\x9E");
    EXPECT_EQ(manager.property(idOf(*window), manager.atom("_NET_WM_NAME"), manager.atom("UTF8_STRING")),
              "QM07 \xE2\x88\x9E");
    EXPECT_EQ(manager.property(idOf(*window), XCB_ATOM_WM_CLASS, XCB_ATOM_STRING), wmClass);
    const std::string hints =
        manager.property(idOf(*window), XCB_ATOM_WM_NORMAL_HINTS, XCB_ATOM_WM_SIZE_HINTS);
    ASSERT_EQ(hints.size(), 18u * 4u);
    std::vector<std::uint32_t> words(18);
    std::memcpy(words.data(), hints.data(), hints.size());
    EXPECT_EQ(words[0], (1u << 4) | (1u << 5)); // minimum and maximum size given
    EXPECT_EQ(std::vector<std::uint32_t>(words.begin() + 5, words.begin() + 9),
              (std::vector<std::uint32_t>{800, 220, 800, 220}));
}

TEST(TopLevelWindow, ClosedByItsButtonUntilShownAgainAndByDestructionForGood)
{
    const struct
    {
        const char* name;
        void (OtherClient::*act)(xcb_window_t);
        bool closedWhenShownAgain;
    } cases[] = {{"close button", &OtherClient::askToClose, false},
                 {"destroyed", &OtherClient::destroy, true}};
    for (const auto& c : cases)
    {
        auto window = TopLevelWindow::open({c.name, ""}, 100, 50);
        ASSERT_TRUE(window);
        window->show();
        EXPECT_FALSE(window->closeRequested()) << c.name;
        OtherClient other;
        (other.*c.act)(idOf(*window));
        EXPECT_TRUE(window->closeRequested()) << c.name;
        EXPECT_TRUE(window->closeRequested()) << c.name << ": asked again";
        window->hide();
        window->show();
        EXPECT_EQ(window->closeRequested(), c.closedWhenShownAgain) << c.name;
    }
}

} // namespace
