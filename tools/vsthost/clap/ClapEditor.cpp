// The main thread's side of a CLAP instance: the embedded editor, the plug-in's timers and descriptors,
// its requests for callbacks and flushes, and the edits it reports, checked as they pass.
#include "ClapInstance.h"

#include "ClapPlatform.h"

#include <algorithm>
#include <cmath>

using namespace qm07::clap;

namespace
{
constexpr double kLongestIdlePeriod = 1.0 / 30.0;
} // namespace

bool ClapInstance::guiSupports(const char* api, bool floating) const
{
    return gui && gui->is_api_supported(plugin, api, floating);
}

bool ClapInstance::hasEditor()
{
    return guiSupports(ClapPlatform::windowApi(), false);
}

bool ClapInstance::createEditor()
{
    if (editorCreated) return true;
    if (!hasEditor()) return false;
    editorCreated = gui->create(plugin, ClapPlatform::windowApi(), false);
    if (!editorCreated) context->note("gui.create failed");
    return editorCreated;
}

void ClapInstance::destroyEditor()
{
    gui->destroy(plugin);
    editorCreated = false;
}

bool ClapInstance::editorSize(int& width, int& height)
{
    std::uint32_t w = 0;
    std::uint32_t h = 0;
    if (!createEditor() || !gui->get_size(plugin, &w, &h) || w == 0 || h == 0) return false;
    width = static_cast<int>(w);
    height = static_cast<int>(h);
    return true;
}

bool ClapInstance::openEditor(void* parent)
{
    int width = 0;
    int height = 0;
    if (!createEditor()) return false;
    // The order hosts use: ask about resizing and the size before embedding, then show.
    gui->can_resize(plugin);
    editorSize(width, height);
    const clap_window window = ClapPlatform::window(parent);
    if (gui->set_parent(plugin, &window) && gui->show(plugin)) return true;
    context->note("gui.set_parent or gui.show failed");
    destroyEditor();
    return false;
}

void ClapInstance::closeEditor()
{
    if (!editorCreated) return;
    destroyEditor();
    serviceMainThread();
}

double ClapInstance::idlePeriod()
{
    double period = kLongestIdlePeriod;
    for (const auto& timer : context->timers())
        period = std::min(period, std::chrono::duration<double>(timer.period).count());
    return period;
}

void ClapInstance::runTimersAndDescriptors()
{
    for (const clap_id id : context->dueTimers(ClapHostContext::Clock::now()))
    {
        // An earlier timer's callback may have unregistered this one.
        const auto& timers = context->timers();
        const bool still =
            std::any_of(timers.begin(), timers.end(), [id](const auto& t) { return t.id == id; });
        if (still && timerSupport) timerSupport->on_timer(plugin, id);
    }
    if (!fdSupport) return;
    ClapPlatform::pollDescriptors(context->descriptors(), [this](int fd, clap_posix_fd_flags_t what)
                                  { fdSupport->on_fd(plugin, fd, what); });
}

void ClapInstance::serviceMainThread()
{
    if (context->takeCallbackRequest()) plugin->on_main_thread(plugin);
    runTimersAndDescriptors();
    // While active the next block collects what the plug-in has to say.
    if (context->takeFlushRequest() && !active)
    {
        inputEvents.clear();
        flushOnMainThread();
    }
    reportEvents();
}

void ClapInstance::reportEvents()
{
    for (ClapReportedEvent event; outputEvents.take(event);)
        report(event);
    if (const std::size_t malformed = outputEvents.takeMalformed())
        context->note("fault: " + std::to_string(malformed) + " output events were smaller than their type");
}

void ClapInstance::report(const ClapReportedEvent& event)
{
    const int index = indexOf(event.param);
    if (index < 0)
    {
        context->note("fault: an output event names the unknown parameter id " + std::to_string(event.param));
        return;
    }
    const auto at = static_cast<std::size_t>(index);
    const std::string which = "parameter " + std::to_string(index);
    EditReport edit{EditReport::Kind::Value, index, event.value};
    if (event.type == CLAP_EVENT_PARAM_GESTURE_BEGIN)
    {
        if (gestureOpen[at])
            context->note("fault: a second gesture begins on " + which + " before the first ended");
        gestureOpen[at] = true;
        edit.kind = EditReport::Kind::Begin;
    }
    else if (event.type == CLAP_EVENT_PARAM_GESTURE_END)
    {
        if (!gestureOpen[at]) context->note("fault: a gesture ends on " + which + " without beginning");
        gestureOpen[at] = false;
        edit.kind = EditReport::Kind::End;
    }
    else if (!(event.value >= parameters[at].min_value && event.value <= parameters[at].max_value))
        context->note("fault: " + which + " reported at " + std::to_string(event.value) +
                      ", outside its range");
    if (editObserver) editObserver(edit);
}

int ClapInstance::indexOf(clap_id param) const
{
    for (std::size_t i = 0; i < parameters.size(); ++i)
        if (parameters[i].id == param) return static_cast<int>(i);
    return -1;
}
