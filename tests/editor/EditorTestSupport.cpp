// The open-editor fixture and the gesture player.
#include "EditorTestSupport.h"

#include "CDrawContext.h"

#include <deque>

using namespace VSTGUI;

namespace qm07test
{

void EditorTest::SetUp()
{
    HeadlessToolkitTest::SetUp();
    ScriptedHost::instance() = ScriptedHost();
    headless::environment().ticks = 1000;
    host.width = 800;
    host.height = 220;
    effect = std::make_unique<TarvelCompressor>(&ScriptedHost::callback, createCompressorEditor);
    effect->setSampleRate(48000.0f);
    openAndPaint();
}

void EditorTest::TearDown()
{
    effect.reset();
}

void EditorTest::openAndPaint()
{
    ASSERT_TRUE(editor().open(&host));
    auto* window = static_cast<headless::Window*>(frame().getWindow());
    headless::invalidateWindow(*window, CRect(0, 0, 800, 220));
    platform::dispatchPendingPaint();
    ScriptedHost::instance().requests.clear();
}

CControl* EditorTest::control(std::int32_t tag)
{
    return controlOf(frame(), tag);
}

CControl* controlOf(CFrame& frame, std::int32_t tag)
{
    for (std::int32_t i = 0; i < frame.getNbViews(); ++i)
    {
        CView* view = frame.getView(i);
        if (view->isTypeOf("TarvelGR")) continue;
        auto* candidate = static_cast<CControl*>(view);
        if (candidate->getTag() == tag) return candidate;
    }
    return nullptr;
}

void playGesture(CFrame& frame, CPoint at, std::int32_t buttons, const std::vector<PointerStep>& path)
{
    headless::Environment& input = headless::environment();
    input.pointer = at;
    input.buttons = buttons;
    // Each step is held for two polls: a loop reads the buttons before it reads the pointer.
    std::deque<PointerStep> script;
    for (const PointerStep& step : path)
        script.insert(script.end(), 2, step);
    input.onSleep = [&input, &script]
    {
        if (script.empty())
        {
            input.buttons = 0;
            return;
        }
        input.pointer = script.front().where;
        input.buttons = script.front().buttons;
        script.pop_front();
    };
    auto* context = new CDrawContext(&frame, nullptr, frame.getWindow());
    frame.mouse(context, at, -1);
    context->forget();
    input.onSleep = nullptr;
    input.buttons = 0;
}

std::vector<float> EditorTest::automated(std::int32_t index) const
{
    std::vector<float> values;
    for (const auto& request : ScriptedHost::instance().requests)
        if (request.opcode == audioMasterAutomate && request.index == index) values.push_back(request.opt);
    return values;
}

std::vector<std::int32_t> EditorTest::editRequests() const
{
    std::vector<std::int32_t> opcodes;
    for (const auto& request : ScriptedHost::instance().requests)
        if (request.opcode == audioMasterAutomate || request.opcode == audioMasterBeginEdit ||
            request.opcode == audioMasterEndEdit)
            opcodes.push_back(request.opcode);
    return opcodes;
}

} // namespace qm07test
