// effSetChunk with any declared size and any bytes. The bytes sit in a heap block of exactly the size
// the plug-in is told, so the sanitizer sees any read past it; sizes no 32-bit chunk can have come with
// whatever bytes there are and must change nothing.
#include "FuzzSupport.h"

#include <algorithm>
#include <climits>
#include <fuzzer/FuzzedDataProvider.h>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const auto declared = input.ConsumeIntegral<std::int64_t>();
    const bool preset = input.ConsumeBool();
    const std::vector<std::uint8_t> payload = input.ConsumeRemainingBytes<std::uint8_t>();

    Instance instance;
    const auto before = instance.chunk();
    const bool possible = declared >= 0 && declared <= INT32_MAX;
    const std::size_t length =
        possible ? static_cast<std::size_t>(declared) % (payload.size() + 1) : payload.size();
    std::unique_ptr<std::uint8_t[]> bytes(new std::uint8_t[length]);
    std::copy_n(payload.begin(), length, bytes.get());
    const auto told = possible ? static_cast<std::intptr_t>(length) : static_cast<std::intptr_t>(declared);
    instance.dispatch(effSetChunk, preset ? 1 : 0, told, bytes.get());

    if (!possible) require(instance.chunk() == before, "a size no chunk can have was taken");
    instance.requireValidParameters();
    // What the plug-in now hands out, it takes back unchanged.
    auto saved = instance.chunk();
    instance.dispatch(effSetChunk, 0, static_cast<std::intptr_t>(saved.size()), saved.data());
    require(instance.chunk() == saved, "a chunk of the plug-in's own does not survive a round trip");
    instance.requireFiniteBlock(256);
    return 0;
}
