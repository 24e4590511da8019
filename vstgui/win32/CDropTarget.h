// OLE drop target of the frame's window: turns the system's drag notifications into view-tree drags.
#pragma once

#include <windows.h>

#include <ole2.h>

namespace VSTGUI
{

class CDragContainer;
class CFrame;

// COM objects are destroyed by their own Release, never through an interface pointer.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class CDropTarget : public IDropTarget
{
public:
    /// Starts with no reference: RegisterDragDrop takes the one that keeps it alive.
    explicit CDropTarget(CFrame* frame);
    virtual ~CDropTarget();

    CDropTarget(const CDropTarget&) = delete;
    CDropTarget& operator=(const CDropTarget&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keyState, POINTL point,
                                        DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keyState, POINTL point, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragLeave() override;
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) override;

    /// Cut when the frame withdraws the target; later notifications then do nothing.
    void detachFrame() { frame = nullptr; }

    /// The drag in progress over any frame of this process, or null.
    static CDragContainer* currentDrag();

private:
    LONG count = 0;
    CFrame* frame = nullptr;
};
#pragma GCC diagnostic pop

} // namespace VSTGUI
