// The editor thread's identity for the hand-over.
#include "ParameterHandOver.h"

#include "PlatformFrame.h"

namespace qm07
{

void ParameterHandOver::attach()
{
    editorThread.store(VSTGUI::platform::currentThread());
}

bool ParameterHandOver::onEditorThread() const
{
    return editorThread.load(std::memory_order_relaxed) == VSTGUI::platform::currentThread();
}

} // namespace qm07
