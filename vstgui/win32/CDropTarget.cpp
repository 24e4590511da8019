// Drop target: one drag container per drag, shared process-wide, handed to the frame's drag routing.
#include "CDropTarget.h"

#include "CDragContainer.h"
#include "CDrawContext.h"
#include "CFrame.h"

namespace VSTGUI
{

namespace
{

CDragContainer* gCurrentDrag = nullptr;

enum class DragStep
{
    enter,
    move,
    leave,
    drop,
};

// The system's point is ignored: the views get the pointer in frame coordinates, like a mouse press.
void routeDrag(CFrame& frame, DragStep step)
{
    CDrawContext* context = frame.createDrawContext();
    CPoint where;
    frame.getMouseLocation(context, where);
    switch (step)
    {
    case DragStep::enter:
        frame.onDragEnter(context, gCurrentDrag, where);
        break;
    case DragStep::move:
        frame.onDragMove(context, gCurrentDrag, where);
        break;
    case DragStep::leave:
        frame.onDragLeave(context, gCurrentDrag, where);
        break;
    case DragStep::drop:
        frame.onDrop(context, gCurrentDrag, where);
        break;
    }
    if (context) context->forget();
}

void endDrag()
{
    gCurrentDrag->forget();
    gCurrentDrag = nullptr;
}

} // namespace

CDropTarget::CDropTarget(CFrame* frameIn) : frame(frameIn) {}

CDropTarget::~CDropTarget() = default;

CDragContainer* CDropTarget::currentDrag()
{
    return gCurrentDrag;
}

HRESULT STDMETHODCALLTYPE CDropTarget::QueryInterface(REFIID id, void** object)
{
    if (!object) return E_POINTER;
    if (IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, IID_IDropTarget))
    {
        *object = static_cast<IDropTarget*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE CDropTarget::AddRef()
{
    return static_cast<ULONG>(++count);
}

ULONG STDMETHODCALLTYPE CDropTarget::Release()
{
    if (--count > 0) return static_cast<ULONG>(count);
    delete this;
    return 0;
}

HRESULT STDMETHODCALLTYPE CDropTarget::DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect)
{
    if (!data || !frame)
    {
        if (effect) *effect = DROPEFFECT_NONE;
        return S_OK;
    }
    // A drag whose leave never arrived must not keep its container alive.
    if (gCurrentDrag) endDrag();
    gCurrentDrag = new CDragContainer(data);
    routeDrag(*frame, DragStep::enter);
    if (effect) *effect = DROPEFFECT_MOVE;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CDropTarget::DragOver(DWORD, POINTL, DWORD* effect)
{
    if (!gCurrentDrag || !frame) return S_OK;
    routeDrag(*frame, DragStep::move);
    if (effect) *effect = DROPEFFECT_MOVE;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CDropTarget::DragLeave()
{
    if (!gCurrentDrag || !frame) return S_OK;
    routeDrag(*frame, DragStep::leave);
    endDrag();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CDropTarget::Drop(IDataObject*, DWORD, POINTL, DWORD*)
{
    if (!gCurrentDrag || !frame) return S_OK;
    routeDrag(*frame, DragStep::drop);
    endDrag();
    return S_OK;
}

} // namespace VSTGUI
