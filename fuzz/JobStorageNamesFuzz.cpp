// Feeds arbitrary printer character tables and names to the job-storage
// name and PIN filters, and arbitrary bytes to the UTF-8 decoder. Input:
// byte 0 the options (bits 0-1 the filter kind, bit 2 the job name rather
// than the user name, bit 3 a padded PIN), bytes 1-2 the table's length n
// (little-endian), n bytes of table as the setting holds it, the rest the
// name as UTF-16LE units and, byte for byte, the UTF-8 text. Checked
// besides memory safety:
// - no name filter leaves more than 16 characters, a double quote or a
//   control character; the ASCII filter leaves upper-case printable ASCII
//   or a default; a name left (kind 1) with a table keeps only characters the table
//   allows, "~" marks and the job's default;
// - the tab's table and the segment test read the same characters;
// - the PIN keeps at most four digits, exactly four when padded;
// - a name's stored bytes hold no quote or control byte and show the
//   name again (when it is well-formed UTF-16);
// - the decoder writes well-formed UTF-16 whose UTF-8 is exactly the bytes
//   it took.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/FuzzChecks.h"
#include "job/ConvertUtf16ToUtf8.h"
#include "job/ConvertUtf8ToUtf16.h"
#include "job/NameCharacterTable.h"
#include "ui/framework/CmapSegmentContains.h"
#include "ui/pages/JobStorageNameFilters.h"

namespace {

using JobStorageNames::Name;

const JobStorageNames::Defaults kDefaults{u"ann", u"<Automatic>", u"Untitled", u"UNTITLED"};

using fuzzchecks::Fail;
using fuzzchecks::IsWellFormedUtf16;

void CheckStorable(const std::u16string& name) {
    if (name.size() > JobStorageNames::kNameLength) Fail("a name longer than 16 characters");
    for (char16_t c : name)
        if (JobStorageNames::IsUnstorable(c)) Fail("a name keeps a quote or a control character");
}

void CheckTable(const std::string& bytes, const std::u16string& name) {
    const NameCharacterTable table(bytes.data(), bytes.size());
    std::vector<uint16_t> words;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2)
        words.push_back(
            static_cast<uint16_t>(static_cast<uint8_t>(bytes[i]) | static_cast<uint8_t>(bytes[i + 1]) << 8));
    for (char16_t c : name + u"A~\uFFFF")
        if (table.Allows(c) != CmapSegmentContains(c, words.data(), words.size()))
            Fail("the tab's table and the segment test disagree");
}

void CheckNameFilters(const NameCharacterTable& table, const std::u16string& name, int kind, Name which) {
    std::u16string ascii = name;
    JobStorageNames::FilterAsciiName(ascii, kind, which, kDefaults);
    CheckStorable(ascii);
    for (char16_t c : ascii)
        if (c < 0x20 || c > 0x7E ||
            (c >= u'a' && c <= u'z' && ascii != kDefaults.windowsUser && ascii != kDefaults.automatic))
            Fail("the ASCII filter left a character outside upper-case printable ASCII");
    std::u16string marked = name;
    JobStorageNames::FilterTableName(marked, kind, which, kDefaults, table);
    CheckStorable(marked);
    if (kind == JobStorageNames::kLeaving && marked != kDefaults.automatic)
        for (char16_t c : marked)
            if (c != u'~' && table.Allows(c) == 0) Fail("a left name keeps a character the table refuses");
}

void CheckPin(const std::u16string& name, bool pad) {
    std::u16string pin = name;
    JobStorageNames::FilterPin(pin, pad);
    if (pin.size() > JobStorageNames::kPinLength || (pad && pin.size() != JobStorageNames::kPinLength))
        Fail("a PIN of the wrong length");
    for (char16_t c : pin)
        if (c < u'0' || c > u'9') Fail("a PIN keeps a character other than a digit");
}

void CheckStoredBytes(const std::u16string& name) {
    const std::u16string cut = name.substr(0, JobStorageNames::kNameLength);
    const std::string bytes = JobStorageNames::StoredBytes(cut);
    for (char b : bytes) {
        const auto byte = static_cast<uint8_t>(b);
        if (byte < 0x20 || byte == 0x7F || byte == '"') Fail("stored bytes hold a quote or a control byte");
    }
    std::u16string storable = cut;
    for (char16_t& c : storable)
        if (JobStorageNames::IsUnstorable(c)) c = u'~';
    if (IsWellFormedUtf16(storable) && JobStorageNames::ShownName(bytes) != storable)
        Fail("a stored name is not shown again");
}

void CheckDecoder(const std::string& text) {
    const auto* begin = reinterpret_cast<const uint8_t*>(text.data());
    const uint8_t* source = begin;
    std::vector<WCHAR> units(text.size() + 1);
    WCHAR* target = units.data();
    ConvertUtf8ToUtf16(&source, begin + text.size(), &target, units.data() + units.size());
    std::u16string decoded(units.data(), static_cast<size_t>(target - units.data()));
    if (!IsWellFormedUtf16(decoded)) Fail("the decoder wrote ill-formed UTF-16");
    // The encoder ends at a zero character, which is a zero byte in both.
    std::string taken = text.substr(0, static_cast<size_t>(source - begin));
    taken = taken.substr(0, taken.find('\0'));
    decoded = decoded.substr(0, decoded.find(u'\0'));
    std::vector<uint8_t> again(decoded.size() * 3 + 1);
    const WCHAR* from = decoded.data();
    uint8_t* to = again.data();
    ConvertUtf16ToUtf8(&from, decoded.data() + decoded.size(), &to, again.data() + again.size(), 1);
    if (std::string(reinterpret_cast<const char*>(again.data()), static_cast<size_t>(to - again.data())) !=
        taken)
        Fail("decoded text does not encode to the bytes taken");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 3) return 0;
    const int kind = data[0] & 3;
    const Name which = (data[0] & 4) != 0 ? Name::kJob : Name::kUser;
    const bool pad = (data[0] & 8) != 0;
    const size_t tableLength = std::min<size_t>(data[1] | data[2] << 8, size - 3);
    const std::string table(reinterpret_cast<const char*>(data + 3), tableLength);
    const std::string rest(reinterpret_cast<const char*>(data + 3 + tableLength), size - 3 - tableLength);
    std::u16string name(rest.size() / 2, u'\0');
    for (size_t i = 0; i < name.size(); ++i)
        name[i] = static_cast<char16_t>(static_cast<uint8_t>(rest[2 * i]) |
                                        static_cast<uint8_t>(rest[2 * i + 1]) << 8);

    CheckTable(table, name);
    CheckNameFilters(NameCharacterTable(table.data(), table.size()), name, kind, which);
    CheckPin(name, pad);
    CheckStoredBytes(name);
    CheckDecoder(rest);
    return 0;
}
