// Finds the bytes of a resource compiled into the module that contains the caller.
#pragma once

#include <cstddef>

namespace qm07
{

struct ResourceBytes
{
    const unsigned char* data;
    std::size_t size;
};

/// Bytes of resource `id` of `type` (e.g. "PNG") in the module that contains this code; {nullptr, 0} when
/// missing. Only the low 16 bits of `id` count, as with Windows resource numbers. The bytes stay valid for
/// the module's lifetime. Any thread; never allocates.
ResourceBytes findResource(int id, const char* type);

} // namespace qm07
