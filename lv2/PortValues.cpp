// Ports carry the host values as floats.
#include "PortValues.h"

#include "HostValues.h"

namespace qm07::lv2
{
float portValue(std::int32_t index, float normalized)
{
    return static_cast<float>(hostValueOf(index, normalized));
}
} // namespace qm07::lv2
