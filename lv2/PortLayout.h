// Where each port of the LV2 plug-in sits, shared by the DSP, the UI and the bundle's description.
#pragma once

#include "Parameters.h"

#include <cstdint>

namespace qm07::lv2
{
constexpr const char* kPluginUri = "urn:tarvel:qm07-compressor";
constexpr const char* kUiUri = "urn:tarvel:qm07-compressor#ui";

// Audio first, then the parameters in table order, then the meter, so a port is 4 + parameter index.
constexpr std::uint32_t kInputLeft = 0;
constexpr std::uint32_t kInputRight = 1;
constexpr std::uint32_t kOutputLeft = 2;
constexpr std::uint32_t kOutputRight = 3;
constexpr std::uint32_t kFirstControl = 4;
constexpr std::uint32_t kGainReductionPort = kFirstControl + kNumParams;
constexpr std::uint32_t kPortCount = kGainReductionPort + 1;

constexpr std::uint32_t controlPort(std::int32_t index)
{
    return kFirstControl + static_cast<std::uint32_t>(index);
}

/// The parameter a control input carries, or −1 for any other port.
constexpr std::int32_t parameterOfPort(std::uint32_t port)
{
    return port >= kFirstControl && port < kGainReductionPort
               ? static_cast<std::int32_t>(port - kFirstControl)
               : -1;
}
} // namespace qm07::lv2
