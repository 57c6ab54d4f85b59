#include "tests/support/Hex.h"

#include <cctype>
#include <stdexcept>

namespace qvtest {

namespace {
int DigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}
} // namespace

std::string ToHex(const std::string& bytes) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string hex;
    for (unsigned char b : bytes) {
        if (!hex.empty()) hex += ' ';
        hex += kDigits[b >> 4];
        hex += kDigits[b & 0x0F];
    }
    return hex;
}

std::string FromHex(const std::string& hex) {
    std::string bytes;
    for (size_t i = 0; i < hex.size();) {
        if (std::isspace(static_cast<unsigned char>(hex[i]))) {
            ++i;
            continue;
        }
        const int high = DigitValue(hex[i]);
        const int low = i + 1 < hex.size() ? DigitValue(hex[i + 1]) : -1;
        if (high < 0 || low < 0)
            throw std::invalid_argument("not hex bytes at " + std::to_string(i) + ": " + hex);
        bytes += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return bytes;
}

} // namespace qvtest
