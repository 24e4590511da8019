// The table of resources that the build embeds in place of a Windows resource section.
#pragma once

#include <cstddef>

namespace qm07
{

struct EmbeddedResource
{
    int id;
    const char* type;
    const unsigned char* data;
    std::size_t size;
};

extern const EmbeddedResource kEmbeddedResources[];
extern const std::size_t kEmbeddedResourceCount;

} // namespace qm07
