#include "ui/pages/JobStorageNameFilters.h"

#include <algorithm>
#include <array>
#include <vector>

#include "job/ConvertUtf16ToUtf8.h"
#include "job/ConvertUtf8ToUtf16.h"
#include "job/NameCharacterTable.h"

namespace JobStorageNames {

namespace {

constexpr size_t kThreeCharacters = 3;
constexpr size_t kShownBytes = 48;
constexpr char16_t kMark = u'~';

bool IsPrintableAscii(char16_t c) {
    return c >= 0x20 && c <= 0x7E && c != u'"';
}

char16_t Upper(char16_t c) {
    return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

// Upper case, ended before the first character that is not printable
// ASCII, cut at length; whether it changed.
bool KeepPrintableUpper(std::u16string& text, size_t length) {
    const std::u16string before = text;
    const auto end = std::find_if_not(text.begin(), text.end(), IsPrintableAscii);
    text.erase(end, text.end());
    if (text.size() > length) text.resize(length);
    std::transform(text.begin(), text.end(), text.begin(), Upper);
    return text != before;
}

bool AllPrintableAscii(const std::u16string& text) {
    return std::all_of(text.begin(), text.end(), IsPrintableAscii);
}

bool EmptyOrAllMarks(const std::u16string& text) {
    return std::all_of(text.begin(), text.end(), [](char16_t c) { return c == kMark; });
}

// Each character the table does not allow becomes "~" (with mark), or only
// the unstorable ones; 1 when one did.
bool Mark(std::u16string& text, const NameCharacterTable& table, bool all) {
    bool marked = false;
    for (char16_t& c : text) {
        if (IsUnstorable(c) || (all && table.Allows(c) == 0)) {
            c = kMark;
            marked = true;
        }
    }
    return marked;
}

std::u16string Cut(std::u16string text) {
    if (text.size() > kNameLength) text.resize(kNameLength);
    return text;
}

// The Windows user name, else "Untitled", that the table lets through with
// something to show; the marked "Untitled" when neither does.
std::u16string UserCandidate(const Defaults& defaults, const NameCharacterTable& table, Outcome& outcome) {
    for (const std::u16string* candidate : {&defaults.windowsUser, &defaults.untitled}) {
        std::u16string text = Cut(*candidate);
        outcome.replaced = Mark(text, table, true) || outcome.replaced;
        outcome.defaulted = candidate == &defaults.windowsUser;
        if (!EmptyOrAllMarks(text)) return text;
    }
    outcome.defaulted = false;
    std::u16string text = Cut(defaults.untitled);
    Mark(text, table, true);
    return text;
}

// The default of a name that has nothing to show.
void Default(std::u16string& text, Name which, const Defaults& defaults, const NameCharacterTable& table,
             Outcome& outcome) {
    if (which == Name::kUser) {
        text = UserCandidate(defaults, table, outcome);
        return;
    }
    // "<Automatic>" stands for the job's own name: it is never sent.
    text = Cut(defaults.automatic);
    std::replace_if(text.begin(), text.end(), IsUnstorable, kMark);
    outcome.defaulted = true;
}

} // namespace

bool IsUnstorable(char16_t c) {
    return c < 0x20 || c == 0x7F || c == u'"';
}

bool FilterPin(std::u16string& text, bool pad) {
    const std::u16string before = text;
    text.erase(std::remove_if(text.begin(), text.end(), [](char16_t c) { return c < u'0' || c > u'9'; }),
               text.end());
    if (text.size() > kPinLength) text.resize(kPinLength);
    if (pad && text.size() < kPinLength) text.insert(0, kPinLength - text.size(), u'0');
    return text != before;
}

bool FilterThreeCharacters(std::u16string& text) {
    const std::u16string before = text;
    KeepPrintableUpper(text, kThreeCharacters);
    if (text.size() < kThreeCharacters) text.insert(0, kThreeCharacters - text.size(), u'0');
    return text != before;
}

Outcome FilterAsciiName(std::u16string& text, int kind, Name which, const Defaults& defaults) {
    const std::u16string before = text;
    KeepPrintableUpper(text, kNameLength);
    Outcome outcome;
    if (kind == kLeaving && text.empty()) {
        outcome.defaulted = true;
        const std::u16string& fallback = which == Name::kUser ? defaults.windowsUser : defaults.automatic;
        text = Cut(fallback);
        if (text.empty() || !AllPrintableAscii(text)) {
            text = which == Name::kUser ? defaults.untitledUpper : defaults.automatic;
            outcome.defaulted = which == Name::kJob;
        }
    }
    outcome.changed = text != before;
    return outcome;
}

Outcome FilterTableName(std::u16string& text, int kind, Name which, const Defaults& defaults,
                        const NameCharacterTable& table) {
    const std::u16string before = text;
    Outcome outcome;
    text = Cut(text);
    if (kind == kFillDefault && text.empty()) {
        Default(text, which, defaults, table, outcome);
    } else {
        outcome.replaced = Mark(text, table, kind == kFillDefault || kind == kLeaving);
        if (kind != kTyping && EmptyOrAllMarks(text)) Default(text, which, defaults, table, outcome);
    }
    outcome.changed = text != before;
    return outcome;
}

std::string StoredBytes(const std::u16string& name) {
    std::u16string storable = name;
    std::replace_if(storable.begin(), storable.end(), IsUnstorable, kMark);
    // A closing zero (the only one left) ends the conversion, so a high
    // surrogate at the end is written as its own three bytes too.
    storable.push_back(u'\0');
    std::vector<uint8_t> bytes(storable.size() * 3);
    const auto* source = reinterpret_cast<const WCHAR*>(storable.data());
    uint8_t* target = bytes.data();
    ConvertUtf16ToUtf8(&source, source + storable.size(), &target, bytes.data() + bytes.size(), 0);
    return std::string(reinterpret_cast<const char*>(bytes.data()),
                       static_cast<size_t>(target - bytes.data() - 1));
}

std::u16string ShownName(const std::string& bytes) {
    const size_t length = std::min(bytes.size(), kShownBytes);
    std::array<WCHAR, kShownBytes> units{};
    const auto* source = reinterpret_cast<const uint8_t*>(bytes.data());
    WCHAR* target = units.data();
    ConvertUtf8ToUtf16(&source, source + length, &target, units.data() + units.size());
    return std::u16string(reinterpret_cast<const char16_t*>(units.data()),
                          static_cast<size_t>(target - units.data()));
}

} // namespace JobStorageNames
