// The frame's child window on X11. Replies are checked and errors read as events, so nothing here
// depends on a process-wide error handler.
#include "FrameWindow.h"

#include "CDrawContext.h"
#include "CFrame.h"
#include "MouseButtons.h"
#include "XcbReply.h"

#include <algorithm>
#include <atomic>

namespace VSTGUI::x11
{

namespace
{

constexpr std::uint32_t kEventMask = XCB_EVENT_MASK_EXPOSURE | XCB_EVENT_MASK_BUTTON_PRESS |
                                     XCB_EVENT_MASK_KEY_PRESS | XCB_EVENT_MASK_KEY_RELEASE |
                                     XCB_EVENT_MASK_STRUCTURE_NOTIFY;
constexpr std::size_t kPutImageHeaderBytes = 24;
constexpr std::uint8_t kWheelUp = 4;
constexpr std::uint8_t kWheelDown = 5;

std::atomic<std::uint64_t> errorCount{0};

xcb_screen_t* screenOf(xcb_connection_t* link, xcb_window_t root)
{
    for (auto it = xcb_setup_roots_iterator(xcb_get_setup(link)); it.rem; xcb_screen_next(&it))
        if (it.data->root == root) return it.data;
    return nullptr;
}

template <typename Wanted>
const xcb_visualtype_t* findVisual(xcb_screen_t& screen, Wanted wanted, std::uint8_t& depth)
{
    for (auto d = xcb_screen_allowed_depths_iterator(&screen); d.rem; xcb_depth_next(&d))
        for (auto v = xcb_depth_visuals_iterator(d.data); v.rem; xcb_visualtype_next(&v))
            if (wanted(*v.data, d.data->depth))
            {
                depth = d.data->depth;
                return v.data;
            }
    return nullptr;
}

bool drawable(const xcb_visualtype_t& visual, std::uint8_t depth)
{
    return visual._class == XCB_VISUAL_CLASS_TRUE_COLOR && depth >= 24;
}

PixelFormat formatOf(xcb_connection_t* link, const xcb_visualtype_t& visual, std::uint8_t depth)
{
    const xcb_setup_t* setup = xcb_get_setup(link);
    PixelFormat format;
    format.redMask = visual.red_mask;
    format.greenMask = visual.green_mask;
    format.blueMask = visual.blue_mask;
    format.depth = depth;
    format.mostSignificantFirst = setup->image_byte_order == XCB_IMAGE_ORDER_MSB_FIRST;
    for (auto it = xcb_setup_pixmap_formats_iterator(setup); it.rem; xcb_format_next(&it))
        if (it.data->depth == depth)
        {
            format.bitsPerPixel = it.data->bits_per_pixel;
            format.scanlinePad = it.data->scanline_pad;
        }
    return format;
}

KeyboardMapping readKeyboardMapping(xcb_connection_t* link)
{
    const xcb_setup_t* setup = xcb_get_setup(link);
    const auto count = static_cast<std::uint8_t>(setup->max_keycode - setup->min_keycode + 1);
    auto reply = ask<xcb_get_keyboard_mapping_reply_t>(
        link, xcb_get_keyboard_mapping(link, setup->min_keycode, count), xcb_get_keyboard_mapping_reply);
    KeyboardMapping mapping;
    if (!reply) return mapping;
    const xcb_keysym_t* keysyms = xcb_get_keyboard_mapping_keysyms(reply.get());
    mapping.minKeycode = setup->min_keycode;
    mapping.perKeycode = reply->keysyms_per_keycode;
    mapping.keysyms.assign(keysyms, keysyms + xcb_get_keyboard_mapping_keysyms_length(reply.get()));
    return mapping;
}

/// One round trip, then every event queued so far read for its errors and the window's destruction.
bool drainAfterRoundTrip(xcb_connection_t* link, xcb_window_t window)
{
    ask<xcb_get_input_focus_reply_t>(link, xcb_get_input_focus(link), xcb_get_input_focus_reply);
    bool destroyed = false;
    while (Event event{xcb_poll_for_event(link)})
    {
        const auto type = event->response_type & 0x7F;
        if (type == 0) ++errorCount;
        if (type == XCB_DESTROY_NOTIFY &&
            reinterpret_cast<xcb_destroy_notify_event_t&>(*event).window == window)
            destroyed = true;
    }
    return destroyed;
}

} // namespace

/// The visual the window is made with: the parent's when it can be drawn, else a 24-bit TrueColor one.
struct FrameWindow::Visual
{
    xcb_window_t root = 0;
    xcb_visualid_t id = 0;
    std::uint8_t depth = 0;
    bool parentsOwn = true;
    PixelFormat format;

    bool choose(xcb_connection_t* connection, xcb_window_t parentWindow)
    {
        auto geometry = ask<xcb_get_geometry_reply_t>(connection, xcb_get_geometry(connection, parentWindow),
                                                      xcb_get_geometry_reply);
        auto attributes = ask<xcb_get_window_attributes_reply_t>(
            connection, xcb_get_window_attributes(connection, parentWindow), xcb_get_window_attributes_reply);
        xcb_screen_t* screen = geometry ? screenOf(connection, geometry->root) : nullptr;
        if (!attributes || !screen) return false;
        root = geometry->root;
        const xcb_visualid_t inherited = attributes->visual;
        const xcb_visualtype_t* visual = findVisual(
            *screen,
            [inherited](const xcb_visualtype_t& v, std::uint8_t) { return v.visual_id == inherited; }, depth);
        parentsOwn = visual && drawable(*visual, depth);
        if (!parentsOwn)
            visual = findVisual(
                *screen,
                [](const xcb_visualtype_t& v, std::uint8_t d)
                { return v._class == XCB_VISUAL_CLASS_TRUE_COLOR && d == 24; },
                depth);
        if (!visual) return false;
        id = visual->visual_id;
        format = formatOf(connection, *visual, depth);
        return canPack(format);
    }
};

std::unique_ptr<FrameWindow> FrameWindow::create(CFrame& frame, xcb_window_t parent, std::int32_t width,
                                                 std::int32_t height)
{
    xcb_connection_t* link = xcb_connect(nullptr, nullptr);
    Visual visual;
    if (xcb_connection_has_error(link) || !visual.choose(link, parent))
    {
        xcb_disconnect(link);
        return nullptr;
    }
    std::unique_ptr<FrameWindow> made(new FrameWindow(frame, link, visual, parent, width, height));
    return made->window ? std::move(made) : nullptr;
}

FrameWindow::FrameWindow(CFrame& owner, xcb_connection_t* connection, const Visual& visual,
                         xcb_window_t parentWindow, std::int32_t width, std::int32_t height)
    : frame(owner), link(connection), parent(parentWindow), root(visual.root), format(visual.format),
      maxRequestBytes(std::size_t{xcb_get_maximum_request_length(connection)} * 4), pixels(width, height)
{
    if (!visual.parentsOwn)
    {
        colormap = xcb_generate_id(link);
        xcb_create_colormap(link, XCB_COLORMAP_ALLOC_NONE, colormap, root, visual.id);
    }
    // No background: the server keeps what is on screen until the exposed part is painted, so no flicker.
    const std::uint32_t values[] = {XCB_BACK_PIXMAP_NONE, 0, kEventMask,
                                    colormap ? colormap : std::uint32_t{XCB_COPY_FROM_PARENT}};
    const xcb_window_t id = xcb_generate_id(link);
    const auto made = xcb_create_window_checked(
        link, visual.depth, id, parent, 0, 0, static_cast<std::uint16_t>(width),
        static_cast<std::uint16_t>(height), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT, visual.id,
        XCB_CW_BACK_PIXMAP | XCB_CW_BORDER_PIXEL | XCB_CW_EVENT_MASK | XCB_CW_COLORMAP, values);
    if (xcb_generic_error_t* error = xcb_request_check(link, made))
    {
        std::free(error);
        return;
    }
    window = id;
    graphics = xcb_generate_id(link);
    const std::uint32_t noExposures = 0;
    xcb_create_gc(link, graphics, window, XCB_GC_GRAPHICS_EXPOSURES, &noExposures);
    xcb_map_window(link, window);
    xcb_flush(link);
}

FrameWindow::~FrameWindow()
{
    // The host may have destroyed its window, and ours with it, already.
    if (window && !gone && !drainAfterRoundTrip(link, window)) xcb_destroy_window(link, window);
    if (graphics) xcb_free_gc(link, graphics);
    if (colormap) xcb_free_colormap(link, colormap);
    drainAfterRoundTrip(link, window);
    xcb_disconnect(link);
}

void FrameWindow::readEvents()
{
    while (Event event{xcb_poll_for_event(link)})
    {
        switch (event->response_type & 0x7F)
        {
        case 0:
            ++errorCount;
            break;
        case XCB_EXPOSE:
        {
            const auto& area = reinterpret_cast<const xcb_expose_event_t&>(*event);
            exposed = unite(exposed, CRect(area.x, area.y, area.x + area.width, area.y + area.height));
            break;
        }
        case XCB_BUTTON_PRESS:
        case XCB_KEY_PRESS:
        case XCB_KEY_RELEASE:
            input.push_back(std::move(event));
            break;
        case XCB_DESTROY_NOTIFY:
            if (reinterpret_cast<const xcb_destroy_notify_event_t&>(*event).window != window) break;
            gone = true;
            frame.windowDestroyed();
            break;
        case XCB_MAPPING_NOTIFY:
            keyboard = KeyboardMapping();
            break;
        default:
            break;
        }
    }
}

void FrameWindow::paintExposures()
{
    readEvents();
    if (gone || exposed.isEmpty()) return;
    const CRect area = exposed;
    exposed = CRect();
    pixels.resend(area);
    auto* context = new CDrawContext(&frame, nullptr, handleOf(window));
    frame.paintRect(context, area);
    context->forget();
}

void FrameWindow::handleEvents()
{
    paintExposures();
    if (handlingInput) return;
    handlingInput = true;
    while (!input.empty() && !gone)
    {
        Event event = std::move(input.front());
        input.pop_front();
        dispatch(*event);
    }
    handlingInput = false;
}

void FrameWindow::dispatch(const xcb_generic_event_t& event)
{
    switch (event.response_type & 0x7F)
    {
    case XCB_BUTTON_PRESS:
        press(reinterpret_cast<const xcb_button_press_event_t&>(event));
        break;
    case XCB_KEY_PRESS:
        key(reinterpret_cast<const xcb_key_press_event_t&>(event), true);
        break;
    case XCB_KEY_RELEASE:
        key(reinterpret_cast<const xcb_key_press_event_t&>(event), false);
        break;
    default:
        break;
    }
}

void FrameWindow::press(const xcb_button_press_event_t& event)
{
    const CPoint where(event.event_x, event.event_y);
    const bool wheel = event.detail == kWheelUp || event.detail == kWheelDown;
    // The buttons of the event itself: a click may be over before it is handled.
    const std::int32_t buttons = buttonsOfPress(event.detail, event.state);
    if (!wheel && !(buttons & (kLButton | kMButton | kRButton))) return;
    auto* context = new CDrawContext(&frame, nullptr, handleOf(window));
    if (wheel)
        frame.onWheel(context, where, event.detail == kWheelUp ? 1.0f : -1.0f);
    else
        frame.mouse(context, where, buttons);
    context->forget();
}

void FrameWindow::key(const xcb_key_press_event_t& event, bool pressed)
{
    if (keyboard.keysyms.empty()) keyboard = readKeyboardMapping(link);
    const bool shift = (event.state & XCB_MOD_MASK_SHIFT) != 0;
    CKeyCode code = keyCodeOf(keysymOf(keyboard, event.detail, shift), shift);
    if ((pressed ? frame.onKeyDown(code) : frame.onKeyUp(code)) != -1) return;
    // A key the editor does not use goes on to the host's window, as if the editor had never asked for keys.
    xcb_key_press_event_t forwarded = event;
    // A plain key event: the server adds the mark of a sent one.
    forwarded.response_type = pressed ? XCB_KEY_PRESS : XCB_KEY_RELEASE;
    forwarded.event = parent;
    forwarded.child = window;
    xcb_send_event(link, 0, parent, pressed ? XCB_EVENT_MASK_KEY_PRESS : XCB_EVENT_MASK_KEY_RELEASE,
                   reinterpret_cast<const char*>(&forwarded));
    xcb_flush(link);
}

raster::Surface* FrameWindow::borrowSurface()
{
    ++borrowers;
    return &pixels.surface();
}

void FrameWindow::returnSurface()
{
    if (--borrowers == 0) present();
}

void FrameWindow::present()
{
    const CRect area = pixels.takeChanges();
    if (gone || area.isEmpty()) return;
    const std::size_t stride = rowBytes(format, area.getWidth());
    const auto rows = static_cast<std::int32_t>(
        std::max<std::size_t>(1, (maxRequestBytes - kPutImageHeaderBytes) / stride));
    for (std::int32_t top = area.top; top < area.bottom; top += rows)
    {
        const CRect band(area.left, top, area.right, std::min(area.bottom, top + rows));
        packPixels(pixels.surface(), band, format, packed);
        xcb_put_image(link, XCB_IMAGE_FORMAT_Z_PIXMAP, window, graphics,
                      static_cast<std::uint16_t>(band.getWidth()),
                      static_cast<std::uint16_t>(band.getHeight()), static_cast<std::int16_t>(band.left),
                      static_cast<std::int16_t>(band.top), 0, format.depth,
                      static_cast<std::uint32_t>(packed.size()), packed.data());
    }
    xcb_flush(link);
}

void FrameWindow::resize(std::int32_t width, std::int32_t height)
{
    const std::uint32_t size[] = {static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height)};
    xcb_configure_window(link, window, XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT, size);
    xcb_flush(link);
    pixels = WindowPixels(width, height);
}

void FrameWindow::setMapped(bool mapped)
{
    if (gone) return;
    if (mapped)
        xcb_map_window(link, window);
    else
        xcb_unmap_window(link, window);
    xcb_flush(link);
}

void FrameWindow::showCursor(std::uint16_t glyph)
{
    xcb_cursor_t cursor = XCB_NONE;
    if (glyph != kParentCursor)
    {
        const xcb_font_t font = xcb_generate_id(link);
        xcb_open_font(link, font, 6, "cursor");
        cursor = xcb_generate_id(link);
        xcb_create_glyph_cursor(link, cursor, font, font, glyph, glyph + 1, 0, 0, 0, 0xFFFF, 0xFFFF, 0xFFFF);
        xcb_close_font(link, font);
    }
    xcb_change_window_attributes(link, window, XCB_CW_CURSOR, &cursor);
    if (cursor != XCB_NONE) xcb_free_cursor(link, cursor);
    xcb_flush(link);
}

std::uint64_t protocolErrors()
{
    return errorCount.load();
}

} // namespace VSTGUI::x11
