// The battery in running order: identity, opcodes, parameters, state, processing, behaviour over time,
// editor, and what only CLAP has.
#include "Checks.h"

std::vector<Check> allChecks()
{
    std::vector<Check> checks;
    for (auto group : {identityChecks, opcodeChecks, parameterChecks, stateChecks, processChecks,
                       behaviourChecks, editorChecks, clapChecks})
    {
        const auto more = group();
        checks.insert(checks.end(), more.begin(), more.end());
    }
    return checks;
}
