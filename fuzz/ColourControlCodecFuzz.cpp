// Feeds arbitrary bytes to the settings codec's colour-control records, as
// the codec reads them after their tag. The lead byte's bit 0 sets the
// compact form, bit 1 picks the record (the enhanced colour control, or its
// second version), bit 2 the carrier (raw binary, as the codec uses, or
// portable text). Records are read until one fails; each record read must be
// written and read back to an equal attribute.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <sstream>
#include <string>

#include "fuzz/FuzzChecks.h"
#include "model/GChromalistEnhancedAttribute.h"
#include "model/GChromalistEnhancedAttributeVer2.h"
#include "model/GCodecForm.h"
#include "module/ModuleRuntime.h"
#include "rw/RWBinaryInStream.h"
#include "rw/RWBinaryOutStream.h"
#include "rw/RWLibraryError.h"
#include "rw/RWPortableInStream.h"
#include "rw/RWPortableOutStream.h"

namespace {

// Records read this many at most from one input.
constexpr int kMaxRecords = 16;

template <typename Attribute>
std::unique_ptr<Attribute> Decode(const GCodecForm& form, RWVirtualInStream& in);
template <typename Attribute>
void Encode(const GCodecForm& form, const Attribute& a, RWVirtualOutStream& out);

template <>
std::unique_ptr<GChromalistEnhancedAttribute> Decode(const GCodecForm& form, RWVirtualInStream& in) {
    return DecodeChromalistEnhancedAttribute(form, in);
}
template <>
std::unique_ptr<GChromalistEnhancedAttributeVer2> Decode(const GCodecForm& form, RWVirtualInStream& in) {
    return DecodeChromalistEnhancedAttributeVer2(form, in);
}
template <>
void Encode(const GCodecForm& form, const GChromalistEnhancedAttribute& a, RWVirtualOutStream& out) {
    EncodeChromalistEnhancedAttribute(form, &a, out);
}
template <>
void Encode(const GCodecForm& form, const GChromalistEnhancedAttributeVer2& a, RWVirtualOutStream& out) {
    EncodeChromalistEnhancedAttributeVer2(form, &a, out);
}

// The record written again, read back after its tag byte.
template <typename Attribute, typename Out, typename In>
void CheckRoundTrip(const GCodecForm& form, const Attribute& attribute) {
    std::stringbuf buffer;
    Out out(&buffer);
    Encode(form, attribute, out);
    out.flush();
    In in(&buffer);
    unsigned char tag = 0;
    in >> tag;
    std::unique_ptr<Attribute> back = Decode<Attribute>(form, in);
    if (tag != Attribute::kCodecTag || back == nullptr || !back->IsEqualId(&attribute)) {
        fuzzchecks::Fail("a colour-control record read did not write and read back the same");
    }
}

template <typename Attribute, typename Out, typename In> void ReadRecords(const GCodecForm& form, In& in) {
    for (int i = 0; i < kMaxRecords; ++i) {
        std::unique_ptr<Attribute> attribute = Decode<Attribute>(form, in);
        if (attribute == nullptr) return;
        CheckRoundTrip<Attribute, Out, In>(form, *attribute);
    }
}

template <typename Out, typename In>
void ReadAs(bool ver2, const GCodecForm& form, const std::string& bytes) {
    std::stringbuf source(bytes, std::ios::in);
    In in(&source);
    if (ver2) {
        ReadRecords<GChromalistEnhancedAttributeVer2, Out>(form, in);
    } else {
        ReadRecords<GChromalistEnhancedAttribute, Out>(form, in);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool ready = (InitializeModuleRuntime(), true);
    (void)ready;
    if (size == 0) return 0;
    const GCodecForm form(data[0] & 1);
    const bool ver2 = (data[0] & 2) != 0;
    const std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    try {
        if ((data[0] & 4) == 0) {
            ReadAs<RWBinaryOutStream, RWBinaryInStream>(ver2, form, bytes);
        } else {
            ReadAs<RWPortableOutStream, RWPortableInStream>(ver2, form, bytes);
        }
    } catch (const RWLibraryError&) {
    }
    return 0;
}
