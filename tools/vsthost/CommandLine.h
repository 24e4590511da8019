// The arguments of one vsthost command: positional arguments, options with values, and flags.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

class CommandLine
{
public:
    /// Options listed in valueOptions take the next argument as their value and may repeat;
    /// options listed in flags stand alone. Anything else that starts with "--" is an error.
    CommandLine(const std::vector<std::string>& args, const std::vector<std::string>& valueOptions,
                const std::vector<std::string>& flags);

    bool ok() const { return problem.empty(); }
    const std::string& error() const { return problem; }
    const std::vector<std::string>& positional() const { return plain; }
    /// Records a problem found outside the line's own rules, unless there is one already.
    void refuse(const std::string& why);
    /// Whether the line is fine and has count positional arguments; when not, prints "program: " and the
    /// problem, then usage, on stderr.
    bool usable(std::size_t count, const char* program, const char* usage) const;
    bool has(const std::string& flag) const;
    std::vector<std::string> values(const std::string& option) const;
    /// The last value given for option, or fallback.
    std::string value(const std::string& option, const std::string& fallback) const;
    /// The option's value as a number within [low, high]; sets the error and returns fallback otherwise.
    double number(const std::string& option, double fallback, double low, double high);

private:
    std::vector<std::string> plain;
    std::vector<std::pair<std::string, std::string>> options;
    std::string problem;
};
