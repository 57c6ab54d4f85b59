#include "job/ConvertUtf16ToUtf8.h"

namespace {

constexpr uint32_t kHighFirst = 0xD800;
constexpr uint32_t kHighLast = 0xDBFF;
constexpr uint32_t kLowFirst = 0xDC00;
constexpr uint32_t kLowLast = 0xDFFF;

int EncodedSize(uint32_t code) {
    if (code < 0x80) return 1;
    if (code < 0x800) return 2;
    if (code < 0x10000) return 3;
    return 4;
}

void Encode(uint32_t code, int size, uint8_t* out) {
    static constexpr uint8_t kFirstByteMark[5] = {0x00, 0x00, 0xC0, 0xE0, 0xF0};
    for (int i = size - 1; i > 0; --i) {
        out[i] = static_cast<uint8_t>(0x80 | (code & 0x3F));
        code >>= 6;
    }
    out[0] = static_cast<uint8_t>(code | kFirstByteMark[size]);
}

} // namespace

int32_t ConvertUtf16ToUtf8(const WCHAR** source, const WCHAR* sourceEnd, uint8_t** target, uint8_t* targetEnd,
                           int strict) {
    const WCHAR* in = *source;
    uint8_t* out = *target;
    int32_t result = kUtf8Done;
    while (in < sourceEnd) {
        uint32_t code = *in;
        int units = 1;
        if (code >= kHighFirst && code <= kHighLast) {
            if (in + 1 >= sourceEnd) {
                result = kUtf8SourceExhausted;
                break;
            }
            const uint32_t low = in[1];
            if (low >= kLowFirst && low <= kLowLast) {
                code = ((code - kHighFirst) << 10) + (low - kLowFirst) + 0x10000;
                units = 2;
            } else if (strict) {
                result = kUtf8SourceIllegal;
                break;
            }
        } else if (strict && code >= kLowFirst && code <= kLowLast) {
            result = kUtf8SourceIllegal;
            break;
        }
        const int size = EncodedSize(code);
        if (targetEnd - out < size) {
            result = kUtf8TargetFull;
            break;
        }
        Encode(code, size, out);
        out += size;
        in += units;
        if (code == 0) break;
    }
    *source = in;
    *target = out;
    return result;
}
