#include "ui/pages/GCustomLengthText.h"

#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace {

constexpr uint64_t kMillimetreNumberLimit = 2147483648ull;
constexpr double kLargestLength = static_cast<double>(std::numeric_limits<uint32_t>::max());

std::string Narrow(const RWWString& text) {
    std::string narrow;
    const size_t length = std::min(text.Length(), GCustomLengthText::kMaxCharacters);
    for (size_t i = 0; i < length; ++i) {
        const char16_t c = text.Data()[i];
        narrow.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    }
    return narrow;
}

std::optional<uint32_t> ParseMillimetres(const std::string& text) {
    size_t i = text.find_first_not_of(" \t");
    if (i == std::string::npos || text[i] < '0' || text[i] > '9') return std::nullopt;
    uint64_t number = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        number = number * 10 + static_cast<uint64_t>(text[i] - '0');
        if (number >= kMillimetreNumberLimit) return std::nullopt;
    }
    const uint64_t length = number * 1000;
    return static_cast<uint32_t>(std::min<uint64_t>(length, std::numeric_limits<uint32_t>::max()));
}

std::optional<uint32_t> ParseInches(std::string text, const RWWString& separator) {
    const std::string mark = Narrow(separator);
    if (!mark.empty()) {
        const size_t at = text.find(mark);
        if (at != std::string::npos) text.replace(at, mark.size(), ".");
    }
    const char* start = text.c_str();
    char* end = nullptr;
    const double number = std::strtod(start, &end);
    if (end == start || !std::isfinite(number) || number < 0.0) return std::nullopt;
    const double hundredths = number * 100.0 + 0.5;
    if (!(hundredths < kLargestLength)) return std::numeric_limits<uint32_t>::max();
    return static_cast<uint32_t>(hundredths);
}

} // namespace

RWWString GCustomLengthText::Format(uint32_t length, uint32_t unit, const RWWString& separator) {
    std::string digits;
    if (unit != kInches) {
        digits = std::to_string((static_cast<uint64_t>(length) + 500) / 1000);
        return RWWString(digits.c_str(), RWWString::Ascii);
    }
    const std::string whole = std::to_string(length / 100);
    const std::string cents = std::to_string(length % 100);
    std::u16string text(whole.begin(), whole.end());
    text.append(separator.Data(), separator.Length());
    if (cents.size() < 2) text.push_back(u'0');
    text.append(cents.begin(), cents.end());
    return RWWString(text.data(), text.size());
}

std::optional<uint32_t> GCustomLengthText::Parse(const RWWString& text, uint32_t unit,
                                                 const RWWString& separator) {
    const std::string narrow = Narrow(text);
    return unit == kInches ? ParseInches(narrow, separator) : ParseMillimetres(narrow);
}
