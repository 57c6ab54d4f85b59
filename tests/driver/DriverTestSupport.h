#pragma once
// Test doubles and byte helpers shared by the driver tests: a driver context
// whose defaults and configuration the test builds, and encode / decode of a
// settings tree into plain byte vectors.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "driver/GDriverContext.h"
#include "driver/GSettingsCodec.h"
#include "model/GAttributeComposite.h"
#include "model/GPersistInputStream.h"
#include "model/GPersistOutputStream.h"

namespace drivertest {

using Bytes = std::vector<uint8_t>;

// "6E 23 01" -> {0x6E, 0x23, 0x01}; spaces are ignored.
inline Bytes Hex(const std::string& text) {
    Bytes bytes;
    std::istringstream in(text);
    std::string pair;
    while (in >> pair)
        bytes.push_back(static_cast<uint8_t>(std::stoul(pair, nullptr, 16)));
    return bytes;
}

inline Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

// The 20-byte lead-in of every settings stream.
inline Bytes LeadIn() {
    return Bytes(20, 0x73);
}

// A driver context whose defaults, configuration tree and application flags
// the test sets. The defaults are handed out as fresh copies.
class TestDriverContext : public GDriverContext {
public:
    TestDriverContext() : GDriverContext(u"Office Printer", u"QV Colour Driver", u"LPT1:") {}

    GJobContext* AsJobObject() override { return nullptr; }
    GDriver* AsDriver() override { return nullptr; }
    void PrepareToPark() override {}
    std::unique_ptr<GAttributeComposite> NewDefaultSettings() override {
        ++defaultsMade;
        if (defaults == nullptr) return nullptr;
        return std::unique_ptr<GAttributeComposite>(
            static_cast<GAttributeComposite*>(defaults->Clone().release()));
    }
    uint32_t GetApplicationFlags() const override { return applicationFlags; }

    std::unique_ptr<GAttributeComposite> defaults;
    uint32_t applicationFlags = 0;
    int defaultsMade = 0;
};

// Encodes root into a memory block of the given capacity; result receives
// Encode's answer. The bytes written (up to the write position).
inline Bytes Encode(GSettingsCodec& codec, const MPersistentObject* root, uint16_t form,
                    int32_t* result = nullptr, size_t capacity = 4096) {
    std::vector<char> block(capacity);
    GPersistOutputStream out(block.data(), block.size(), 1);
    const int32_t answer = codec.Encode(root, *out.GetStream(), out, form);
    if (result != nullptr) *result = answer;
    const std::streamoff end = out.Tell();
    return Bytes(block.begin(), block.begin() + (end < 0 ? 0 : end));
}

// Decodes bytes read in place from an exactly sized block (so a read past
// the end is an AddressSanitizer report).
inline std::unique_ptr<MPersistentObject> Decode(GSettingsCodec& codec, const Bytes& bytes,
                                                 GDriverContext* context, uint16_t form) {
    auto block = std::make_unique<uint8_t[]>(bytes.size() + (bytes.empty() ? 1 : 0));
    std::copy(bytes.begin(), bytes.end(), block.get());
    GPersistInputStream in(block.get(), bytes.size(), 1);
    return codec.Decode(*in.GetStream(), in, context, form);
}

} // namespace drivertest
