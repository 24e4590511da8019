// gui and timer-support: a fixed 800 × 220 panel embedded in the host's window, pumped by the host's timer.
#include "ClapExtensions.h"
#include "ClapPlugin.h"
#include "CompressorPanel.h"

namespace qm07
{

namespace
{
ClapPlugin& onMain(const clap::clap_plugin* p, const char* function)
{
    ClapPlugin& self = ClapPlugin::of(p);
    self.hostAccess().expectMainThread(function);
    return self;
}

/// Main thread; no allocation.
bool isApiSupported(const clap::clap_plugin* p, const char* api, bool floating)
{
    onMain(p, "gui.is_api_supported");
    return ClapGui::isApiSupported(api, floating);
}

/// Main thread; no allocation. The static name, never a copy.
bool getPreferredApi(const clap::clap_plugin* p, const char** api, bool* floating)
{
    onMain(p, "gui.get_preferred_api");
    if (!api || !floating) return false;
    *api = editorWindowApi();
    *floating = false;
    return true;
}

/// Main thread; allocates the editor, not yet its window.
bool create(const clap::clap_plugin* p, const char* api, bool floating)
{
    return onMain(p, "gui.create").editor().create(api, floating);
}

/// Main thread; frees the editor and its window.
void destroy(const clap::clap_plugin* p)
{
    onMain(p, "gui.destroy").editor().destroy();
}

/// Main thread; no allocation. The panel draws at one scale; the host scales nothing of it either.
bool setScale(const clap::clap_plugin* p, double)
{
    onMain(p, "gui.set_scale");
    return false;
}

/// Main thread; no allocation.
bool getSize(const clap::clap_plugin* p, std::uint32_t* width, std::uint32_t* height)
{
    onMain(p, "gui.get_size");
    if (!width || !height) return false;
    *width = kPanelWidth;
    *height = kPanelHeight;
    return true;
}

/// Main thread; no allocation.
bool canResize(const clap::clap_plugin* p)
{
    onMain(p, "gui.can_resize");
    return false;
}

/// Main thread; no allocation.
bool getResizeHints(const clap::clap_plugin* p, clap::clap_gui_resize_hints*)
{
    onMain(p, "gui.get_resize_hints");
    return false;
}

/// Main thread; no allocation. Every proposal becomes the one size.
bool adjustSize(const clap::clap_plugin* p, std::uint32_t* width, std::uint32_t* height)
{
    return getSize(p, width, height);
}

/// Main thread; no allocation.
bool setSize(const clap::clap_plugin* p, std::uint32_t width, std::uint32_t height)
{
    onMain(p, "gui.set_size");
    return width == kPanelWidth && height == kPanelHeight;
}

/// Main thread; allocates the panel's window in the parent.
bool setParent(const clap::clap_plugin* p, const clap::clap_window* window)
{
    ClapPlugin& self = onMain(p, "gui.set_parent");
    return self.editor().setParent(window, self.sampleRate());
}

/// Main thread; no allocation. Embedded only: there is no window of our own to keep above another.
bool setTransient(const clap::clap_plugin* p, const clap::clap_window*)
{
    onMain(p, "gui.set_transient");
    return false;
}

/// Main thread; no allocation. Embedded only: the host's window has the title.
void suggestTitle(const clap::clap_plugin* p, const char*)
{
    onMain(p, "gui.suggest_title");
}

/// Main thread; no allocation.
bool show(const clap::clap_plugin* p)
{
    return onMain(p, "gui.show").editor().show();
}

/// Main thread; no allocation.
bool hide(const clap::clap_plugin* p)
{
    return onMain(p, "gui.hide").editor().hide();
}

/// Main thread; may allocate (drawing). The editor's idle, at about 30 Hz.
void onTimer(const clap::clap_plugin* p, clap::clap_id id)
{
    ClapGui& gui = onMain(p, "timer_support.on_timer").editor();
    if (gui.isPumpTimer(id)) gui.pump();
}
} // namespace

const clap::clap_plugin_gui kGuiExtension = {
    isApiSupported, getPreferredApi, create,         destroy,    setScale,
    getSize,        canResize,       getResizeHints, adjustSize, setSize,
    setParent,      setTransient,    suggestTitle,   show,       hide};
const clap::clap_plugin_timer_support kTimerExtension = {onTimer};

} // namespace qm07
