// Loops over partial transfers; a call that moves nothing ends it, so a broken stream cannot hang us.
#include "StateStreams.h"

#include <cstdint>

namespace qm07
{

namespace
{
/// `move(done, left)` transfers up to `left` bytes from offset `done` and answers how many it moved.
template <typename Move> bool moveAll(std::size_t size, Move&& move)
{
    for (std::size_t done = 0; done < size;)
    {
        const std::int64_t moved = move(done, size - done);
        if (moved <= 0 || static_cast<std::uint64_t>(moved) > size - done) return false;
        done += static_cast<std::size_t>(moved);
    }
    return true;
}
} // namespace

bool writeStateTo(const clap::clap_ostream* stream, const StateBytes& bytes)
{
    return stream && stream->write &&
           moveAll(bytes.size(), [&](std::size_t done, std::size_t left)
                   { return stream->write(stream, bytes.data() + done, left); });
}

bool readStateFrom(const clap::clap_istream* stream, StateBytes& bytes)
{
    return stream && stream->read &&
           moveAll(bytes.size(), [&](std::size_t done, std::size_t left)
                   { return stream->read(stream, bytes.data() + done, left); });
}

} // namespace qm07
