// The editor's life as the gui extension drives it: create, parent, show and hide in any order a host
// uses, and the timer and descriptor that pump it.
#pragma once

#include "ClapEditor.h"
#include "EditorPlatform.h"
#include "abi/ext/Gui.h"

#include <memory>

namespace qm07
{

/// Everything here runs on the main thread.
class ClapGui
{
public:
    static constexpr std::uint32_t kPumpMilliseconds = 30;

    explicit ClapGui(const ClapEditor::Links& to) : links(to) {}
    ~ClapGui() { destroy(); }
    ClapGui(const ClapGui&) = delete;
    ClapGui& operator=(const ClapGui&) = delete;

    static bool isApiSupported(const char* api, bool floating);

    /// Allocates; false for another API, a floating window, or while one exists. Starts the pump timer.
    bool create(const char* api, bool floating);
    /// Stops the timer and the watch, then closes the panel; nothing without an editor.
    void destroy();
    bool exists() const { return editor != nullptr; }
    /// Allocates. Opens the panel in the window (again, for a second parent), hidden until shown.
    bool setParent(const clap::clap_window* window, double sampleRate);
    /// Remembered before a parent is set; true once an editor exists.
    bool show() { return setVisible(true); }
    bool hide() { return setVisible(false); }
    /// The host's timer or the window's descriptor: the editor's idle.
    void pump();
    bool isPumpTimer(clap::clap_id id) const { return timer != clap::CLAP_INVALID_ID && id == timer; }

private:
    bool setVisible(bool shown);
    void watchDescriptor();
    void unwatchDescriptor();

    ClapEditor::Links links;
    std::unique_ptr<ClapEditor> editor;
    bool visible = false;
    clap::clap_id timer = clap::CLAP_INVALID_ID; ///< the host's, while it runs one for us
    FallbackTimer fallback;
    int watched = -1;
};

} // namespace qm07
