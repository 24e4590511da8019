// Embedded editors only: the panel has one size, and the host owns the window it lives in.
#include "ClapGui.h"

#include <cstring>
#include <new>

namespace qm07
{

bool ClapGui::isApiSupported(const char* api, bool floating)
{
    return !floating && api && std::strcmp(api, editorWindowApi()) == 0;
}

bool ClapGui::create(const char* api, bool floating)
{
    if (editor || !isApiSupported(api, floating)) return false;
    editor.reset(new (std::nothrow) ClapEditor(links));
    if (!editor) return false;
    visible = false;
    if (links.host.registerTimer(kPumpMilliseconds, timer)) return true;
    timer = clap::CLAP_INVALID_ID;
    fallback.start([](void* self) { static_cast<ClapGui*>(self)->pump(); }, this, kPumpMilliseconds);
    return true;
}

void ClapGui::destroy()
{
    if (!editor) return;
    if (timer != clap::CLAP_INVALID_ID) links.host.unregisterTimer(timer);
    timer = clap::CLAP_INVALID_ID;
    fallback.stop();
    unwatchDescriptor();
    editor.reset();
}

bool ClapGui::setParent(const clap::clap_window* window, double sampleRate)
{
    if (!editor || !window || !window->api || std::strcmp(window->api, editorWindowApi()) != 0) return false;
    unwatchDescriptor();
    editor->close();
    if (!editor->open(nativeParent(*window), visible, sampleRate)) return false;
    watchDescriptor();
    return true;
}

bool ClapGui::setVisible(bool shown)
{
    if (!editor) return false;
    visible = shown;
    if (editor->isOpen()) editor->setVisible(shown);
    return true;
}

void ClapGui::pump()
{
    if (editor) editor->idle();
}

void ClapGui::watchDescriptor()
{
    const int fd = editor->eventDescriptor();
    if (fd >= 0 && links.host.registerFd(fd)) watched = fd;
}

void ClapGui::unwatchDescriptor()
{
    if (watched >= 0) links.host.unregisterFd(watched);
    watched = -1;
}

} // namespace qm07
