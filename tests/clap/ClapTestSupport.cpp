// The test host's extensions record into the TestHost behind host_data.
#include "ClapTestSupport.h"

#include "ClapFactory.h"
#include "abi/ext/Log.h"
#include "abi/ext/PosixFdSupport.h"
#include "abi/ext/ThreadCheck.h"

#include <algorithm>
#include <cstring>
#include <map>

namespace qm07::test
{

namespace
{
TestHost& hostOf(const clap_host* h)
{
    return *static_cast<TestHost*>(h->host_data);
}

template <typename T> bool forget(const clap_host* h, std::vector<T>& live, T item)
{
    const auto found = std::find(live.begin(), live.end(), item);
    if (found == live.end()) return ++hostOf(h).strayUnregisters, false;
    live.erase(found);
    return true;
}

const clap_host_log kLog = {[](const clap_host* h, clap_log_severity, const char* message)
                            { hostOf(h).messages.emplace_back(message); }};
const clap_host_thread_check kThreadCheck = {[](const clap_host* h) { return hostOf(h).onMainThread; },
                                             [](const clap_host* h) { return !hostOf(h).onMainThread; }};
const clap_host_params kParams = {[](const clap_host* h, clap_param_rescan_flags flags)
                                  { hostOf(h).valueRescans += flags == CLAP_PARAM_RESCAN_VALUES; },
                                  [](const clap_host*, clap_id, clap_param_clear_flags) {},
                                  [](const clap_host* h)
                                  {
                                      ++hostOf(h).flushRequests;
                                      if (hostOf(h).onRequestFlush) hostOf(h).onRequestFlush();
                                  }};
const clap_host_timer_support kTimers = {[](const clap_host* h, std::uint32_t, clap_id* id)
                                         {
                                             static clap_id next = 7;
                                             hostOf(h).timers.push_back(*id = next++);
                                             return true;
                                         },
                                         [](const clap_host* h, clap_id id)
                                         { return forget(h, hostOf(h).timers, id); }};
const clap_host_posix_fd_support kFds = {[](const clap_host* h, int fd, clap_posix_fd_flags_t)
                                         {
                                             hostOf(h).fds.push_back(fd);
                                             return true;
                                         },
                                         [](const clap_host*, int, clap_posix_fd_flags_t) { return true; },
                                         [](const clap_host* h, int fd)
                                         { return forget(h, hostOf(h).fds, fd); }};

const void* extension(const clap_host* h, const char* id)
{
    if (std::strcmp(id, CLAP_EXT_LOG) == 0) return &kLog;
    if (std::strcmp(id, CLAP_EXT_THREAD_CHECK) == 0) return &kThreadCheck;
    if (std::strcmp(id, CLAP_EXT_PARAMS) == 0) return &kParams;
    if (std::strcmp(id, CLAP_EXT_TIMER_SUPPORT) == 0) return hostOf(h).offersTimers ? &kTimers : nullptr;
    if (std::strcmp(id, CLAP_EXT_POSIX_FD_SUPPORT) == 0) return &kFds;
    return nullptr;
}

void nothing(const clap_host*) {}

bool isAny(const clap_event_param_value& v)
{
    return !v.cookie && v.note_id == -1 && v.port_index == -1 && v.channel == -1 && v.key == -1;
}

bool push(const clap_output_events* l, const clap_event_header* e)
{
    OutputEvents& self = *static_cast<OutputEvents*>(l->ctx);
    if (self.sent.size() >= self.room) return false;
    const bool isValue = e->type == CLAP_EVENT_PARAM_VALUE;
    const auto& value = *reinterpret_cast<const clap_event_param_value*>(e);
    const std::size_t size = isValue ? sizeof value : sizeof(clap_event_param_gesture);
    self.malformed += e->time != 0 || e->size != size || (isValue && !isAny(value));
    self.sent.push_back({e->type, reinterpret_cast<const clap_event_param_gesture*>(e)->param_id,
                         isValue ? value.value : 0.0});
    return true;
}

std::int64_t move(ByteStream& s, std::size_t wanted)
{
    if (s.position >= s.failAt) return -1;
    return static_cast<std::int64_t>(std::min({wanted, s.step, s.failAt - s.position}));
}
} // namespace

TestHost::TestHost()
    : host{CLAP_VERSION, this, "test host", "", "", "1.0", extension, nothing, nothing, nothing}
{
}

InputEvents::InputEvents()
    : events{this,
             [](const clap_input_events* l)
             { return static_cast<std::uint32_t>(static_cast<InputEvents*>(l->ctx)->stored.size()); },
             [](const clap_input_events* l, std::uint32_t i) -> const clap_event_header*
             { return &static_cast<InputEvents*>(l->ctx)->stored[i].header; }}
{
}

void InputEvents::add(std::uint32_t time, clap_id id, double value)
{
    clap_event_param_value event{};
    event.header = {sizeof event, time, CLAP_CORE_EVENT_SPACE_ID, CLAP_EVENT_PARAM_VALUE, 0};
    event.param_id = id;
    event.note_id = -1;
    event.port_index = 0; // hosts fill it in as they like
    event.channel = -1;
    event.key = -1;
    event.value = value;
    stored.push_back(event);
}

void InputEvents::addOther(const clap_event_header& header)
{
    stored.push_back({header, 0, nullptr, 0, 0, 0, 0, 0.0});
}

OutputEvents::OutputEvents() : events{this, push}
{
    sent.reserve(4096); // a host's list does not allocate while the plug-in pushes
}

::testing::AssertionResult paired(const std::vector<SentEvent>& events)
{
    std::map<clap_id, bool> open;
    for (std::size_t i = 0; i < events.size(); ++i)
    {
        const SentEvent& e = events[i];
        const bool isBegin = e.type == CLAP_EVENT_PARAM_GESTURE_BEGIN;
        if (isBegin == open[e.id])
            return ::testing::AssertionFailure() << "event " << i << " of type " << e.type << " for " << e.id;
        open[e.id] = e.type != CLAP_EVENT_PARAM_GESTURE_END;
    }
    for (const auto& [id, isOpen] : open)
        if (isOpen) return ::testing::AssertionFailure() << "gesture of " << id << " left open";
    return ::testing::AssertionSuccess();
}

ByteStream::ByteStream()
    : in{this,
         [](const clap_istream* st, void* buffer, std::uint64_t size) -> std::int64_t
         {
             ByteStream& s = *static_cast<ByteStream*>(st->ctx);
             const std::int64_t n =
                 move(s, std::min<std::size_t>(size, s.bytes.size() - std::min(s.position, s.bytes.size())));
             if (n > 0) std::memcpy(buffer, s.bytes.data() + s.position, static_cast<std::size_t>(n));
             if (n > 0) s.position += static_cast<std::size_t>(n);
             return n;
         }},
      out{this,
          [](const clap_ostream* st, const void* buffer, std::uint64_t size) -> std::int64_t
          {
              ByteStream& s = *static_cast<ByteStream*>(st->ctx);
              const std::int64_t n = move(s, static_cast<std::size_t>(size));
              const auto* from = static_cast<const unsigned char*>(buffer);
              if (n > 0) s.bytes.insert(s.bytes.end(), from, from + n);
              if (n > 0) s.position += static_cast<std::size_t>(n);
              return n;
          }}
{
}

Instance::Instance(TestHost& host)
{
    plugin = kClapFactory.create_plugin(&kClapFactory, &host.host, "com.tarvel.qm07-compressor");
    plugin->init(plugin);
    params = static_cast<const clap_plugin_params*>(plugin->get_extension(plugin, CLAP_EXT_PARAMS));
    state = static_cast<const clap_plugin_state*>(plugin->get_extension(plugin, CLAP_EXT_STATE));
    gui = static_cast<const clap_plugin_gui*>(plugin->get_extension(plugin, CLAP_EXT_GUI));
    timer =
        static_cast<const clap_plugin_timer_support*>(plugin->get_extension(plugin, CLAP_EXT_TIMER_SUPPORT));
}

Instance::~Instance()
{
    plugin->destroy(plugin);
}

} // namespace qm07::test
