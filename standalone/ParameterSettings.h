// Parameters named on the command line: NAME=VALUE in real units, checked against each one's range.
#pragma once

#include "Parameters.h"

#include <cstdint>
#include <string>

namespace qm07
{

/// The index of a parameter by its name ("Knee dB") or symbol ("knee_db"), either in any case; -1 if none.
std::int32_t findParameter(const std::string& name);

/// Main thread; allocates. Sets one value from "NAME=VALUE"; false with `error` for an unknown name, text
/// that means nothing, or a number outside the parameter's range; `values` is then untouched.
bool applySetting(const std::string& setting, ParameterValues& values, std::string& error);

} // namespace qm07
