#pragma once
// Bytes as hex text and back, for tests that spell out byte formats:
// "0A FF 00" (upper case, one space between bytes).
#include <string>

namespace qvtest {

std::string ToHex(const std::string& bytes);
// Reads pairs of hex digits; white space may stand between bytes. Anything
// else (a stray character, an odd digit) throws std::invalid_argument, so a
// typing slip in expected bytes fails the test instead of shortening them.
std::string FromHex(const std::string& hex);

} // namespace qvtest
