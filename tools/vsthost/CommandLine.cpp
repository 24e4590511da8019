// Splits a command's arguments and checks the numbers in them.
#include "CommandLine.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

CommandLine::CommandLine(const std::vector<std::string>& args, const std::vector<std::string>& valueOptions,
                         const std::vector<std::string>& flags)
{
    auto listed = [](const std::vector<std::string>& list, const std::string& name)
    { return std::find(list.begin(), list.end(), name) != list.end(); };
    for (std::size_t i = 0; i < args.size(); ++i)
    {
        const std::string& arg = args[i];
        if (arg.rfind("--", 0) != 0)
            plain.push_back(arg);
        else if (listed(flags, arg))
            options.emplace_back(arg, "");
        else if (!listed(valueOptions, arg))
            problem = "unknown option " + arg;
        else if (i + 1 < args.size())
            options.emplace_back(arg, args[++i]);
        else
            problem = arg + " needs a value";
    }
}

bool CommandLine::has(const std::string& flag) const
{
    return std::any_of(options.begin(), options.end(),
                       [&](const auto& option) { return option.first == flag; });
}

std::vector<std::string> CommandLine::values(const std::string& option) const
{
    std::vector<std::string> result;
    for (const auto& [name, value] : options)
        if (name == option) result.push_back(value);
    return result;
}

std::string CommandLine::value(const std::string& option, const std::string& fallback) const
{
    const auto all = values(option);
    return all.empty() ? fallback : all.back();
}

double CommandLine::number(const std::string& option, double fallback, double low, double high)
{
    const std::string text = value(option, "");
    if (text.empty()) return fallback;
    char* end = nullptr;
    const double result = std::strtod(text.c_str(), &end);
    if (end == text.c_str() || *end != '\0' || !(result >= low && result <= high))
    {
        problem = option + " wants a number from " + std::to_string(low) + " to " + std::to_string(high) +
                  ", not " + text;
        return fallback;
    }
    return result;
}

void CommandLine::refuse(const std::string& why)
{
    if (problem.empty()) problem = why;
}

bool CommandLine::usable(std::size_t count, const char* program, const char* usage) const
{
    if (ok() && plain.size() == count) return true;
    std::fprintf(stderr, "%s: %s\n%s", program, ok() ? "wrong number of arguments" : problem.c_str(), usage);
    return false;
}
