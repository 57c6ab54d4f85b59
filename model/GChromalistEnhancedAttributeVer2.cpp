#include "model/GChromalistEnhancedAttributeVer2.h"

#include <iterator>
#include <new>

namespace {

using Body = GChromalistEnhancedBody;

// Codes in saved order, each with its cell and its default.
constexpr Body::Layout kVer2Layout = {
    GChromalistEnhancedAttributeVer2::kCodecCodes,
    {{0, 0}, {0, 1}, {0, 3}, {1, 0}, {1, 1}, {1, 3}, {2, 0}, {2, 1}, {2, 3}, {Body::kAnyKind, 2}},
    {70, 41, 100, 80, 51, 103, 91, 61, 106, 95},
    GChromalistEnhancedAttributeVer2::kCodecTag,
};

} // namespace

GChromalistEnhancedAttributeVer2::GChromalistEnhancedAttributeVer2() : GChromalistEnhancedBody(kVer2Layout) {}

GChromalistEnhancedAttributeVer2::GChromalistEnhancedAttributeVer2(uint32_t id)
    : GChromalistEnhancedBody(kVer2Layout, id) {}

GChromalistEnhancedAttributeVer2::GChromalistEnhancedAttributeVer2(uint32_t id, uint8_t k0f0, uint8_t k0f1,
                                                                   uint8_t k0f3, uint8_t k1f0, uint8_t k1f1,
                                                                   uint8_t k1f3, uint8_t k2f0, uint8_t k2f1,
                                                                   uint8_t k2f3, uint8_t f2)
    : GChromalistEnhancedBody(kVer2Layout, id,
                              std::data({k0f0, k0f1, k0f3, k1f0, k1f1, k1f3, k2f0, k2f1, k2f3, f2})) {}

GChromalistEnhancedAttributeVer2::~GChromalistEnhancedAttributeVer2() = default;

void EncodeChromalistEnhancedAttributeVer2(const GCodecForm& codec,
                                           const GChromalistEnhancedAttributeVer2* object,
                                           RWVirtualOutStream& stream) {
    Body::EncodeRecord(codec, object, stream);
}

std::unique_ptr<GChromalistEnhancedAttributeVer2>
DecodeChromalistEnhancedAttributeVer2(const GCodecForm& codec, RWVirtualInStream& stream) {
    uint32_t id = 0;
    uint8_t c[Body::kMaxCodes] = {};
    if (!Body::DecodeRecord(codec, stream, kVer2Layout, id, c)) {
        return nullptr;
    }
    return std::unique_ptr<GChromalistEnhancedAttributeVer2>(
        new (std::nothrow)
            GChromalistEnhancedAttributeVer2(id, c[0], c[1], c[2], c[3], c[4], c[5], c[6], c[7], c[8], c[9]));
}
