// Host-owned byte streams for state: both may move fewer bytes than asked, -1 means error.
#pragma once

#include "Version.h"

extern "C" {
namespace qm07::clap
{

struct clap_istream
{
    void* ctx;
    /// Bytes read (1..size), 0 at end of stream, -1 on error.
    std::int64_t (*read)(const clap_istream* stream, void* buffer, std::uint64_t size);
};

struct clap_ostream
{
    void* ctx;
    /// Bytes written (possibly fewer than size), -1 on error.
    std::int64_t (*write)(const clap_ostream* stream, const void* buffer, std::uint64_t size);
};

static_assert(sizeof(clap_istream) == 16 && alignof(clap_istream) == 8);
static_assert(offsetof(clap_istream, ctx) == 0);
static_assert(offsetof(clap_istream, read) == 8);

static_assert(sizeof(clap_ostream) == 16 && alignof(clap_ostream) == 8);
static_assert(offsetof(clap_ostream, ctx) == 0);
static_assert(offsetof(clap_ostream, write) == 8);

} // namespace qm07::clap
}
