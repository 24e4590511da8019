// The battery's checks, grouped by what they look at, in the order they run.
#pragma once

#include "Battery.h"

#include <vector>

std::vector<Check> identityChecks();
std::vector<Check> opcodeChecks();
std::vector<Check> parameterChecks();
std::vector<Check> stateChecks();
std::vector<Check> processChecks();
std::vector<Check> behaviourChecks();
std::vector<Check> editorChecks();
std::vector<Check> clapChecks();

/// Every check, in the order above.
std::vector<Check> allChecks();
