#pragma once
// The Unicode converter of the Windows NT platform services, over the
// platform's MultiByteToWideChar and WideCharToMultiByte. A text whose
// conversion does not fit its output is cut at the last whole character
// that fits, never in the middle of a multi-byte sequence or a surrogate
// pair.
#include "driver/GUnicodeConverter.h"

class GNTUnicodeConverter : public GUnicodeConverter {
public:
    GNTUnicodeConverter() = default;

    int32_t WideToNarrow(uint32_t codePage, const WCHAR* text, int32_t length, char* out,
                         int32_t capacity) override;
    int32_t NarrowToWide(uint32_t codePage, const char* text, int32_t length, WCHAR* out,
                         int32_t capacity) override;
};
