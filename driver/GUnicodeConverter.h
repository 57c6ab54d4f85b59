#pragma once
// The converter between the module's wide text (UTF-16) and the narrow
// bytes of a job in a given code page, made by the platform services
// (GOSFactory::CreateUnicodeConverter) and shared by the job side through
// GetUnicodeConverter.
//
// Lengths are explicit (no terminating NUL is looked for or written) and
// an output never receives more than its capacity: what does not fit is
// left out at a character boundary, so the output is always whole
// characters. Code page 0 is the host's ANSI code page.
#include <cstdint>

#include "winapi/WinTypes.h"

class GUnicodeConverter {
public:
    virtual ~GUnicodeConverter() = default;

    // Converts length units of text into out (capacity bytes): the number of
    // bytes written, 0 when nothing could be converted.
    virtual int32_t WideToNarrow(uint32_t codePage, const WCHAR* text, int32_t length, char* out,
                                 int32_t capacity) = 0;
    // Converts length bytes of text into out (capacity units): the number of
    // UTF-16 units written, 0 when nothing could be converted. A surrogate
    // pair is never cut in two.
    virtual int32_t NarrowToWide(uint32_t codePage, const char* text, int32_t length, WCHAR* out,
                                 int32_t capacity) = 0;

protected:
    GUnicodeConverter() = default;
    GUnicodeConverter(const GUnicodeConverter&) = delete;
    GUnicodeConverter& operator=(const GUnicodeConverter&) = delete;
};
