// The platform's library loader, as the CLAP host needs it; one implementation per platform.
#pragma once

#include <string>

namespace SharedModule
{
/// Null, with the loader's reason in error, when path cannot be loaded.
void* open(const std::string& path, std::string& error);
/// The address of an exported symbol, or null.
void* symbol(void* module, const char* name);
void close(void* module);
} // namespace SharedModule
