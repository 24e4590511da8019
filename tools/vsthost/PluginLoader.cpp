// The format of a plug-in file, and the host side that loads it.
#include "PluginLoader.h"

#include "HostedPlugin.h"
#include "clap/ClapInstance.h"

bool isClapPath(const std::string& path)
{
    static const std::string kSuffix = ".clap";
    return path.size() >= kSuffix.size() &&
           path.compare(path.size() - kSuffix.size(), kSuffix.size(), kSuffix) == 0;
}

std::unique_ptr<PluginInstance> loadPlugin(const std::string& path, std::string& error)
{
    if (isClapPath(path)) return ClapInstance::load(path, error);
    return HostedPlugin::load(path, error);
}
