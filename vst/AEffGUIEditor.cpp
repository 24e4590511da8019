// The editor base between the host's editor requests and the frame, with the tracking-loop idle pacing.
#include "AEffGUIEditor.h"

#include "AudioEffectExt.h"
#include "CDrawContext.h"
#include "CFrame.h"
#include "PlatformFrame.h"

using VSTGUI::CDrawContext;
using VSTGUI::CPoint;
namespace platform = VSTGUI::platform;

namespace
{
constexpr bool sameNumber(std::uint8_t toolkit, std::uint8_t host)
{
    return toolkit == host;
}
// The records are converted field by field: the key numbers must agree.
static_assert(sameNumber(VSTGUI::kVirtualKeyTab, VKEY_TAB) &&
              sameNumber(VSTGUI::kVirtualKeyLeft, VKEY_LEFT) && sameNumber(VSTGUI::kVirtualKeyUp, VKEY_UP) &&
              sameNumber(VSTGUI::kVirtualKeyRight, VKEY_RIGHT) &&
              sameNumber(VSTGUI::kVirtualKeyDown, VKEY_DOWN) &&
              sameNumber(VSTGUI::kModifierShift, MODIFIER_SHIFT));

/// The frame answers with the toolkit's record; whatever a view wrote into it goes back to the host's.
template <typename Handler> bool passKey(VstKeyCode& keyCode, Handler handler)
{
    VSTGUI::CKeyCode key{keyCode.character, keyCode.virt, keyCode.modifier};
    const bool used = handler(key) == 1;
    keyCode = {key.character, key.virt, key.modifier};
    return used;
}
} // namespace

std::int32_t AEffGUIEditor::knobMode = 0;

AEffGUIEditor::AEffGUIEditor(AudioEffect* owner) : AEffEditor(owner), lastTicks(platform::getTicks())
{
    if (effect) effect->setEditor(this);
    platform::oleInitialize();
}

AEffGUIEditor::~AEffGUIEditor()
{
    // A host may destroy the effect while the editor is open; the frame's window must not outlive us.
    delete frame;
    frame = nullptr;
    platform::oleUninitialize();
}

AudioEffectX* AEffGUIEditor::getEffectX()
{
    return dynamic_cast<AudioEffectX*>(effect);
}

bool AEffGUIEditor::getRect(ERect** result)
{
    if (!result) return false;
    *result = &rect;
    return true;
}

void AEffGUIEditor::idle()
{
    if (inIdleStuff) return;
    if (frame) frame->idle();
}

void AEffGUIEditor::doIdleStuff()
{
    std::uint32_t now = platform::getTicks();
    if (now < lastTicks)
    {
        platform::sleep(4);
        now += 4;
        if (now < lastTicks - 50) return;
    }
    idle();
    platform::dispatchPendingPaint();
    lastTicks = now + 100;
    inIdleStuff = true;
    if (effect) effect->masterIdle();
    inIdleStuff = false;
}

bool AEffGUIEditor::onKeyDown(VstKeyCode& keyCode)
{
    return frame && passKey(keyCode, [this](VSTGUI::CKeyCode& key) { return frame->onKeyDown(key); });
}

bool AEffGUIEditor::onKeyUp(VstKeyCode& keyCode)
{
    return frame && passKey(keyCode, [this](VSTGUI::CKeyCode& key) { return frame->onKeyUp(key); });
}

bool AEffGUIEditor::onWheel(float distance)
{
    if (!frame) return false;
    auto* context = new CDrawContext(frame, nullptr, systemWindow);
    CPoint where = platform::getCursorScreenPosition();
    where.offset(-context->offsetScreen.h, -context->offsetScreen.v);
    const bool used = frame->onWheel(context, where, distance);
    context->forget();
    return used;
}

bool AEffGUIEditor::setKnobMode(std::int32_t mode)
{
    knobMode = mode;
    return true;
}

void AEffGUIEditor::setParameter(std::int32_t, float) {}

std::int32_t AEffGUIEditor::getKnobMode() const
{
    return knobMode;
}

bool AEffGUIEditor::requestSize(std::int32_t width, std::int32_t height)
{
    auto* effectX = dynamic_cast<AudioEffectX*>(getEffect());
    char sizeWindowText[] = "sizeWindow";
    return effectX && effectX->canHostDo(sizeWindowText) != 0 && effectX->sizeWindow(width, height);
}

void AEffGUIEditor::beginEdit(std::int32_t index)
{
    if (AudioEffectX* effectX = getEffectX()) effectX->beginEdit(index);
}

void AEffGUIEditor::endEdit(std::int32_t index)
{
    if (AudioEffectX* effectX = getEffectX()) effectX->endEdit(index);
}
