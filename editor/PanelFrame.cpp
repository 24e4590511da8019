// Until CFrame takes a CFrameHost itself, a frame without an editor that sends the host's calls there;
// then this file shrinks to `return new VSTGUI::CFrame(size, parentWindow, &host);`.
#include "PanelFrame.h"

namespace qm07
{

namespace
{

class HostedFrame : public VSTGUI::CFrame
{
public:
    HostedFrame(const VSTGUI::CRect& rect, void* parentWindow, VSTGUI::CFrameHost& frameHost)
        : CFrame(rect, parentWindow, nullptr), host(frameHost)
    {
    }

    void beginEdit(std::int32_t index) override { host.beginEdit(index); }
    void endEdit(std::int32_t index) override { host.endEdit(index); }
    void doIdleStuff() override { host.doIdleStuff(); }
    std::int32_t getKnobMode() const override { return host.getKnobMode(); }

private:
    VSTGUI::CFrameHost& host;
};

} // namespace

VSTGUI::CFrame* createPanelFrame(const VSTGUI::CRect& size, void* parentWindow, VSTGUI::CFrameHost& host)
{
    return new HostedFrame(size, parentWindow, host);
}

} // namespace qm07
