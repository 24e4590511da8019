// Finds a VST module's entry point under either of its names.
#include "PluginLibrary.h"

std::unique_ptr<PluginLibrary> PluginLibrary::load(const std::string& path, std::string& error)
{
    auto module = SharedLibrary::open(path, error);
    if (!module) return nullptr;
    // Older plug-ins export only "main", so it is the fallback name.
    void* symbol = module->symbol("VSTPluginMain");
    if (!symbol) symbol = module->symbol("main");
    if (!symbol)
    {
        error = path + " exports neither VSTPluginMain nor main";
        return nullptr;
    }
    const auto entry = reinterpret_cast<PluginEntryProc>(symbol);
    return std::unique_ptr<PluginLibrary>(new PluginLibrary(std::move(module), entry));
}
