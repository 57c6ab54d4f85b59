#include "tools/printerdesc/DescriptionArguments.h"

#include <cctype>

#include "tools/printerdesc/DescriptionError.h"

namespace {

// Parses an optional minus sign and decimal or 0x digits; false on any
// other text or on more than 18 significant digits.
bool ParseInteger(const std::string& text, int64_t& value) {
    size_t i = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (negative) ++i;
    int base = 10;
    if (text.size() > i + 2 && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= text.size() || text.size() - i > 15) return false;
    int64_t result = 0;
    for (; i < text.size(); ++i) {
        const int c = static_cast<unsigned char>(text[i]);
        int digit = -1;
        if (std::isdigit(c))
            digit = c - '0';
        else if (base == 16 && std::isxdigit(c))
            digit = std::tolower(c) - 'a' + 10;
        if (digit < 0) return false;
        result = result * base + digit;
    }
    value = negative ? -result : result;
    return true;
}

struct Unit {
    const char* name;
    int64_t numerator; // micrometres per unit = numerator / denominator
    int64_t denominator;
};

constexpr Unit kUnits[] = {{"in", 25400, 1}, {"mm", 1000, 1}, {"pt", 25400, 72}, {"um", 1, 1}};

int HexValue(char c) {
    const int u = static_cast<unsigned char>(c);
    if (!std::isxdigit(u)) return -1;
    return std::isdigit(u) ? u - '0' : std::tolower(u) - 'a' + 10;
}

} // namespace

void DescriptionArguments::ExpectCount(size_t least, size_t most) const {
    if (Count() < least || Count() > most) {
        const std::string wanted =
            least == most ? std::to_string(least) : std::to_string(least) + " to " + std::to_string(most);
        Fail("'" + statement_.Kind() + "' takes " + wanted + " arguments, not " + std::to_string(Count()));
    }
}

void DescriptionArguments::ExpectNoBlock() const {
    if (statement_.hasBlock) Fail("'" + statement_.Kind() + "' takes no block");
}

void DescriptionArguments::ExpectBlock() const {
    if (!statement_.hasBlock) Fail("'" + statement_.Kind() + "' needs a block");
}

const DescriptionToken& DescriptionArguments::Token(size_t index) const {
    if (index == 0 || index > Count()) {
        Fail("'" + statement_.Kind() + "' is missing argument " + std::to_string(index));
    }
    return statement_.words[index];
}

int64_t DescriptionArguments::Integer(size_t index, int64_t low, int64_t high, const char* what) const {
    const DescriptionToken& token = Token(index);
    int64_t value = 0;
    if (token.kind != DescriptionToken::Kind::Word || !ParseInteger(token.text, value)) {
        Fail(std::string(what) + " '" + token.text + "' is not a whole number");
    }
    if (value < low || value > high) {
        Fail(std::string(what) + " " + token.text + " is outside " + std::to_string(low) + ".." +
             std::to_string(high));
    }
    return value;
}

uint32_t DescriptionArguments::Id(size_t index) const {
    return static_cast<uint32_t>(Integer(index, 0, 0xFFFFFFFFLL, "id"));
}

const std::string& DescriptionArguments::Text(size_t index) const {
    const DescriptionToken& token = Token(index);
    if (token.kind != DescriptionToken::Kind::String) {
        Fail("argument " + std::to_string(index) + " of '" + statement_.Kind() +
             "' must be a quoted text, not '" + token.text + "'");
    }
    return token.text;
}

const std::string& DescriptionArguments::Word(size_t index) const {
    const DescriptionToken& token = Token(index);
    if (token.kind != DescriptionToken::Kind::Word) {
        Fail("argument " + std::to_string(index) + " of '" + statement_.Kind() + "' must be a word, not \"" +
             token.text + "\"");
    }
    return token.text;
}

bool DescriptionArguments::IsWord(size_t index, const char* word) const {
    return index >= 1 && index <= Count() && statement_.words[index].kind == DescriptionToken::Kind::Word &&
           statement_.words[index].text == word;
}

int64_t DescriptionArguments::Length(size_t index) const {
    const std::string& text = Word(index);
    for (const Unit& unit : kUnits) {
        const std::string suffix = unit.name;
        if (text.size() <= suffix.size() ||
            text.compare(text.size() - suffix.size(), suffix.size(), suffix) != 0) {
            continue;
        }
        const std::string number = text.substr(0, text.size() - suffix.size());
        const size_t point = number.find('.');
        const std::string whole = number.substr(0, point);
        const std::string fraction = point == std::string::npos ? "" : number.substr(point + 1);
        int64_t wholeValue = 0;
        int64_t fractionValue = 0;
        const bool digitsOnly = !whole.empty() && whole[0] != '-' && ParseInteger(whole, wholeValue) &&
                                whole.find_first_not_of("0123456789") == std::string::npos &&
                                fraction.size() <= 6 &&
                                fraction.find_first_not_of("0123456789") == std::string::npos &&
                                (point == std::string::npos || !fraction.empty()) &&
                                (fraction.empty() || ParseInteger(fraction, fractionValue));
        if (!digitsOnly || wholeValue > 100000) break;
        int64_t scale = 1;
        for (size_t i = 0; i < fraction.size(); ++i)
            scale *= 10;
        const int64_t scaled = wholeValue * scale + fractionValue;
        const int64_t denominator = unit.denominator * scale;
        return (scaled * unit.numerator * 2 + denominator) / (denominator * 2);
    }
    Fail("'" + text + "' is not a length (a number up to 100000 with in, mm, pt or um)");
}

std::string DescriptionArguments::HexBytes(size_t index) const {
    const std::string& text = Text(index);
    std::string bytes;
    int high = -1;
    for (char c : text) {
        if (c == ' ') {
            if (high >= 0) Fail("odd number of hexadecimal digits in \"" + text + "\"");
            continue;
        }
        const int digit = HexValue(c);
        if (digit < 0) Fail("'" + std::string(1, c) + "' is not a hexadecimal digit");
        if (high < 0) {
            high = digit;
        } else {
            bytes += static_cast<char>(high * 16 + digit);
            high = -1;
        }
    }
    if (high >= 0) Fail("odd number of hexadecimal digits in \"" + text + "\"");
    return bytes;
}

void DescriptionArguments::Fail(const std::string& problem) const {
    throw DescriptionError(statement_.file, statement_.line, problem);
}
