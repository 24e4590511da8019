// Pieces the fuzz targets share: an instance of the effect driven through its record, and the checks
// that turn a silent fault into a crash libFuzzer keeps.
#pragma once

#include "EffectRecord.h"

#include <cstdint>
#include <vector>

/// Prints what failed and aborts, so that libFuzzer saves the input.
void require(bool condition, const char* what);

/// A fresh effect, opened and running at 48 kHz in blocks of up to kMaxBlock; effClose at the end.
class Instance
{
public:
    static constexpr int kMaxBlock = 4096;

    Instance();
    ~Instance();
    Instance(const Instance&) = delete;
    Instance& operator=(const Instance&) = delete;

    AEffect& record() { return *effect; }
    std::intptr_t dispatch(std::int32_t opcode, std::int32_t index = 0, std::intptr_t value = 0,
                           void* ptr = nullptr, float opt = 0.0f);
    /// The state chunk as it is now.
    std::vector<std::uint8_t> chunk();
    /// Every parameter reads finite within 0 to 1.
    void requireValidParameters();
    /// One block of a steady tone, single precision, out of place; every output sample must be finite.
    void requireFiniteBlock(int frames);

private:
    AEffect* effect;
};
