// Feeds arbitrary bytes to the settings decoder in both forms, against a
// reference tree with nested nodes, a form-to-tray database, the custom-size
// list and the templates: every input must decode to a tree or to nothing,
// without reading past its end, leaking or looping.
//
// Input: byte 0 selects the form (bit 0: 0 compact, 1 wide); the rest is the
// stream. Seeds in fuzz/corpus/SettingsDecodeFuzz/ are streams the encoder
// wrote (fuzz/WriteFuzzSeeds.cpp).
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

#include "driver/GSettingsCodec.h"
#include "fuzz/FuzzDriverContext.h"
#include "model/GPersistInputStream.h"
#include "module/ModuleRuntime.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool ready = (InitializeModuleRuntime(), true);
    (void)ready;
    if (size < 1) return 0;
    const uint16_t form = data[0] & 1;
    // Exactly the stream's bytes, so a read past them is a sanitizer report.
    const size_t length = size - 1;
    auto block = std::make_unique<uint8_t[]>(length + 1);
    std::memcpy(block.get(), data + 1, length);
    static FuzzDriverContext context(1);
    GSettingsCodec codec; // a new reference tree every run: its building is fuzzed too
    GPersistInputStream in(block.get(), length, 1);
    codec.Decode(*in.GetStream(), in, &context, form);
    return 0;
}
