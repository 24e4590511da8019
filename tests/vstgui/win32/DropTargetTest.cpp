// OLE drop target: COM reference rules, drag notifications routed to the view under the pointer, item
// counts for text and files, and every storage medium given back.
#include "CDragContainer.h"
#include "CDropTarget.h"
#include "CFrame.h"
#include "TestWindows.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <cstring>

using namespace VSTGUI;
using test::DragEvent;
using test::RecordingView;

namespace
{

// COM objects here live on the stack and are never deleted through an interface.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

// Counts the releases of the storage media handed out, through the medium's release object.
class ReleaseCounter : public IUnknown
{
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override
    {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        ++releases;
        return 1;
    }
    int releases = 0;
};

// A data object offering either one text or a list of three files, both in global memory.
class TestData : public IDataObject
{
public:
    explicit TestData(bool files) : format(files ? CF_HDROP : CF_TEXT)
    {
        if (files)
        {
            const char names[] = "C:\\a.wav\0C:\\b.wav\0C:\\c.wav\0";
            memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + sizeof(names));
            auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
            header->pFiles = sizeof(DROPFILES);
            std::memcpy(header + 1, names, sizeof(names));
        }
        else
        {
            memory = GlobalAlloc(GMEM_MOVEABLE, 6);
            std::memcpy(GlobalLock(memory), "hello", 6);
        }
        GlobalUnlock(memory);
    }
    ~TestData() { GlobalFree(memory); }

    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* wanted, STGMEDIUM* medium) override
    {
        if (wanted->cfFormat != format || !(wanted->tymed & TYMED_HGLOBAL)) return DV_E_FORMATETC;
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = memory;
        medium->pUnkForRelease = &counter; // the medium stays ours; its release is counted instead
        ++handedOut;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override
    {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }

    ReleaseCounter counter;
    int handedOut = 0;

private:
    CLIPFORMAT format;
    HGLOBAL memory = nullptr;
};

#pragma GCC diagnostic pop

// A window-less frame with one view; the pointer is parked over the view, as the target reads it.
class Win32DropTarget : public ::testing::Test
{
protected:
    void SetUp() override
    {
        frame->addView(view);
        SetCursorPos(30, 30);
        target->AddRef();
    }
    void TearDown() override
    {
        target->Release();
        frame->forget();
    }

    CFrame* frame = new CFrame(CRect(0, 0, 200, 100), nullptr, nullptr);
    RecordingView* view = new RecordingView(CRect(10, 10, 60, 60));
    CDropTarget* target = new CDropTarget(frame);
    POINTL point = {30, 30};
};

} // namespace

TEST_F(Win32DropTarget, AnswersOnlyForItsTwoInterfaces)
{
    void* object = nullptr;
    EXPECT_EQ(target->QueryInterface(IID_IDropTarget, &object), S_OK);
    EXPECT_EQ(object, static_cast<IDropTarget*>(target));
    EXPECT_EQ(target->QueryInterface(IID_IUnknown, &object), S_OK);
    EXPECT_EQ(object, static_cast<IDropTarget*>(target));
    object = target;
    EXPECT_EQ(target->QueryInterface(IID_IDataObject, &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
    // Two references from QueryInterface on top of the fixture's one.
    EXPECT_EQ(target->AddRef(), 4u);
    EXPECT_EQ(target->Release(), 3u);
    target->Release();
    EXPECT_EQ(target->Release(), 1u);
}

TEST_F(Win32DropTarget, TextDragEntersMovesAndDropsWithMoveEffect)
{
    TestData text(false);
    DWORD effect = DROPEFFECT_COPY;
    EXPECT_EQ(target->DragEnter(&text, 0, point, &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_MOVE));
    ASSERT_NE(CDropTarget::currentDrag(), nullptr);
    EXPECT_EQ(CDropTarget::currentDrag()->getCount(), 1);
    effect = DROPEFFECT_COPY;
    EXPECT_EQ(target->DragOver(0, point, &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_MOVE));
    effect = DROPEFFECT_COPY;
    EXPECT_EQ(target->Drop(&text, 0, point, &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY)); // left as given
    EXPECT_EQ(CDropTarget::currentDrag(), nullptr);

    ASSERT_EQ(view->drags.size(), 4u);
    EXPECT_EQ(view->drags[0].kind, DragEvent::enter);
    EXPECT_EQ(view->drags[1].kind, DragEvent::move);
    EXPECT_EQ(view->drags[2].kind, DragEvent::drop);
    EXPECT_EQ(view->drags[3].kind, DragEvent::leave);
    EXPECT_EQ(view->drags[0].items, 1);
    EXPECT_EQ(text.counter.releases, text.handedOut);
    EXPECT_GE(text.handedOut, 1);
}

TEST_F(Win32DropTarget, ThreeFilesMakeThreeItemsAndLeaveEndsTheDrag)
{
    TestData files(true);
    DWORD effect = DROPEFFECT_NONE;
    target->DragEnter(&files, 0, point, &effect);
    ASSERT_NE(CDropTarget::currentDrag(), nullptr);
    EXPECT_EQ(CDropTarget::currentDrag()->getCount(), 3);
    EXPECT_EQ(target->DragLeave(), S_OK);
    EXPECT_EQ(CDropTarget::currentDrag(), nullptr);
    ASSERT_EQ(view->drags.size(), 2u);
    EXPECT_EQ(view->drags[1].kind, DragEvent::leave);
    EXPECT_EQ(view->drags[1].items, 3);
    EXPECT_EQ(files.handedOut, 1); // the text request failed, the file list was handed out
    EXPECT_EQ(files.counter.releases, 1);
}

TEST_F(Win32DropTarget, WithoutDataNothingHappensAndNoEffectIsOffered)
{
    DWORD effect = DROPEFFECT_MOVE;
    EXPECT_EQ(target->DragEnter(nullptr, 0, point, &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_EQ(CDropTarget::currentDrag(), nullptr);
    effect = DROPEFFECT_COPY;
    EXPECT_EQ(target->DragOver(0, point, &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
    EXPECT_EQ(target->DragLeave(), S_OK);
    EXPECT_EQ(target->Drop(nullptr, 0, point, &effect), S_OK);
    EXPECT_TRUE(view->drags.empty());
}

TEST_F(Win32DropTarget, AfterTheFrameLetGoNotificationsDoNothing)
{
    TestData text(false);
    DWORD effect = DROPEFFECT_COPY;
    target->DragEnter(&text, 0, point, &effect);
    target->detachFrame();
    effect = DROPEFFECT_COPY;
    target->DragOver(0, point, &effect);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
    target->DragLeave();
    EXPECT_EQ(view->drags.size(), 1u);
    // A fresh drag replaces the one whose end never came.
    auto* other = new CDropTarget(frame);
    other->AddRef();
    other->DragEnter(&text, 0, point, &effect);
    other->DragLeave();
    EXPECT_EQ(CDropTarget::currentDrag(), nullptr);
    other->Release();
}

TEST(Win32DropRegistration, WindowOfAFrameIsADropTargetUntilWithdrawn)
{
    test::HostWindow host(20, 20, 200, 200);
    auto* frame = new CFrame(CRect(0, 0, 100, 100), host.handle, nullptr);
    auto window = static_cast<HWND>(frame->getWindow());
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(frame->isDropActive());
    IDropTarget* probe = new CDropTarget(nullptr);
    probe->AddRef();
    EXPECT_EQ(RegisterDragDrop(window, probe), DRAGDROP_E_ALREADYREGISTERED);
    EXPECT_TRUE(frame->setDropActive(false));
    EXPECT_FALSE(frame->isDropActive());
    EXPECT_EQ(RevokeDragDrop(window), DRAGDROP_E_NOTREGISTERED);
    EXPECT_TRUE(frame->setDropActive(true));
    EXPECT_EQ(RegisterDragDrop(window, probe), DRAGDROP_E_ALREADYREGISTERED);
    probe->Release();
    frame->forget();
}
