// Replies of the X server with their errors taken by the caller, so that none reaches the event queue.
#pragma once

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

namespace VSTGUI::x11
{

struct FreeReply
{
    void operator()(void* reply) const { std::free(reply); }
};
template <typename T> using Reply = std::unique_ptr<T, FreeReply>;

/// The reply to `cookie`, or null when the server answered with an error (or the connection is broken).
template <typename T, typename Cookie, typename Fetch>
Reply<T> ask(xcb_connection_t* link, Cookie cookie, Fetch fetch)
{
    xcb_generic_error_t* error = nullptr;
    Reply<T> reply(fetch(link, cookie, &error));
    std::free(error);
    return reply;
}

} // namespace VSTGUI::x11
