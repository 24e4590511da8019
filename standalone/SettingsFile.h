// The settings file's place and its reading and writing; what the bytes mean is the caller's business.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace qm07
{

/// $XDG_CONFIG_HOME/qm07-compressor/state, else $HOME/.config/qm07-compressor/state (unset or empty
/// variables count as missing); empty when neither is set.
std::string defaultStatePath(const char* xdgConfigHome, const char* home);

enum class FileRead
{
    Read,
    Missing,
    Failed,
};

/// Main thread; allocates. Reads at most `limit` bytes plus one, so that an oversized file shows as such.
FileRead readSmallFile(const std::string& path, std::size_t limit, std::vector<unsigned char>& bytes,
                       std::string& error);

/// Main thread; allocates. Writes a temporary file beside `path`, syncs it, renames it over `path` and
/// syncs the folder, which it makes if missing. A crash or a full disk leaves the old file or the new one
/// whole, never a part; on failure the temporary file is removed.
bool replaceFile(const std::string& path, const void* data, std::size_t size, std::string& error);

} // namespace qm07
