// The library's exported object: counted init/deinit, and the factory while initialised.
#include "ClapFactory.h"

#include <cstring>
#include <mutex>

namespace
{
std::mutex gInitMutex;
int gInitCount = 0;

/// Any thread, never concurrently with another call into the library. Hosts and wrappers may each init.
bool entryInit(const char*)
{
    const std::lock_guard<std::mutex> lock(gInitMutex);
    ++gInitCount;
    return true;
}

/// Any thread, never concurrently with another call into the library.
void entryDeinit()
{
    const std::lock_guard<std::mutex> lock(gInitMutex);
    if (gInitCount > 0) --gInitCount;
}

/// Any thread; null outside init/deinit and for any factory but the plug-in factory.
const void* entryFactory(const char* id)
{
    const std::lock_guard<std::mutex> lock(gInitMutex);
    if (gInitCount == 0 || !id || std::strcmp(id, qm07::clap::CLAP_PLUGIN_FACTORY_ID) != 0) return nullptr;
    return &qm07::kClapFactory;
}
} // namespace

extern "C" const qm07::clap::clap_plugin_entry clap_entry = {qm07::clap::CLAP_VERSION, entryInit, entryDeinit,
                                                             entryFactory};
