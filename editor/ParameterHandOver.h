// Parameter changes from any thread handed to the editor's thread, as one bit per parameter.
#pragma once

#include "Parameters.h"

#include <atomic>
#include <cstdint>

namespace qm07
{

/// A change made on the editor's own thread is shown at once; one from any other thread is marked and
/// shown at the next idle, since a control may be deleted by close at any moment there.
class ParameterHandOver
{
public:
    /// UI thread: forgets the marks so far; whatever changes from now on is read by the caller or marked.
    void clear() { pending.store(0); }
    /// UI thread (open): the calling thread is the editor's until detach.
    void attach();
    /// UI thread (close).
    void detach() { editorThread.store(0); }

    /// Any thread, the audio thread included; never allocates, locks or waits. Indices outside the
    /// parameters are refused.
    template <typename Show> void changed(std::int32_t index, Show&& show)
    {
        if (!isParameterIndex(index)) return;
        if (onEditorThread())
            show(index);
        else
            pending.fetch_or(1u << index, std::memory_order_release);
    }

    /// UI thread: shows each marked index once, in index order, and clears the marks.
    template <typename Show> void showPending(Show&& show)
    {
        const std::uint32_t marked = pending.exchange(0, std::memory_order_acquire);
        for (std::int32_t index = 0; index < kNumParams; ++index)
            if (marked & (1u << index)) show(index);
    }

private:
    bool onEditorThread() const;

    std::atomic<std::uint32_t> pending{0};      ///< one bit per parameter index
    std::atomic<std::uint64_t> editorThread{0}; ///< the opening thread while open, else 0

    static_assert(kNumParams <= 32);
    static_assert(std::atomic<std::uint32_t>::is_always_lock_free);
};

} // namespace qm07
