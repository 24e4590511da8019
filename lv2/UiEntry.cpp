// The UI library's only export: the descriptor of urn:tarvel:qm07-compressor#ui, an X11 UI in ui:parent or,
// for hosts that use ui:showInterface instead, in a window of its own.
#include "Lv2Editor.h"
#include "PortLayout.h"
#include "ProductInfo.h"
#include "TopLevelWindow.h"

#include <lv2/ui/ui.h>

#include <cstring>
#include <memory>
#include <new>

namespace
{
using qm07::lv2::Lv2Editor;
using VSTGUI::x11::TopLevelWindow;

/// The editor, and the window of its own when the host gave no parent (destroyed after the editor).
struct Lv2Ui
{
    explicit Lv2Ui(const qm07::lv2::UiHost& host) : editor(host) {}

    bool open(void* parent)
    {
        if (!parent)
            own = TopLevelWindow::open({qm07::kProductName, ""}, qm07::kPanelWidth, qm07::kPanelHeight);
        return (parent || own) && editor.open(parent ? parent : own->handle());
    }

    std::unique_ptr<TopLevelWindow> own;
    Lv2Editor editor;
};

Lv2Ui* uiOf(LV2UI_Handle handle)
{
    return static_cast<Lv2Ui*>(handle);
}

const void* feature(const LV2_Feature* const* features, const char* uri)
{
    for (; features && *features; ++features)
        if (std::strcmp((*features)->URI, uri) == 0) return (*features)->data;
    return nullptr;
}

/// UI thread; allocates the editor and opens it in ui:parent, else in a window of its own shown by show.
LV2UI_Handle instantiate(const LV2UI_Descriptor*, const char* pluginUri, const char*,
                         LV2UI_Write_Function write, LV2UI_Controller controller, LV2UI_Widget* widget,
                         const LV2_Feature* const* features)
{
    if (!write || std::strcmp(pluginUri, qm07::lv2::kPluginUri) != 0) return nullptr;
    const auto* touch = static_cast<const LV2UI_Touch*>(feature(features, LV2_UI__touch));
    std::unique_ptr<Lv2Ui> ui(new (std::nothrow) Lv2Ui({write, controller, touch}));
    if (!ui || !ui->open(const_cast<void*>(feature(features, LV2_UI__parent)))) return nullptr;
    *widget = ui->editor.window();
    if (const auto* resize = static_cast<const LV2UI_Resize*>(feature(features, LV2_UI__resize)))
        resize->ui_resize(resize->handle, qm07::kPanelWidth, qm07::kPanelHeight);
    return ui.release();
}

/// UI thread; closes the windows and frees the editor.
void cleanup(LV2UI_Handle handle)
{
    delete uiOf(handle);
}

/// UI thread; no allocation. Control ports come as one float (format 0); anything else is not ours.
void portEvent(LV2UI_Handle handle, std::uint32_t port, std::uint32_t size, std::uint32_t format,
               const void* buffer)
{
    if (format != 0 || size != sizeof(float) || !buffer) return;
    float value;
    std::memcpy(&value, buffer, sizeof value);
    uiOf(handle)->editor.portEvent(port, value);
}

/// UI thread: the window's events and redraws; 1 once the user closed a window of its own.
int idle(LV2UI_Handle handle)
{
    Lv2Ui& ui = *uiOf(handle);
    ui.editor.idle();
    return ui.own && ui.own->closeRequested() ? 1 : 0;
}

/// UI thread; 0 for success. An embedded panel is shown and hidden with its parent.
int show(LV2UI_Handle handle)
{
    if (uiOf(handle)->own) uiOf(handle)->own->show();
    return 0;
}

/// UI thread; 0 for success.
int hide(LV2UI_Handle handle)
{
    if (uiOf(handle)->own) uiOf(handle)->own->hide();
    return 0;
}

const LV2UI_Idle_Interface kIdleInterface = {idle};
const LV2UI_Show_Interface kShowInterface = {show, hide};

/// Any thread; no allocation.
const void* extensionData(const char* uri)
{
    if (std::strcmp(uri, LV2_UI__idleInterface) == 0) return &kIdleInterface;
    if (std::strcmp(uri, LV2_UI__showInterface) == 0) return &kShowInterface;
    return nullptr;
}

const LV2UI_Descriptor kDescriptor = {qm07::lv2::kUiUri, instantiate, cleanup, portEvent, extensionData};
} // namespace

/// Any thread; no allocation.
const LV2UI_Descriptor* lv2ui_descriptor(std::uint32_t index)
{
    return index == 0 ? &kDescriptor : nullptr;
}
