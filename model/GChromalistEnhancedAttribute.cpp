#include "model/GChromalistEnhancedAttribute.h"

#include <iterator>
#include <new>

namespace {

using Body = GChromalistEnhancedBody;

// Codes in saved order, each with its cell and its default.
constexpr Body::Layout kLayout = {
    GChromalistEnhancedAttribute::kCodecCodes,
    {{0, 0}, {0, 1}, {1, 0}, {1, 1}, {2, 0}, {2, 1}, {Body::kAnyKind, 2}, {Body::kAnyKind, 3}},
    {70, 41, 80, 51, 91, 61, 95, 98},
    GChromalistEnhancedAttribute::kCodecTag,
};

} // namespace

GChromalistEnhancedAttribute::GChromalistEnhancedAttribute() : GChromalistEnhancedBody(kLayout) {}

GChromalistEnhancedAttribute::GChromalistEnhancedAttribute(uint32_t id)
    : GChromalistEnhancedBody(kLayout, id) {}

GChromalistEnhancedAttribute::GChromalistEnhancedAttribute(uint32_t id, uint8_t k0f0, uint8_t k0f1,
                                                           uint8_t k1f0, uint8_t k1f1, uint8_t k2f0,
                                                           uint8_t k2f1, uint8_t f2, uint8_t f3)
    : GChromalistEnhancedBody(kLayout, id, std::data({k0f0, k0f1, k1f0, k1f1, k2f0, k2f1, f2, f3})) {}

GChromalistEnhancedAttribute::~GChromalistEnhancedAttribute() = default;

void EncodeChromalistEnhancedAttribute(const GCodecForm& codec, const GChromalistEnhancedAttribute* object,
                                       RWVirtualOutStream& stream) {
    Body::EncodeRecord(codec, object, stream);
}

std::unique_ptr<GChromalistEnhancedAttribute> DecodeChromalistEnhancedAttribute(const GCodecForm& codec,
                                                                                RWVirtualInStream& stream) {
    uint32_t id = 0;
    uint8_t c[Body::kMaxCodes] = {};
    if (!Body::DecodeRecord(codec, stream, kLayout, id, c)) {
        return nullptr;
    }
    return std::unique_ptr<GChromalistEnhancedAttribute>(
        new (std::nothrow) GChromalistEnhancedAttribute(id, c[0], c[1], c[2], c[3], c[4], c[5], c[6], c[7]));
}
