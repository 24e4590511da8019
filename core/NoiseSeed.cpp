// Clock, instance count and address through a 64-bit mixer, whose every input bit reaches every output bit.
#include "NoiseSeed.h"

#include <atomic>
#include <chrono>

namespace
{
std::uint64_t mixed(std::uint64_t x)
{
    x ^= x >> 30;
    x *= 0xBF58476D1CE4E5B9ull;
    x ^= x >> 27;
    x *= 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

std::atomic<std::uint32_t> gInstancesCreated{0};
} // namespace

namespace qm07
{
std::uint32_t freshNoiseSeed(const void* instance)
{
    const std::uint64_t number = gInstancesCreated.fetch_add(1, std::memory_order_relaxed);
    const auto address = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(instance));
    const auto clock =
        static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    return static_cast<std::uint32_t>(mixed(mixed(clock) ^ (number << 32) ^ mixed(address)));
}
} // namespace qm07
