// The test host's extensions record into the TestHost behind host_data.
#include "ClapTestSupport.h"

#include "ClapFactory.h"
#include "abi/ext/Log.h"
#include "abi/ext/PosixFdSupport.h"
#include "abi/ext/ThreadCheck.h"

#include <algorithm>
#include <cstring>

namespace qm07::test
{

namespace
{
TestHost& hostOf(const clap_host* h)
{
    return *static_cast<TestHost*>(h->host_data);
}

void log(const clap_host* h, clap_log_severity, const char* message)
{
    hostOf(h).messages.emplace_back(message);
}

bool isMain(const clap_host* h)
{
    return hostOf(h).onMainThread;
}

bool isAudio(const clap_host* h)
{
    return !hostOf(h).onMainThread;
}

void rescan(const clap_host* h, clap_param_rescan_flags flags)
{
    if (flags == CLAP_PARAM_RESCAN_VALUES) ++hostOf(h).valueRescans;
}

void clear(const clap_host*, clap_id, clap_param_clear_flags) {}

void requestFlush(const clap_host* h)
{
    ++hostOf(h).flushRequests;
    if (hostOf(h).onRequestFlush) hostOf(h).onRequestFlush();
}

bool registerTimer(const clap_host* h, std::uint32_t, clap_id* id)
{
    static clap_id next = 7;
    *id = next++;
    hostOf(h).timers.push_back(*id);
    return true;
}

template <typename T> bool forget(std::vector<T>& live, T item, int& stray)
{
    const auto found = std::find(live.begin(), live.end(), item);
    if (found == live.end()) return ++stray, false;
    live.erase(found);
    return true;
}

bool unregisterTimer(const clap_host* h, clap_id id)
{
    return forget(hostOf(h).timers, id, hostOf(h).strayUnregisters);
}

bool registerFd(const clap_host* h, int fd, clap_posix_fd_flags_t)
{
    hostOf(h).fds.push_back(fd);
    return true;
}

bool modifyFd(const clap_host*, int, clap_posix_fd_flags_t)
{
    return true;
}

bool unregisterFd(const clap_host* h, int fd)
{
    return forget(hostOf(h).fds, fd, hostOf(h).strayUnregisters);
}

const clap_host_log kLog = {log};
const clap_host_thread_check kThreadCheck = {isMain, isAudio};
const clap_host_params kParams = {rescan, clear, requestFlush};
const clap_host_timer_support kTimers = {registerTimer, unregisterTimer};
const clap_host_posix_fd_support kFds = {registerFd, modifyFd, unregisterFd};

const void* extension(const clap_host* h, const char* id)
{
    if (std::strcmp(id, CLAP_EXT_LOG) == 0) return &kLog;
    if (std::strcmp(id, CLAP_EXT_THREAD_CHECK) == 0) return &kThreadCheck;
    if (std::strcmp(id, CLAP_EXT_PARAMS) == 0) return &kParams;
    if (std::strcmp(id, CLAP_EXT_TIMER_SUPPORT) == 0) return hostOf(h).offersTimers ? &kTimers : nullptr;
    if (std::strcmp(id, CLAP_EXT_POSIX_FD_SUPPORT) == 0) return hostOf(h).offersFds ? &kFds : nullptr;
    return nullptr;
}

void nothing(const clap_host*) {}
} // namespace

TestHost::TestHost()
    : host{CLAP_VERSION, this, "test host", "", "", "1.0", extension, nothing, nothing, nothing}
{
}

InputEvents::InputEvents()
    : events{this,
             [](const clap_input_events* l)
             { return static_cast<std::uint32_t>(static_cast<InputEvents*>(l->ctx)->order.size()); },
             [](const clap_input_events* l, std::uint32_t i)
             { return static_cast<InputEvents*>(l->ctx)->order[i]; }}
{
    // Pointers into the vectors stay valid: room for every event a test adds.
    values.reserve(64);
    others.reserve(16);
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
    values.push_back(event);
    order.push_back(&values.back().header);
}

void InputEvents::addOther(const clap_event_header& header)
{
    others.push_back(header);
    order.push_back(&others.back());
}

OutputEvents::OutputEvents()
    : events{this, [](const clap_output_events* l, const clap_event_header* e)
             {
                 OutputEvents& self = *static_cast<OutputEvents*>(l->ctx);
                 if (self.sent.size() >= self.room) return false;
                 SentEvent got{e->type, 0, 0.0, e->time};
                 if (e->type == CLAP_EVENT_PARAM_VALUE)
                 {
                     const auto& v = *reinterpret_cast<const clap_event_param_value*>(e);
                     got.id = v.param_id;
                     got.value = v.value;
                     if (v.cookie || v.note_id != -1 || v.port_index != -1 || v.channel != -1 ||
                         v.key != -1 || e->size != sizeof v)
                         ++self.badAddresses;
                 }
                 else
                 {
                     got.id = reinterpret_cast<const clap_event_param_gesture*>(e)->param_id;
                     if (e->size != sizeof(clap_event_param_gesture)) ++self.badAddresses;
                 }
                 self.sent.push_back(got);
                 return true;
             }}
{
    sent.reserve(4096); // a host's list does not allocate while the plug-in pushes
}

namespace
{
std::int64_t move(ByteStream& s, std::size_t wanted)
{
    if (s.position >= s.failAt) return -1;
    return static_cast<std::int64_t>(std::min({wanted, s.step, s.failAt - s.position}));
}
} // namespace

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
    const clap_plugin_factory& factory = kClapFactory;
    plugin = factory.create_plugin(&factory, &host.host, "com.tarvel.qm07-compressor");
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
