// Loops over partial transfers; a call that moves nothing ends it, so a broken stream cannot hang us.
#include "StateStreams.h"

#include <cstdint>

namespace qm07
{

bool writeStateTo(const clap::clap_ostream* stream, const StateBytes& bytes)
{
    if (!stream || !stream->write) return false;
    for (std::size_t done = 0; done < bytes.size();)
    {
        const std::int64_t wrote = stream->write(stream, bytes.data() + done, bytes.size() - done);
        if (wrote <= 0 || static_cast<std::uint64_t>(wrote) > bytes.size() - done) return false;
        done += static_cast<std::size_t>(wrote);
    }
    return true;
}

bool readStateFrom(const clap::clap_istream* stream, StateBytes& bytes)
{
    if (!stream || !stream->read) return false;
    StateBytes read{};
    for (std::size_t done = 0; done < read.size();)
    {
        const std::int64_t got = stream->read(stream, read.data() + done, read.size() - done);
        if (got <= 0 || static_cast<std::uint64_t>(got) > read.size() - done) return false;
        done += static_cast<std::size_t>(got);
    }
    bytes = read;
    return true;
}

} // namespace qm07
