// The UI library's only export: the descriptor of urn:tarvel:qm07-compressor#ui, an X11 UI in ui:parent.
#include "Lv2Editor.h"
#include "PortLayout.h"

#include <lv2/ui/ui.h>

#include <cstring>
#include <memory>
#include <new>

namespace
{
using qm07::lv2::Lv2Editor;

Lv2Editor* editorOf(LV2UI_Handle handle)
{
    return static_cast<Lv2Editor*>(handle);
}

const void* feature(const LV2_Feature* const* features, const char* uri)
{
    for (; features && *features; ++features)
        if (std::strcmp((*features)->URI, uri) == 0) return (*features)->data;
    return nullptr;
}

/// UI thread; allocates the editor and opens its window in ui:parent; null without a parent.
LV2UI_Handle instantiate(const LV2UI_Descriptor*, const char* pluginUri, const char*,
                         LV2UI_Write_Function write, LV2UI_Controller controller, LV2UI_Widget* widget,
                         const LV2_Feature* const* features)
{
    void* parent = const_cast<void*>(feature(features, LV2_UI__parent));
    if (!parent || !write || std::strcmp(pluginUri, qm07::lv2::kPluginUri) != 0) return nullptr;
    const auto* touch = static_cast<const LV2UI_Touch*>(feature(features, LV2_UI__touch));
    std::unique_ptr<Lv2Editor> editor(new (std::nothrow) Lv2Editor({write, controller, touch}));
    if (!editor || !editor->open(parent)) return nullptr;
    *widget = editor->window();
    if (const auto* resize = static_cast<const LV2UI_Resize*>(feature(features, LV2_UI__resize)))
        resize->ui_resize(resize->handle, qm07::kPanelWidth, qm07::kPanelHeight);
    return editor.release();
}

/// UI thread; closes the window and frees the editor.
void cleanup(LV2UI_Handle handle)
{
    delete editorOf(handle);
}

/// UI thread; no allocation. Control ports come as one float (format 0); anything else is not ours.
void portEvent(LV2UI_Handle handle, std::uint32_t port, std::uint32_t size, std::uint32_t format,
               const void* buffer)
{
    if (format != 0 || size != sizeof(float) || !buffer) return;
    float value;
    std::memcpy(&value, buffer, sizeof value);
    editorOf(handle)->portEvent(port, value);
}

/// UI thread: the window's events and redraws; 0, since an embedded window is closed by its host.
int idle(LV2UI_Handle handle)
{
    editorOf(handle)->idle();
    return 0;
}

const LV2UI_Idle_Interface kIdleInterface = {idle};

/// Any thread; no allocation.
const void* extensionData(const char* uri)
{
    return std::strcmp(uri, LV2_UI__idleInterface) == 0 ? &kIdleInterface : nullptr;
}

const LV2UI_Descriptor kDescriptor = {qm07::lv2::kUiUri, instantiate, cleanup, portEvent, extensionData};
} // namespace

/// Any thread; no allocation.
const LV2UI_Descriptor* lv2ui_descriptor(std::uint32_t index)
{
    return index == 0 ? &kDescriptor : nullptr;
}
