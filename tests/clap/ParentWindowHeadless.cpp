// The parent as a window of the headless toolkit: its children are the toolkit's live windows.
#include "ParentWindow.h"

#include "EditorPlatform.h"
#include "HeadlessPlatform.h"

namespace qm07::test
{

using VSTGUI::headless::Window;

// The editor's window reports a descriptor, as on X11, so the host's watch of it is exercised.
ParentWindow::ParentWindow() : handle(new Window)
{
    VSTGUI::headless::environment().eventDescriptor = 42;
}

ParentWindow::~ParentWindow()
{
    VSTGUI::headless::environment().eventDescriptor = -1;
    delete static_cast<Window*>(handle);
}

clap::clap_window ParentWindow::window() const
{
    clap::clap_window window{};
    window.api = editorWindowApi();
    window.x11 = static_cast<clap::clap_xwnd>(reinterpret_cast<std::uintptr_t>(handle));
    return window;
}

int ParentWindow::children() const
{
    int count = 0;
    for (const Window* window : VSTGUI::headless::environment().windows)
        count += window->parent == handle;
    return count;
}

bool ParentWindow::childShown() const
{
    for (const Window* window : VSTGUI::headless::environment().windows)
        if (window->parent == handle) return window->visible;
    return false;
}

} // namespace qm07::test
