// Loading a .clap: the exported entry object, its counted init, and the plug-in factory.
#include "ClapLibrary.h"

using namespace qm07::clap;

std::unique_ptr<ClapLibrary> ClapLibrary::load(const std::string& path, std::string& error)
{
    auto module = SharedLibrary::open(path, error);
    if (!module) return nullptr;
    const auto* entry = static_cast<const clap_plugin_entry*>(module->symbol("clap_entry"));
    std::unique_ptr<ClapLibrary> library(new ClapLibrary(std::move(module), entry));
    if (!entry)
        error = path + " exports no clap_entry";
    else if (!clap_version_is_compatible(entry->clap_version))
        error = path + ": clap_entry has version " + std::to_string(entry->clap_version.major) + "." +
                std::to_string(entry->clap_version.minor) + ", before 1.0";
    else if (!entry->init || !entry->deinit || !entry->get_factory)
        error = path + ": clap_entry lacks init, deinit or get_factory";
    else if (!(library->initialised = entry->init(path.c_str())))
        error = path + ": clap_entry.init failed";
    else if (!(library->plugins =
                   static_cast<const clap_plugin_factory*>(entry->get_factory(CLAP_PLUGIN_FACTORY_ID))))
        error = path + " offers no plug-in factory";
    else if (!library->plugins->get_plugin_count || !library->plugins->get_plugin_descriptor ||
             !library->plugins->create_plugin)
        error = path + ": the plug-in factory lacks a function";
    else
        return library;
    return nullptr;
}

ClapLibrary::~ClapLibrary()
{
    // Only an init that succeeded is paired with a deinit.
    if (initialised) object->deinit();
}
