// The editor on the X11 back end in host windows of each TrueColor depth the server offers: the window
// shows the software renderer's picture, takes clicks and keys, passes the keys it does not use to the
// host's window, and the server reports no error on the way.
#include "CFrame.h"
#include "FrameWindow.h"
#include "PngImage.h"
#include "TarvelCompressor.h"
#include "TarvelCompressorGUI.h"

#include <gtest/gtest.h>

#include <X11/keysym.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

using namespace qm07;

namespace
{

std::intptr_t hostCallback(AEffect*, std::int32_t opcode, std::int32_t, std::intptr_t, void*, float)
{
    return opcode == audioMasterVersion ? 2400 : 0;
}

/// A mapped top-level window with a TrueColor visual of `depth`, on a connection of the test's own.
class HostWindow
{
public:
    HostWindow(xcb_connection_t* connection, std::uint8_t depth) : link(connection)
    {
        xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(link)).data;
        for (auto d = xcb_screen_allowed_depths_iterator(screen); d.rem && !visual; xcb_depth_next(&d))
            for (auto v = xcb_depth_visuals_iterator(d.data); v.rem && !visual; xcb_visualtype_next(&v))
                if (d.data->depth == depth && v.data->_class == XCB_VISUAL_CLASS_TRUE_COLOR) visual = v.data;
        if (!visual) return;
        colormap = xcb_generate_id(link);
        xcb_create_colormap(link, XCB_COLORMAP_ALLOC_NONE, colormap, screen->root, visual->visual_id);
        id = xcb_generate_id(link);
        // Keys selected: the editor passes on the keys it does not use.
        const std::uint32_t values[] = {0, 0, XCB_EVENT_MASK_KEY_PRESS, colormap};
        xcb_create_window(link, depth, id, screen->root, 30, 30, 800, 220, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                          visual->visual_id,
                          XCB_CW_BACK_PIXEL | XCB_CW_BORDER_PIXEL | XCB_CW_EVENT_MASK | XCB_CW_COLORMAP,
                          values);
        xcb_map_window(link, id);
        std::free(xcb_get_input_focus_reply(link, xcb_get_input_focus(link), nullptr));
    }
    ~HostWindow()
    {
        if (id) xcb_destroy_window(link, id);
        if (colormap) xcb_free_colormap(link, colormap);
        xcb_flush(link);
    }

    /// The window's pixels as 8-bit red, green and blue, read back from the server.
    std::vector<std::uint8_t> rgb(xcb_window_t window) const
    {
        std::vector<std::uint8_t> pixels;
        auto* image = xcb_get_image_reply(
            link, xcb_get_image(link, XCB_IMAGE_FORMAT_Z_PIXMAP, window, 0, 0, 800, 220, ~0u), nullptr);
        if (!image || xcb_get_image_data_length(image) != 800 * 220 * 4) return pixels;
        const std::uint8_t* data = xcb_get_image_data(image);
        for (int i = 0; i < 800 * 220; ++i)
        {
            const std::uint32_t value = data[4 * i] | data[4 * i + 1] << 8 | data[4 * i + 2] << 16 |
                                        std::uint32_t{data[4 * i + 3]} << 24;
            for (std::uint32_t mask : {visual->red_mask, visual->green_mask, visual->blue_mask})
                pixels.push_back(static_cast<std::uint8_t>((value & mask) / (mask & ~(mask << 1))));
        }
        std::free(image);
        return pixels;
    }

    xcb_connection_t* link;
    const xcb_visualtype_t* visual = nullptr;
    xcb_colormap_t colormap = 0;
    xcb_window_t id = 0;
};

std::vector<std::uint8_t> golden(const std::string& name)
{
    std::ifstream file(std::string(QM07_GOLDEN_DIR) + "/" + name + ".png", std::ios::binary);
    const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(file),
                                           std::istreambuf_iterator<char>()};
    VSTGUI::DecodedImage image;
    std::vector<std::uint8_t> pixels;
    if (!VSTGUI::decodeImage(bytes.data(), bytes.size(), image)) return pixels;
    for (std::uint32_t pixel : image.pixels)
        for (int shift : {16, 8, 0})
            pixels.push_back(static_cast<std::uint8_t>(pixel >> shift));
    return pixels;
}

std::uint8_t keycodeOf(xcb_connection_t* link, xcb_keysym_t keysym)
{
    const xcb_setup_t* setup = xcb_get_setup(link);
    const int count = setup->max_keycode - setup->min_keycode + 1;
    auto* mapping = xcb_get_keyboard_mapping_reply(
        link, xcb_get_keyboard_mapping(link, setup->min_keycode, static_cast<std::uint8_t>(count)), nullptr);
    std::uint8_t keycode = 0;
    const xcb_keysym_t* keysyms = mapping ? xcb_get_keyboard_mapping_keysyms(mapping) : nullptr;
    for (int i = 0; keysyms && i < count * mapping->keysyms_per_keycode && !keycode; ++i)
        if (keysyms[i] == keysym)
            keycode = static_cast<std::uint8_t>(setup->min_keycode + i / mapping->keysyms_per_keycode);
    std::free(mapping);
    return keycode;
}

/// An event as the server would deliver it to `window`, sent from the test's connection.
void send(xcb_connection_t* link, xcb_window_t window, std::uint8_t type, std::uint8_t detail, std::int16_t x,
          std::int16_t y)
{
    xcb_button_press_event_t event = {};
    event.response_type = type;
    event.detail = detail;
    event.event = window;
    event.event_x = x;
    event.event_y = y;
    event.same_screen = 1;
    const std::uint32_t mask =
        type == XCB_BUTTON_PRESS ? XCB_EVENT_MASK_BUTTON_PRESS : XCB_EVENT_MASK_KEY_PRESS;
    xcb_send_event(link, 0, window, mask, reinterpret_cast<const char*>(&event));
    std::free(xcb_get_input_focus_reply(link, xcb_get_input_focus(link), nullptr));
}

int largestDifference(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b)
{
    if (a.size() != b.size()) return 256;
    int largest = 0;
    for (std::size_t i = 0; i < a.size(); ++i)
        largest = std::max(largest, std::abs(a[i] - b[i]));
    return largest;
}

} // namespace

TEST(X11EditorWindow, ShowsTheSoftwareRenderAtEveryTrueColorDepthWithoutAnError)
{
    xcb_connection_t* link = xcb_connect(nullptr, nullptr);
    ASSERT_FALSE(xcb_connection_has_error(link));
    const std::vector<std::uint8_t> expected = golden("editor-defaults");
    ASSERT_FALSE(expected.empty());
    const std::uint64_t errorsBefore = VSTGUI::x11::protocolErrors();
    for (std::uint8_t depth : {24, 32})
    {
        HostWindow host(link, depth);
        ASSERT_TRUE(host.id) << "no TrueColor visual of depth " << int(depth);
        TarvelCompressor effect(hostCallback, createCompressorEditor);
        auto& editor = *static_cast<TarvelCompressorGUI*>(effect.getEditor());
        ASSERT_TRUE(editor.open(VSTGUI::x11::handleOf(host.id))) << int(depth);
        const auto child = VSTGUI::x11::windowOf(editor.getFrame()->getWindow());
        int difference = 256;
        // The first exposure arrives a moment after the window is mapped.
        for (int attempt = 0; attempt < 100 && difference > 1; ++attempt)
        {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            editor.idle();
            difference = largestDifference(host.rgb(child), expected);
        }
        EXPECT_LE(difference, 1) << "depth " << int(depth);
        editor.close();
    }
    EXPECT_EQ(VSTGUI::x11::protocolErrors(), errorsBefore);
    xcb_disconnect(link);
}

TEST(X11EditorWindow, TakesItsClicksAndKeysAndPassesTheKeysItDoesNotUseToTheHost)
{
    xcb_connection_t* link = xcb_connect(nullptr, nullptr);
    ASSERT_FALSE(xcb_connection_has_error(link));
    const std::uint64_t errorsBefore = VSTGUI::x11::protocolErrors();
    {
        HostWindow host(link, 24);
        TarvelCompressor effect(hostCallback, createCompressorEditor);
        auto& editor = *static_cast<TarvelCompressorGUI*>(effect.getEditor());
        ASSERT_TRUE(editor.open(VSTGUI::x11::handleOf(host.id)));
        const auto child = VSTGUI::x11::windowOf(editor.getFrame()->getWindow());
        // Tab gives the first knob the focus, 'a' is no key of a knob's, then a click on the Push lever's
        // right third.
        send(link, child, XCB_KEY_PRESS, keycodeOf(link, XK_Tab), 10, 10);
        send(link, child, XCB_KEY_PRESS, keycodeOf(link, XK_a), 10, 10);
        send(link, child, XCB_BUTTON_PRESS, 1, 733, 170);
        std::vector<std::uint8_t> forwarded;
        for (int attempt = 0; attempt < 50 && (forwarded.empty() || effect.getParameter(kPush) != 1.0f);
             ++attempt)
        {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            editor.idle();
            while (xcb_generic_event_t* event = xcb_poll_for_event(link))
            {
                if ((event->response_type & 0x7F) == XCB_KEY_PRESS)
                    forwarded.push_back(reinterpret_cast<xcb_key_press_event_t*>(event)->detail);
                std::free(event);
            }
        }
        EXPECT_EQ(effect.getParameter(kPush), 1.0f);
        EXPECT_EQ(forwarded, std::vector<std::uint8_t>{keycodeOf(link, XK_a)});
        editor.close();
    }
    EXPECT_EQ(VSTGUI::x11::protocolErrors(), errorsBefore);
    xcb_disconnect(link);
}
