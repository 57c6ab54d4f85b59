#pragma once
// What the fuzz targets' own checks share: ending a run on a finding with
// its description, and telling well-formed UTF-16 (every surrogate paired).
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace fuzzchecks {

// Ends the run as a finding, the description on stderr.
[[noreturn]] inline void Fail(const char* what) {
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

inline bool IsWellFormedUtf16(const std::u16string& units) {
    for (size_t i = 0; i < units.size(); ++i) {
        const char16_t u = units[i];
        if (u >= 0xDC00 && u <= 0xDFFF) return false;
        if (u >= 0xD800 && u <= 0xDBFF) {
            if (i + 1 == units.size() || units[i + 1] < 0xDC00 || units[i + 1] > 0xDFFF) return false;
            ++i;
        }
    }
    return true;
}

} // namespace fuzzchecks
