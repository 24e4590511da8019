// The settings file holds exactly the plug-in's state, so a file of any other size is not ours.
#include "StateFile.h"

#include "SettingsFile.h"
#include "State.h"

#include <algorithm>
#include <vector>

namespace qm07
{

bool loadState(const std::string& path, ParameterValues& values, std::string& message)
{
    std::vector<unsigned char> bytes;
    std::string error;
    switch (readSmallFile(path, kStateBytes, bytes, error))
    {
    case FileRead::Missing:
        return false;
    case FileRead::Failed:
        message = error + "; using the defaults";
        return false;
    case FileRead::Read:
        break;
    }
    if (bytes.size() != kStateBytes || !readState(bytes.data(), bytes.size(), values))
    {
        message = "ignoring " + path + ": " + (bytes.size() > kStateBytes ? "more than " : "") +
                  std::to_string(std::min(bytes.size(), kStateBytes)) + " bytes, not a " +
                  std::to_string(kStateBytes) +
                  "-byte state; using the defaults (the file is replaced at the next save)";
        return false;
    }
    return true;
}

bool saveState(const std::string& path, const ParameterValues& values, std::string& error)
{
    const StateBytes bytes = writeState(values);
    return replaceFile(path, bytes.data(), bytes.size(), error);
}

} // namespace qm07
