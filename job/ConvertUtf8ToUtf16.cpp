#include "job/ConvertUtf8ToUtf16.h"

#include <cstddef>

namespace {

struct LeadByte {
    int length;        // bytes of the sequence; 0: never a lead byte
    uint8_t secondLow; // the range the second byte must lie in
    uint8_t secondHigh;
};

// The well-formedness table of the Unicode standard (its table 3-7).
LeadByte Classify(uint8_t lead) {
    if (lead < 0x80) return {1, 0, 0};
    if (lead < 0xC2) return {0, 0, 0}; // continuation bytes, 0xC0 and 0xC1
    if (lead < 0xE0) return {2, 0x80, 0xBF};
    if (lead == 0xE0) return {3, 0xA0, 0xBF};
    if (lead == 0xED) return {3, 0x80, 0x9F};
    if (lead < 0xF0) return {3, 0x80, 0xBF};
    if (lead == 0xF0) return {4, 0x90, 0xBF};
    if (lead < 0xF4) return {4, 0x80, 0xBF};
    if (lead == 0xF4) return {4, 0x80, 0x8F};
    return {0, 0, 0};
}

// How many bytes of in[0..available) follow the table; the whole length
// when the sequence is complete and well-formed.
int WellFormedBytes(const uint8_t* in, ptrdiff_t available, const LeadByte& lead) {
    if (available < 2) return 1;
    if (in[1] < lead.secondLow || in[1] > lead.secondHigh) return 1;
    int good = 2;
    while (good < lead.length && good < available && (in[good] & 0xC0) == 0x80)
        ++good;
    return good;
}

uint32_t Decode(const uint8_t* in, int length) {
    static constexpr uint8_t kLeadMask[5] = {0, 0x7F, 0x1F, 0x0F, 0x07};
    uint32_t code = in[0] & kLeadMask[length];
    for (int i = 1; i < length; ++i)
        code = (code << 6) | (in[i] & 0x3F);
    return code;
}

} // namespace

int32_t ConvertUtf8ToUtf16(const uint8_t** source, const uint8_t* sourceEnd, WCHAR** target,
                           WCHAR* targetEnd) {
    const uint8_t* in = *source;
    WCHAR* out = *target;
    int32_t result = kUtf8Done;
    while (in < sourceEnd) {
        const LeadByte lead = Classify(*in);
        if (lead.length == 0) {
            result = kUtf8SourceIllegal;
            break;
        }
        const ptrdiff_t available = sourceEnd - in;
        if (lead.length > 1) {
            const int good = WellFormedBytes(in, available, lead);
            if (good < lead.length) {
                result = good == available ? kUtf8SourceExhausted : kUtf8SourceIllegal;
                break;
            }
        }
        const uint32_t code = Decode(in, lead.length);
        const ptrdiff_t units = code > 0xFFFF ? 2 : 1;
        if (targetEnd - out < units) {
            result = kUtf8TargetFull;
            break;
        }
        if (units == 2) {
            *out++ = static_cast<WCHAR>(0xD800 + ((code - 0x10000) >> 10));
            *out++ = static_cast<WCHAR>(0xDC00 + ((code - 0x10000) & 0x3FF));
        } else {
            *out++ = static_cast<WCHAR>(code);
        }
        in += lead.length;
    }
    *source = in;
    *target = out;
    return result;
}
