// The settings file through POSIX calls: the only way to sync a file and its folder.
#include "SettingsFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace qm07
{

namespace
{

std::string failure(const std::string& what, const std::string& path)
{
    return what + " " + path + ": " + std::strerror(errno);
}

std::string folderOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

/// mkdir -p, private to the user like the rest of their configuration.
bool makeFolders(const std::string& folder, std::string& error)
{
    for (std::size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1))
    {
        const std::string part = folder.substr(0, slash);
        if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST)
        {
            error = failure("cannot make the folder", part);
            return false;
        }
        if (slash == std::string::npos) return true;
    }
}

bool writeAll(int file, const unsigned char* data, std::size_t size)
{
    while (size > 0)
    {
        const ssize_t written = write(file, data, size);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

bool syncFolder(const std::string& folder)
{
    const int handle = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (handle < 0) return false;
    const bool synced = fsync(handle) == 0;
    close(handle);
    return synced;
}

} // namespace

std::string defaultStatePath(const char* xdgConfigHome, const char* home)
{
    const std::string leaf = "/qm07-compressor/state";
    if (xdgConfigHome && *xdgConfigHome) return xdgConfigHome + leaf;
    if (home && *home) return std::string(home) + "/.config" + leaf;
    return {};
}

FileRead readSmallFile(const std::string& path, std::size_t limit, std::vector<unsigned char>& bytes,
                       std::string& error)
{
    const int file = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (file < 0 && errno == ENOENT) return FileRead::Missing;
    if (file < 0)
    {
        error = failure("cannot open", path);
        return FileRead::Failed;
    }
    bytes.assign(limit + 1, 0);
    std::size_t total = 0;
    bool failed = false;
    while (total < bytes.size())
    {
        const ssize_t got = read(file, bytes.data() + total, bytes.size() - total);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0)
        {
            failed = got < 0;
            break;
        }
        total += static_cast<std::size_t>(got);
    }
    if (failed) error = failure("cannot read", path);
    close(file);
    bytes.resize(total);
    return failed ? FileRead::Failed : FileRead::Read;
}

bool replaceFile(const std::string& path, const void* data, std::size_t size, std::string& error)
{
    error.clear();
    const std::string folder = folderOf(path);
    if (!makeFolders(folder, error)) return false;
    std::string temporary = path + ".XXXXXX";
    const int file = mkostemp(temporary.data(), O_CLOEXEC);
    if (file < 0)
    {
        error = failure("cannot write in", folder);
        return false;
    }
    const bool written = writeAll(file, static_cast<const unsigned char*>(data), size) && fsync(file) == 0;
    if (!written) error = failure("cannot write", temporary);
    if (close(file) != 0 && written) error = failure("cannot write", temporary);
    if (error.empty() && rename(temporary.c_str(), path.c_str()) != 0)
        error = failure("cannot replace", path);
    if (!error.empty())
    {
        unlink(temporary.c_str());
        return false;
    }
    // The rename is durable only once the folder's entry is on disk too.
    if (!syncFolder(folder)) error = failure("cannot sync the folder", folder);
    return error.empty();
}

} // namespace qm07
