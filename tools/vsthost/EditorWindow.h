// The host's top-level window in which a plug-in opens its editor; one implementation per platform.
#pragma once

#include "EffectRecord.h"

#include <functional>
#include <memory>
#include <string>

/// Receives a key the window system reported, already translated; answers whether the editor used it.
using EditorKeyHandler = std::function<bool(const VstKeyCode& key, bool pressed)>;

/// What the platform reports for a key, before it becomes a VstKeyCode.
enum class HostKey
{
    Other,
    Tab,
    Left,
    Up,
    Right,
    Down,
};

/// The key record hosts send with effEditKeyDown/effEditKeyUp: the character, the virtual key (0 for
/// keys that are only a character) and the modifier bits.
inline VstKeyCode makeKeyCode(HostKey key, int character, bool shift)
{
    VstKeyCode code{character, 0, static_cast<unsigned char>(shift ? MODIFIER_SHIFT : 0)};
    switch (key)
    {
    case HostKey::Tab:
        code.virt = VKEY_TAB;
        break;
    case HostKey::Left:
        code.virt = VKEY_LEFT;
        break;
    case HostKey::Up:
        code.virt = VKEY_UP;
        break;
    case HostKey::Right:
        code.virt = VKEY_RIGHT;
        break;
    case HostKey::Down:
        code.virt = VKEY_DOWN;
        break;
    case HostKey::Other:
        break;
    }
    return code;
}

/// A visible top-level window whose client area has the editor's size. Its native handle (an HWND on
/// Windows, an X11 window id elsewhere) is what effEditOpen takes. One window may host any number of
/// editors in turn (open, close, open again), which is much cheaper than a new window each time: some
/// window systems take seconds to destroy a top-level window. All calls belong to the thread that
/// opened the window.
class EditorWindow
{
public:
    /// Opens and shows the window at screen position (x, y); null with a reason when there is no
    /// display or the window cannot be made.
    static std::unique_ptr<EditorWindow> open(const std::string& title, int x, int y, int width, int height,
                                              std::string& error);
    ~EditorWindow();

    EditorWindow(const EditorWindow&) = delete;
    EditorWindow& operator=(const EditorWindow&) = delete;

    void* nativeHandle() const;
    /// Top-left corner of the client area in screen coordinates.
    void clientOrigin(int& x, int& y) const;
    /// Gives the client area a new size, for editors that know theirs only once open.
    void resizeClient(int width, int height);
    /// Handles the window system's pending events, waiting up to timeoutMs for the first one. Keys go to
    /// onKey; the wheel goes to the window under the pointer. False once the user has closed the window.
    bool handleEvents(int timeoutMs, const EditorKeyHandler& onKey);

    struct Native;

private:
    explicit EditorWindow(std::unique_ptr<Native> state);
    std::unique_ptr<Native> native;
};
