#include "tests/settingids/SettingIdCatalogue.h"

#include <cctype>
#include <sstream>

namespace {

constexpr const char* kSectionStart = "// --- ";
constexpr const char* kOffTable = "Not in the id table";
constexpr const char* kConstantStart = "inline constexpr uint32_t ";

bool StartsWith(const std::string& text, const std::string& start) {
    return text.compare(0, start.size(), start) == 0;
}

// "P", "S/246/249", "P/369/*": a capital letter, then steps of digits or "*".
bool IsPlace(const std::string& text) {
    if (text.empty() || !std::isupper(static_cast<unsigned char>(text[0]))) return false;
    size_t i = 1;
    while (i < text.size()) {
        if (text[i] != '/' || i + 1 == text.size()) return false;
        size_t end = i + 1;
        if (text[end] == '*') {
            ++end;
        } else {
            while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end])))
                ++end;
            if (end == i + 1) return false;
        }
        i = end;
    }
    return true;
}

// "kName = 339;" or "kName = 0x40000018;" after the constant's start.
bool ParseConstant(const std::string& rest, std::string& name, uint32_t& value) {
    const size_t equals = rest.find(" = ");
    if (equals == std::string::npos || equals < 2 || rest[0] != 'k') return false;
    name = rest.substr(0, equals);
    for (const char c : name)
        if (!std::isalnum(static_cast<unsigned char>(c))) return false;
    const std::string number = rest.substr(equals + 3);
    if (number.size() < 2 || number.back() != ';') return false;
    const std::string digits = number.substr(0, number.size() - 1);
    const bool hex = StartsWith(digits, "0x");
    const std::string body = hex ? digits.substr(2) : digits;
    if (body.empty()) return false;
    for (const char c : body)
        if (!(hex ? std::isxdigit(static_cast<unsigned char>(c))
                  : std::isdigit(static_cast<unsigned char>(c))))
            return false;
    const unsigned long long parsed = std::stoull(body, nullptr, hex ? 16 : 10);
    if (parsed > UINT32_MAX) return false;
    value = static_cast<uint32_t>(parsed);
    return true;
}

} // namespace

SettingIdCatalogue ReadSettingIdCatalogue(const std::string& text) {
    SettingIdCatalogue catalogue;
    std::istringstream in(text);
    std::string line;
    bool inSection = false;
    std::string anchor;
    for (int number = 1; std::getline(in, line); ++number) {
        const std::string at = std::to_string(number) + ": ";
        if (StartsWith(line, kSectionStart)) {
            const std::string title = line.substr(std::string(kSectionStart).size());
            const std::string label = title.substr(0, title.find(':'));
            if (label == kOffTable) {
                anchor.clear();
            } else if (IsPlace(label)) {
                anchor = label;
            } else {
                catalogue.errors.push_back(at + "a section names neither a place of the id table nor \"" +
                                           kOffTable + "\": " + line);
                continue;
            }
            inSection = true;
        } else if (StartsWith(line, kConstantStart)) {
            std::string name;
            uint32_t value = 0;
            if (!ParseConstant(line.substr(std::string(kConstantStart).size()), name, value)) {
                catalogue.errors.push_back(at + "not a catalogue constant: " + line);
            } else if (!inSection) {
                catalogue.errors.push_back(at + name + " stands before the first section");
            } else {
                catalogue.entries.push_back({name, value, number, anchor});
            }
        } else if (line.find("constexpr") != std::string::npos && !StartsWith(line, "//")) {
            // Anything else that defines a constant would hide an id from the checks.
            catalogue.errors.push_back(at + "not a catalogue constant: " + line);
        }
    }
    return catalogue;
}
