// qm07-host-values: the CLAP (plain) values that stand for normalized VST settings, so the cross-format
// tests can give each build the same settings in its own terms.
#include "HostValues.h"
#include "Parameters.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace
{
/// NAME=VALUE with a parameter's name (any case) and a normalized value; false when it is not that.
bool parse(const char* text, int& index, float& value, std::string& name)
{
    const char* equals = std::strchr(text, '=');
    if (!equals) return false;
    name.assign(text, equals);
    char* end = nullptr;
    value = std::strtof(equals + 1, &end);
    index = qm07::findParameter(name.c_str());
    return index >= 0 && end != equals + 1 && *end == '\0';
}
} // namespace

/// Prints NAME=PLAIN for each NAME=NORMALIZED argument, one a line.
int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i)
    {
        int index = 0;
        float value = 0.0f;
        std::string name;
        if (!parse(argv[i], index, value, name))
        {
            std::fprintf(stderr,
                         "qm07-host-values: cannot read \"%s\"\nusage: qm07-host-values NAME=NORMALIZED...\n",
                         argv[i]);
            return 2;
        }
        std::printf("%s=%.17g\n", name.c_str(), qm07::hostValueOf(index, value));
    }
    return 0;
}
