// Feeds arbitrary DEVMODE images to the DEVMODE object's load path (its
// identity checks, blob expansion with zlib and the dictionary coder, the
// settings decoder and the object-graph restore) and to the validation of
// public fields. Every input must load or be refused without reading
// outside the caller's buffer, leaking or looping.
//
// Input: byte 0 selects the printer's blob form (bit 0: 1 the settings
// encoding, 0 the object graph); the rest is the DEVMODE. As the DEVMODE
// contract says, the caller's buffer holds dmSize + dmDriverExtra bytes:
// sizes that claim more are cut to the input.
//
// Seeds in fuzz/corpus/DevModeLoadFuzz/ are images the library wrote
// (fuzz/WriteFuzzSeeds.cpp).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

#include "driver/GNTDevMode.h"
#include "fuzz/FuzzDriverContext.h"
#include "module/ModuleRuntime.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool ready = (InitializeModuleRuntime(), true);
    (void)ready;
    constexpr size_t kHeader = offsetof(DEVMODEW, dmFields) + sizeof(DWORD);
    if (size < 1 + kHeader) return 0;
    const uint16_t blobForm = data[0] & 1;
    const size_t length = size - 1;
    auto block = std::make_unique<uint8_t[]>(length);
    std::memcpy(block.get(), data + 1, length);
    auto* devmode = reinterpret_cast<DEVMODEW*>(block.get());
    devmode->dmSize = static_cast<WORD>(std::min<size_t>(devmode->dmSize, length));
    devmode->dmDriverExtra =
        static_cast<WORD>(std::min<size_t>(devmode->dmDriverExtra, length - devmode->dmSize));

    FuzzDriverContext context(blobForm);
    GNTDevMode object(&context, nullptr);
    object.IsOurDevMode(devmode);
    object.Load(devmode);
    uint32_t bad = 0;
    object.ValidatePublic(devmode, 1, &bad);
    return 0;
}
