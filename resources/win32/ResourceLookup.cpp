// Windows resource lookup in whichever module (plug-in DLL or test program) this code was linked into.
#include "ResourceLookup.h"

#include <windows.h>

namespace qm07
{

namespace
{

HMODULE thisModule()
{
    HMODULE module = nullptr;
    // The address of a function in this file names the module that holds it, DLL or executable alike.
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&thisModule), &module);
    return module;
}

} // namespace

ResourceBytes findResource(int id, const char* type)
{
    HMODULE module = thisModule();
    if (module == nullptr || type == nullptr) return {nullptr, 0};
    HRSRC info = FindResourceA(module, MAKEINTRESOURCEA(id), type);
    if (info == nullptr) return {nullptr, 0};
    DWORD size = SizeofResource(module, info);
    HGLOBAL handle = LoadResource(module, info);
    const void* data = handle != nullptr ? LockResource(handle) : nullptr;
    if (data == nullptr || size == 0) return {nullptr, 0};
    return {static_cast<const unsigned char*>(data), size};
}

} // namespace qm07
