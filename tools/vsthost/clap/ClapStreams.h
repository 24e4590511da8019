// Host-owned byte streams for state: saving into memory, loading from memory in pieces of a chosen size.
#pragma once

#include "abi/Stream.h"

#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

class ClapByteSink
{
public:
    ClapByteSink() : table{this, write} {}
    const qm07::clap::clap_ostream* stream() const { return &table; }
    const std::vector<std::uint8_t>& bytes() const { return written; }

private:
    /// Main thread; allocates.
    static std::int64_t write(const qm07::clap::clap_ostream* stream, const void* buffer, std::uint64_t size);

    std::vector<std::uint8_t> written;
    qm07::clap::clap_ostream table;
};

class ClapByteSource
{
public:
    /// Reads hand out at most piece bytes each, so a plug-in that reads once instead of looping shows.
    explicit ClapByteSource(const std::vector<std::uint8_t>& bytes,
                            std::size_t piece = std::numeric_limits<std::size_t>::max())
        : data(bytes), pieceSize(piece), table{this, read}
    {
    }
    const qm07::clap::clap_istream* stream() const { return &table; }

private:
    /// Main thread; no allocation.
    static std::int64_t read(const qm07::clap::clap_istream* stream, void* buffer, std::uint64_t size);

    const std::vector<std::uint8_t>& data;
    std::size_t pieceSize;
    std::size_t position = 0;
    qm07::clap::clap_istream table;
};
