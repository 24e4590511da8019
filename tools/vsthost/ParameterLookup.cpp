// Names compared as users type them: any case, spaces around them ignored.
#include "ParameterLookup.h"

#include <algorithm>
#include <cctype>

namespace
{
std::string trimmedLower(const std::string& text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    std::string result = text.substr(first, text.find_last_not_of(' ') - first + 1);
    std::transform(result.begin(), result.end(), result.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return result;
}
} // namespace

int findParameterNamed(PluginInstance& plugin, const std::string& name)
{
    const std::string wanted = trimmedLower(name);
    for (int i = 0; i < plugin.parameterCount(); ++i)
        if (trimmedLower(plugin.parameterName(i)) == wanted) return i;
    return -1;
}
