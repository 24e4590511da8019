// CLAP's version record, id type, string capacities and fixed-point time: what every other header uses.
#pragma once

#include "AbiTarget.h"

#include <cstddef>
#include <cstdint>

// Definitions live in a namespace so they can never meet another set of CLAP definitions at link time;
// the names are the reference's, one to one, so a layout can be checked against it line by line.
extern "C" {
namespace qm07::clap
{

struct clap_version
{
    std::uint32_t major;
    std::uint32_t minor;
    std::uint32_t revision;
};

/// The 1.x version whose layouts these headers pin.
constexpr clap_version CLAP_VERSION = {1, 2, 10};

/// 0.x was the pre-release series; every 1.x and later is accepted.
constexpr bool clap_version_is_compatible(const clap_version& v)
{
    return v.major >= 1;
}

using clap_id = std::uint32_t;
constexpr clap_id CLAP_INVALID_ID = UINT32_MAX;

/// Capacities in bytes, terminating zero included.
constexpr std::size_t CLAP_NAME_SIZE = 256;
constexpr std::size_t CLAP_PATH_SIZE = 1024;

using clap_beattime = std::int64_t;
using clap_sectime = std::int64_t;
constexpr std::int64_t CLAP_BEATTIME_FACTOR = std::int64_t{1} << 31;
constexpr std::int64_t CLAP_SECTIME_FACTOR = std::int64_t{1} << 31;

// The ground rules every offset below depends on.
static_assert(sizeof(void*) == 8 && alignof(void*) == 8, "defined for 64-bit targets only");
static_assert(sizeof(bool) == 1 && sizeof(int) == 4);
static_assert(alignof(double) == 8 && alignof(std::int64_t) == 8, "8-byte alignment inside structs");
static_assert(sizeof(unsigned long) == kUnsignedLongBytes, "LP64 on Linux, LLP64 on Windows");

static_assert(sizeof(clap_version) == 12 && alignof(clap_version) == 4);
static_assert(offsetof(clap_version, major) == 0);
static_assert(offsetof(clap_version, minor) == 4);
static_assert(offsetof(clap_version, revision) == 8);

} // namespace qm07::clap
}
