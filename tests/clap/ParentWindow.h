// A parent window as a host hands it to the editor, and what the tests ask of the editor's window in it;
// one file per toolkit back end (headless natively, Win32 on Windows).
#pragma once

#include "abi/ext/Gui.h"

namespace qm07::test
{

class ParentWindow
{
public:
    ParentWindow();
    ~ParentWindow();
    ParentWindow(const ParentWindow&) = delete;
    ParentWindow& operator=(const ParentWindow&) = delete;

    clap::clap_window window() const;
    /// Windows the editor made in this parent and has not destroyed.
    int children() const;
    /// Whether the editor's window (the only child) is shown; false without one.
    bool childShown() const;

private:
    void* handle;
};

} // namespace qm07::test
