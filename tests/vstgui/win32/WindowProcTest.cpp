// The frame's child window: class sharing, presses and wheel turns routed to views, destruction, geometry.
#include "CFrame.h"
#include "MouseButtons.h"
#include "PlatformFrame.h"
#include "TestWindows.h"
#include "Win32Shared.h"

#include <gtest/gtest.h>

#include <ole2.h>

#include <cstdio>

using namespace VSTGUI;
using test::HostWindow;
using test::RecordingView;

namespace
{

std::string className()
{
    char name[32];
    std::snprintf(name, sizeof(name), "Plugin%p", static_cast<void*>(GetModuleHandleA(nullptr)));
    return name;
}

bool classRegistered()
{
    WNDCLASSA info;
    return GetClassInfoA(GetModuleHandleA(nullptr), className().c_str(), &info) != 0;
}

HWND frameWindow(const CFrame& frame)
{
    return static_cast<HWND>(frame.getWindow());
}

RECT windowRect(HWND window)
{
    RECT rect = {};
    GetWindowRect(window, &rect);
    return rect;
}

void sendButton(DWORD flags)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof(input));
    Sleep(20);
}

// A frame in a host window, with two overlapping children; `lower` was added first.
class Win32FrameWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        frame = new CFrame(CRect(0, 0, 200, 100), host.handle, nullptr);
        frame->addView(lower);
        frame->addView(upper);
        test::pumpMessages();
    }
    void TearDown() override
    {
        if (frame) frame->forget();
    }

    HostWindow host{10, 20, 300, 200};
    CFrame* frame = nullptr;
    RecordingView* lower = new RecordingView(CRect(10, 10, 60, 60));
    RecordingView* upper = new RecordingView(CRect(40, 40, 90, 90));
};

} // namespace

TEST_F(Win32FrameWindow, ChildWindowHasTheFrameSizeInsideTheHost)
{
    ASSERT_NE(frameWindow(*frame), nullptr);
    EXPECT_EQ(GetParent(frameWindow(*frame)), host.handle);
    RECT rect = windowRect(frameWindow(*frame));
    EXPECT_EQ(rect.left, test::kDesktopOrigin.x + 10);
    EXPECT_EQ(rect.top, test::kDesktopOrigin.y + 20);
    EXPECT_EQ(rect.right - rect.left, 200);
    EXPECT_EQ(rect.bottom - rect.top, 100);
    EXPECT_TRUE(IsWindowVisible(frameWindow(*frame)));
}

TEST_F(Win32FrameWindow, PressGoesToTheTopmostChildInItsCoordinatesWithTheMessagesButtons)
{
    // No button is really held: each press reports the buttons and modifiers of its own message.
    SendMessageA(frameWindow(*frame), WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(50, 45));
    SendMessageA(frameWindow(*frame), WM_RBUTTONDOWN, MK_RBUTTON | MK_CONTROL, MAKELPARAM(20, 30));
    SendMessageA(frameWindow(*frame), WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(150, 80));
    ASSERT_EQ(upper->presses.size(), 1u);
    EXPECT_EQ(upper->presses[0].where, CPoint(50, 45));
    EXPECT_EQ(upper->presses[0].buttons, kLButton | kShift);
    ASSERT_EQ(lower->presses.size(), 1u);
    EXPECT_EQ(lower->presses[0].where, CPoint(20, 30));
    EXPECT_EQ(lower->presses[0].buttons, kRButton | kControl);
}

TEST_F(Win32FrameWindow, RealPressReportsTheButtonHeld)
{
    RECT rect = windowRect(frameWindow(*frame));
    SetCursorPos(rect.left + 70, rect.top + 75);
    sendButton(MOUSEEVENTF_LEFTDOWN);
    test::pumpMessages();
    sendButton(MOUSEEVENTF_LEFTUP);
    test::pumpMessages();
    ASSERT_EQ(upper->presses.size(), 1u);
    EXPECT_EQ(upper->presses[0].where, CPoint(70, 75));
    EXPECT_EQ(upper->presses[0].buttons, kLButton);
    EXPECT_TRUE(lower->presses.empty());
}

TEST_F(Win32FrameWindow, WheelDeltaBecomesNotchesForTheViewUnderThePointer)
{
    RECT rect = windowRect(frameWindow(*frame));
    lower->setMouseEnabled(false); // the wheel ignores it
    const LPARAM overLower = MAKELPARAM(rect.left + 15, rect.top + 20);
    SendMessageA(frameWindow(*frame), WM_MOUSEWHEEL, MAKEWPARAM(0, 120), overLower);
    SendMessageA(frameWindow(*frame), WM_MOUSEWHEEL, MAKEWPARAM(0, 240), overLower);
    SendMessageA(frameWindow(*frame), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), overLower);
    ASSERT_EQ(lower->wheelDistances.size(), 3u);
    EXPECT_FLOAT_EQ(lower->wheelDistances[0], 1.0f);
    EXPECT_FLOAT_EQ(lower->wheelDistances[1], 2.0f);
    EXPECT_FLOAT_EQ(lower->wheelDistances[2], -1.0f);
    EXPECT_EQ(lower->wheelWhere[0], CPoint(15, 20));
    EXPECT_TRUE(upper->wheelDistances.empty());
}

TEST_F(Win32FrameWindow, DestroyingTheHostClosesTheFrame)
{
    EXPECT_TRUE(frame->isOpen());
    DestroyWindow(host.handle);
    EXPECT_FALSE(frame->isOpen());
    EXPECT_EQ(frame->getSystemWindow(), nullptr);
    frame->idle(); // must not touch the destroyed window
}

TEST_F(Win32FrameWindow, OnePendingPaintIsDispatchedAndValidatesTheWindow)
{
    InvalidateRect(frameWindow(*frame), nullptr, FALSE);
    RECT update;
    ASSERT_TRUE(GetUpdateRect(frameWindow(*frame), &update, FALSE));
    platform::dispatchPendingPaint();
    EXPECT_FALSE(GetUpdateRect(frameWindow(*frame), &update, FALSE));
    platform::dispatchPendingPaint(); // nothing pending: returns at once
}

TEST_F(Win32FrameWindow, CursorsComeFromTheTableAndCopyShowsTheDefault)
{
    HCURSOR cross = LoadCursorA(nullptr, IDC_CROSS);
    SetCursor(cross);
    frame->setCursor(kCursorHand);
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_HAND));
    frame->setCursor(kCursorVSize);
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_SIZENS));
    frame->setCursor(kCursorCopy);
    EXPECT_EQ(GetCursor(), cross);
    frame->setCursor(kCursorNotAllowed);
    frame->forget();
    frame = nullptr;
    EXPECT_EQ(GetCursor(), cross);
}

TEST_F(Win32FrameWindow, HostTooLargeToBelongToTheEditorKeepsItsSize)
{
    ASSERT_TRUE(frame->setSize(250, 150));
    RECT child = windowRect(frameWindow(*frame));
    EXPECT_EQ(child.right - child.left, 250);
    EXPECT_EQ(child.bottom - child.top, 150);
    RECT outer = windowRect(host.handle);
    EXPECT_EQ(outer.right - outer.left, 300);
    EXPECT_EQ(outer.bottom - outer.top, 200);
    CRect size;
    frame->getViewSize(size);
    EXPECT_EQ(size, CRect(0, 0, 250, 150));
}

TEST_F(Win32FrameWindow, SizeAndPositionAreTheHostsAndTheChildsOwn)
{
    CRect size;
    ASSERT_TRUE(frame->getSize(size));
    EXPECT_EQ(size, CRect(10, 20, 310, 220)); // in the client coordinates of the host's parent
    std::int32_t x = -1, y = -1;
    ASSERT_TRUE(frame->getPosition(x, y));
    // The host is far larger than the editor, so the editor's own window is the outer one.
    EXPECT_EQ(frame->getOuterWindow(), frameWindow(*frame));
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
}

TEST(Win32FrameClass, DialogHostIsResizedAroundTheEditor)
{
    const int frameWidth = GetSystemMetrics(SM_CYDLGFRAME);
    RECT outer = {0, 0, 200, 100};
    AdjustWindowRect(&outer, WS_CHILD | WS_DLGFRAME, FALSE);
    HostWindow host(30, 30, outer.right - outer.left, outer.bottom - outer.top, WS_DLGFRAME);
    auto* frame = new CFrame(CRect(0, 0, 200, 100), host.handle, nullptr);
    ASSERT_GT(frameWidth, 0);
    ASSERT_TRUE(frame->setSize(260, 120));
    RECT hostRect = windowRect(host.handle);
    EXPECT_EQ(hostRect.right - hostRect.left, 260 + 2 * frameWidth);
    EXPECT_EQ(hostRect.bottom - hostRect.top, 120 + 2 * frameWidth);
    RECT child = windowRect(frameWindow(*frame));
    EXPECT_EQ(child.right - child.left, 260);
    // The desktop is far larger than the editor, so the host with the dialog frame is the outer window.
    EXPECT_EQ(frame->getOuterWindow(), host.handle);
    std::int32_t x = -1, y = -1;
    ASSERT_TRUE(frame->getPosition(x, y));
    EXPECT_EQ(x, 30);
    EXPECT_EQ(y, 30);
    frame->forget();
}

TEST(Win32FrameClass, TwoFramesShareTheClassAndTheLastUnregistersIt)
{
    HostWindow host(10, 10, 300, 300);
    ASSERT_FALSE(classRegistered());
    auto* first = new CFrame(CRect(0, 0, 100, 100), host.handle, nullptr);
    EXPECT_TRUE(classRegistered());
    auto* second = new CFrame(CRect(0, 0, 50, 50), host.handle, nullptr);
    ASSERT_NE(first->getWindow(), nullptr);
    ASSERT_NE(second->getWindow(), nullptr);
    first->forget();
    EXPECT_TRUE(classRegistered());
    EXPECT_TRUE(IsWindow(static_cast<HWND>(second->getWindow())));
    second->forget();
    EXPECT_FALSE(classRegistered());
}

TEST(Win32FrameClass, BlendEntryPointsLiveAsLongAsAFrameHoldsTheirLibrary)
{
    auto* first = new CFrame(CRect(0, 0, 100, 100), nullptr, nullptr);
    ASSERT_NE(win32::shared().alphaBlend, nullptr);
    ASSERT_NE(win32::shared().transparentBlt, nullptr);
    auto* second = new CFrame(CRect(0, 0, 100, 100), nullptr, nullptr);
    first->forget();
    EXPECT_NE(win32::shared().alphaBlend, nullptr) << "the second frame still holds the library";
    second->forget();
    EXPECT_EQ(win32::shared().alphaBlend, nullptr);
    EXPECT_EQ(win32::shared().transparentBlt, nullptr);
}

TEST(Win32FrameClass, IdleDrawsNothingBeforeTheFirstPaint)
{
    HostWindow host(10, 10, 100, 100);
    auto* frame = new CFrame(CRect(0, 0, 100, 100), host.handle, nullptr);
    HWND window = frameWindow(*frame);
    HDC windowContext = GetDC(window);
    // No message has been handled yet, so the window has not been painted.
    SetPixel(windowContext, 50, 5, RGB(1, 2, 3));
    frame->setDirty(true);
    frame->idle();
    EXPECT_EQ(GetPixel(windowContext, 50, 5), RGB(1, 2, 3));
    UpdateWindow(window);
    SetPixel(windowContext, 50, 5, RGB(1, 2, 3));
    frame->setDirty(true);
    frame->idle();
    EXPECT_EQ(GetPixel(windowContext, 50, 5), RGB(0, 0, 0)); // the frame's black background
    ReleaseDC(window, windowContext);
    frame->forget();
}

TEST(Win32FrameClass, EachFramePairsItsOleInitialisation)
{
    // S_OK only when this thread had no OLE: the frame's own initialisation makes the answer S_FALSE.
    ASSERT_EQ(OleInitialize(nullptr), S_OK);
    OleUninitialize();
    auto* frame = new CFrame(CRect(0, 0, 100, 100), nullptr, nullptr);
    EXPECT_EQ(OleInitialize(nullptr), S_FALSE);
    OleUninitialize();
    frame->forget();
    EXPECT_EQ(OleInitialize(nullptr), S_OK);
    OleUninitialize();
}

TEST(Win32FrameClass, FrameWithoutAHostHasNoWindow)
{
    auto* frame = new CFrame(CRect(0, 0, 100, 100), nullptr, nullptr);
    EXPECT_EQ(frame->getWindow(), nullptr);
    EXPECT_FALSE(frame->setDropActive(true));
    EXPECT_FALSE(classRegistered());
    frame->forget();
}

TEST(Win32FrameClass, SwappedButtonsPressAndPollAsTheSameLogicalButton)
{
    SwapMouseButton(TRUE);
    HostWindow host(20, 20, 200, 200);
    auto* frame = new CFrame(CRect(0, 0, 100, 100), host.handle, nullptr);
    auto* view = new RecordingView(CRect(0, 0, 100, 100));
    frame->addView(view);
    test::pumpMessages();
    // The physical left button held; the system reports it as the right one in its message.
    sendButton(MOUSEEVENTF_LEFTDOWN);
    SendMessageA(static_cast<HWND>(frame->getWindow()), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(30, 30));
    sendButton(MOUSEEVENTF_LEFTUP);
    test::pumpMessages();
    SwapMouseButton(FALSE);
    ASSERT_FALSE(view->presses.empty());
    EXPECT_EQ(view->presses[0].buttons, kRButton);
    EXPECT_EQ(view->presses[0].held & (kLButton | kRButton), kRButton);
    frame->forget();
}
