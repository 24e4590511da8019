// The editor window on X11: a fixed-size top-level window whose id the editor takes as its parent, as
// Linux hosts hand it over. Pointer events, the wheel (buttons 4 and 5) included, go straight to the
// editor's own window; keys that the editor's window does not take reach ours and go to the host.
#include "EditorWindow.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <poll.h>

#include <cstdint>

struct EditorWindow::Native
{
    Display* display = nullptr;
    Window window = 0;
    Atom deleteWindow = 0;
    bool closed = false;

    ~Native()
    {
        if (!display) return;
        if (window) XDestroyWindow(display, window);
        XCloseDisplay(display);
    }
};

namespace
{
void fixSize(Display* display, Window window, int x, int y, int width, int height)
{
    XSizeHints* hints = XAllocSizeHints();
    if (!hints) return;
    hints->flags = USPosition | PMinSize | PMaxSize;
    hints->x = x;
    hints->y = y;
    hints->min_width = hints->max_width = width;
    hints->min_height = hints->max_height = height;
    XSetWMNormalHints(display, window, hints);
    XFree(hints);
}

void waitUntilMapped(Display* display, Window window)
{
    XEvent event;
    do
        XWindowEvent(display, window, StructureNotifyMask, &event);
    while (event.type != MapNotify);
}

HostKey hostKey(KeySym symbol)
{
    switch (symbol)
    {
    case XK_Tab:
    case XK_ISO_Left_Tab:
        return HostKey::Tab;
    case XK_Left:
    case XK_KP_Left:
        return HostKey::Left;
    case XK_Up:
    case XK_KP_Up:
        return HostKey::Up;
    case XK_Right:
    case XK_KP_Right:
        return HostKey::Right;
    case XK_Down:
    case XK_KP_Down:
        return HostKey::Down;
    default:
        return HostKey::Other;
    }
}

VstKeyCode translateKey(XKeyEvent& event)
{
    char typed[8] = {};
    KeySym symbol = NoSymbol;
    const int length = XLookupString(&event, typed, sizeof(typed), &symbol, nullptr);
    const int character = length == 1 ? static_cast<unsigned char>(typed[0]) : 0;
    return makeKeyCode(hostKey(symbol), character, (event.state & ShiftMask) != 0);
}
} // namespace

EditorWindow::EditorWindow(std::unique_ptr<Native> state) : native(std::move(state)) {}

EditorWindow::~EditorWindow() = default;

std::unique_ptr<EditorWindow> EditorWindow::open(const std::string& title, int x, int y, int width,
                                                 int height, std::string& error)
{
    // Plug-ins may use Xlib from threads of their own; this must precede every other Xlib call.
    XInitThreads();
    auto state = std::make_unique<Native>();
    state->display = XOpenDisplay(nullptr);
    if (!state->display)
    {
        error = "cannot open the X display (is DISPLAY set?)";
        return nullptr;
    }
    Display* display = state->display;
    const int screen = DefaultScreen(display);
    state->window = XCreateSimpleWindow(display, RootWindow(display, screen), x, y,
                                        static_cast<unsigned>(width), static_cast<unsigned>(height), 0,
                                        BlackPixel(display, screen), BlackPixel(display, screen));
    XStoreName(display, state->window, title.c_str());
    fixSize(display, state->window, x, y, width, height);
    state->deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(display, state->window, &state->deleteWindow, 1);
    XSelectInput(display, state->window, KeyPressMask | KeyReleaseMask | StructureNotifyMask);
    XMapRaised(display, state->window);
    waitUntilMapped(display, state->window);
    XSync(display, False);
    return std::unique_ptr<EditorWindow>(new EditorWindow(std::move(state)));
}

void* EditorWindow::nativeHandle() const
{
    return reinterpret_cast<void*>(static_cast<std::uintptr_t>(native->window));
}

void EditorWindow::clientOrigin(int& x, int& y) const
{
    Window child = 0;
    XTranslateCoordinates(native->display, native->window, DefaultRootWindow(native->display), 0, 0, &x, &y,
                          &child);
}

void EditorWindow::resizeClient(int width, int height)
{
    int x = 0;
    int y = 0;
    clientOrigin(x, y);
    fixSize(native->display, native->window, x, y, width, height);
    XResizeWindow(native->display, native->window, static_cast<unsigned>(width),
                  static_cast<unsigned>(height));
    XFlush(native->display);
}

bool EditorWindow::handleEvents(int timeoutMs, const EditorKeyHandler& onKey)
{
    Display* display = native->display;
    if (!XPending(display))
    {
        pollfd connection = {ConnectionNumber(display), POLLIN, 0};
        poll(&connection, 1, timeoutMs > 0 ? timeoutMs : 0);
    }
    while (XPending(display))
    {
        XEvent event;
        XNextEvent(display, &event);
        if ((event.type == KeyPress || event.type == KeyRelease) && onKey)
            onKey(translateKey(event.xkey), event.type == KeyPress);
        else if (event.type == ClientMessage &&
                 static_cast<Atom>(event.xclient.data.l[0]) == native->deleteWindow)
            native->closed = true;
        else if (event.type == DestroyNotify && event.xdestroywindow.window == native->window)
        {
            native->closed = true;
            native->window = 0;
        }
    }
    return !native->closed;
}
