// State in memory: every write appended, reads in pieces until the end, where they answer 0.
#include "ClapStreams.h"

#include <algorithm>
#include <cstring>

using namespace qm07::clap;

std::int64_t ClapByteSink::write(const clap_ostream* stream, const void* buffer, std::uint64_t size)
{
    auto* self = static_cast<ClapByteSink*>(stream->ctx);
    if (!buffer && size > 0) return -1;
    const auto* bytes = static_cast<const std::uint8_t*>(buffer);
    self->written.insert(self->written.end(), bytes, bytes + size);
    return static_cast<std::int64_t>(size);
}

std::int64_t ClapByteSource::read(const clap_istream* stream, void* buffer, std::uint64_t size)
{
    auto* self = static_cast<ClapByteSource*>(stream->ctx);
    if (!buffer && size > 0) return -1;
    const std::size_t count = static_cast<std::size_t>(
        std::min<std::uint64_t>({size, self->pieceSize, self->data.size() - self->position}));
    if (count > 0) std::memcpy(buffer, self->data.data() + self->position, count);
    self->position += count;
    return static_cast<std::int64_t>(count);
}
