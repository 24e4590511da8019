// Parameters named on the command line: NAME=VALUE in real units, checked against each one's range.
#pragma once

#include "Parameters.h"

#include <cstdint>
#include <string>

namespace qm07
{

/// Main thread; allocates. Sets one value from "NAME=VALUE"; false with `error` for an unknown name, text
/// that means nothing, or a number outside the parameter's range; `values` is then untouched.
bool applySetting(const std::string& setting, ParameterValues& values, std::string& error);

} // namespace qm07
