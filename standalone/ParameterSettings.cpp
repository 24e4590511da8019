// Command-line settings: the texts are the core's (parseValue); only the range check is added, since the
// core clamps what it parses.
#include "ParameterSettings.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace qm07
{

namespace
{

std::string trimmed(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t");
    const auto last = text.find_last_not_of(" \t");
    return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

/// The number the text begins with, the Unicode minus read as '-'; false when it begins with none.
bool leadingNumber(std::string text, double& number)
{
    const std::string minus = "\xE2\x88\x92";
    if (text.compare(0, minus.size(), minus) == 0) text.replace(0, minus.size(), "-");
    char* end = nullptr;
    number = std::strtod(text.c_str(), &end);
    return end != text.c_str() && !std::isnan(number);
}

bool inRange(std::int32_t index, double number)
{
    const ParameterInfo& info = kParameters[index];
    const double low = std::min(info.minimum, info.maximum);
    const double high = std::max(info.minimum, info.maximum);
    return number >= low && number <= high;
}

std::string rangeText(std::int32_t index)
{
    const ParameterInfo& info = kParameters[index];
    char text[96];
    std::snprintf(text, sizeof(text), "from %g to %g%s%s", std::min(info.minimum, info.maximum),
                  std::max(info.minimum, info.maximum), *info.unit ? " " : "", info.unit);
    return text;
}

std::string knownNames()
{
    std::string names;
    for (const ParameterInfo& info : kParameters)
        names += std::string(names.empty() ? "" : ", ") + info.symbol;
    return names;
}

} // namespace

bool applySetting(const std::string& setting, ParameterValues& values, std::string& error)
{
    const auto equals = setting.find('=');
    const std::string name = trimmed(setting.substr(0, equals));
    const std::string text =
        equals == std::string::npos ? std::string() : trimmed(setting.substr(equals + 1));
    const std::int32_t index = findParameter(name.c_str());
    float normalized = 0.0f;
    double number = 0.0;
    if (index < 0)
        error = "unknown parameter \"" + name + "\" (known: " + knownNames() + ")";
    else if (text.empty() || !parseValue(index, text.c_str(), normalized))
        error = "\"" + text + "\" is no value for " + kParameters[index].name;
    else if (leadingNumber(text, number) && !inRange(index, number))
        error = text + " is out of range for " + kParameters[index].name + " (" + rangeText(index) + ")";
    else
        values[index] = normalized;
    return error.empty();
}

} // namespace qm07
