// Defaults of the minimal editor: it remembers the host's window and declines everything else.
#include "AEffEditor.h"

AEffEditor::AEffEditor(AudioEffect* owner) : effect(owner) {}

bool AEffEditor::getRect(ERect** rect)
{
    if (rect) *rect = nullptr;
    return false;
}

bool AEffEditor::open(void* parentWindow)
{
    systemWindow = parentWindow;
    return false;
}

void AEffEditor::close()
{
    systemWindow = nullptr;
}

bool AEffEditor::isOpen()
{
    return systemWindow != nullptr;
}

void AEffEditor::idle() {}

bool AEffEditor::onKeyDown(VstKeyCode&)
{
    return false;
}

bool AEffEditor::onKeyUp(VstKeyCode&)
{
    return false;
}

bool AEffEditor::onWheel(float)
{
    return false;
}

bool AEffEditor::setKnobMode(std::int32_t)
{
    return false;
}

void AEffEditor::setParameter(std::int32_t, float) {}
