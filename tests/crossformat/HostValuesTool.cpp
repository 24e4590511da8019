// qm07-host-values: the CLAP (plain) values and the 40-byte state that stand for normalized VST settings,
// so the cross-format tests can give each build the same settings in its own terms.
#include "HostValues.h"
#include "Parameters.h"
#include "State.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace
{
const char kUsage[] = "usage: qm07-host-values values NAME=NORMALIZED...\n"
                      "       qm07-host-values state FILE [NAME=NORMALIZED...]\n";

bool sameName(const std::string& a, const char* b)
{
    if (a.size() != std::strlen(b)) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

/// NAME=VALUE with a parameter's name (any case) and a normalized value; false when it is not that.
bool parse(const char* text, int& index, float& value, std::string& name)
{
    const char* equals = std::strchr(text, '=');
    if (!equals) return false;
    name.assign(text, equals);
    char* end = nullptr;
    value = std::strtof(equals + 1, &end);
    for (index = 0; index < qm07::kNumParams; ++index)
        if (sameName(name, qm07::kParameters[index].name)) break;
    return index < qm07::kNumParams && end != equals + 1 && *end == '\0';
}
} // namespace

int main(int argc, char** argv)
{
    const bool state = argc >= 3 && std::strcmp(argv[1], "state") == 0;
    if (argc < 2 || (!state && std::strcmp(argv[1], "values") != 0))
    {
        std::fputs(kUsage, stderr);
        return 2;
    }
    qm07::ParameterValues values = qm07::defaultValues();
    for (int i = state ? 3 : 2; i < argc; ++i)
    {
        int index = 0;
        float value = 0.0f;
        std::string name;
        if (!parse(argv[i], index, value, name))
        {
            std::fprintf(stderr, "qm07-host-values: cannot read \"%s\"\n%s", argv[i], kUsage);
            return 2;
        }
        values[static_cast<std::size_t>(index)] = value;
        if (!state) std::printf("%s=%.17g\n", name.c_str(), qm07::hostValueOf(index, value));
    }
    if (!state) return 0;
    const qm07::StateBytes bytes = qm07::writeState(values);
    std::FILE* file = std::fopen(argv[2], "wb");
    const bool written = file && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if (file) std::fclose(file);
    return written ? 0 : 1;
}
