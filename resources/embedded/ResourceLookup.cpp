// Resource lookup for builds without a Windows resource section: a search of the embedded table.
#include "ResourceLookup.h"

#include "EmbeddedResources.h"

#include <cctype>

namespace qm07
{

namespace
{

// Windows compares resource type names without regard to case; so do we.
bool sameType(const char* a, const char* b)
{
    for (; *a != '\0' && *b != '\0'; ++a, ++b)
        if (std::toupper(static_cast<unsigned char>(*a)) != std::toupper(static_cast<unsigned char>(*b)))
            return false;
    return *a == *b;
}

} // namespace

ResourceBytes findResource(int id, const char* type)
{
    if (type == nullptr) return {nullptr, 0};
    const int number = id & 0xFFFF;
    for (std::size_t i = 0; i < kEmbeddedResourceCount; ++i)
    {
        const EmbeddedResource& r = kEmbeddedResources[i];
        if (r.id == number && sameType(r.type, type)) return {r.data, r.size};
    }
    return {nullptr, 0};
}

} // namespace qm07
