// The parent as a window of the headless toolkit: its children are the toolkit's live windows.
#include "ParentWindow.h"

#include "EditorPlatform.h"
#include "HeadlessPlatform.h"

namespace qm07::test
{

namespace
{
using VSTGUI::headless::Window;

Window* childOf(void* parent)
{
    for (Window* window : VSTGUI::headless::environment().windows)
        if (window->parent == parent) return window;
    return nullptr;
}
} // namespace

ParentWindow::ParentWindow() : handle(new Window)
{
    static_cast<Window*>(handle)->width = 800;
    static_cast<Window*>(handle)->height = 220;
}

ParentWindow::~ParentWindow()
{
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
    for (Window* window : VSTGUI::headless::environment().windows)
        count += window->parent == handle;
    return count;
}

bool ParentWindow::childShown() const
{
    const Window* child = childOf(handle);
    return child && child->visible;
}

void ParentWindow::runFor(int) const {}

} // namespace qm07::test
