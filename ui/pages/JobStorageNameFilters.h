#pragma once
// The text rules of the job-storage names and PIN, apart from any window so
// that every input can be tried on them:
//   - the PIN: digits only, at most four, padded with leading zeros;
//   - names without a character table of the printer: printable ASCII in
//     upper case, ended by the first other character or double quote;
//   - names with a table: every character the table does not allow becomes
//     "~"; a name left with nothing the printer can show gets a default.
// A stored name becomes a value between quotes of the job header, so no rule
// ever lets a double quote or a control character through.
#include <cstddef>
#include <cstdint>
#include <string>

class NameCharacterTable;

namespace JobStorageNames {

inline constexpr size_t kNameLength = 16;
inline constexpr size_t kPinLength = 4;

enum class Name { kUser, kJob };

// When a filter runs.
enum Kind : int {
    kFillDefault = 0, // an empty name gets its default, then as kLeaving
    kLeaving = 1,     // the field loses the focus: replace what cannot be shown
    kTaking = 2,      // the value is taken: only a name left empty is replaced
    kTyping = 3,      // each change while typing: only the length is cut
};

// The texts names fall back on.
struct Defaults {
    std::u16string windowsUser;   // may be empty
    std::u16string automatic;     // "<Automatic>"
    std::u16string untitled;      // "Untitled"
    std::u16string untitledUpper; // "UNTITLED"
};

struct Outcome {
    bool changed = false;
    // A character became "~".
    bool replaced = false;
    // The name was replaced by the Windows user name or "<Automatic>": its
    // source goes back to Windows user name or Automatic.
    bool defaulted = false;
};

// Never stored: control characters, DEL and the double quote.
bool IsUnstorable(char16_t c);

// Digits only, the first four; with pad, leading "0" up to four.
bool FilterPin(std::u16string& text, bool pad);
// Upper case, ended before a character outside printable ASCII or a double
// quote, at most three, leading "0" up to three.
bool FilterThreeCharacters(std::u16string& text);
Outcome FilterAsciiName(std::u16string& text, int kind, Name which, const Defaults& defaults);
Outcome FilterTableName(std::u16string& text, int kind, Name which, const Defaults& defaults,
                        const NameCharacterTable& table);

// The bytes a name is stored as: an ASCII name byte for byte, any other as
// UTF-8 (an unpaired surrogate kept as its own three bytes); an unstorable
// character becomes "~" first.
std::string StoredBytes(const std::u16string& name);
// A stored name as shown: the first 48 bytes decoded as UTF-8, up to the
// first ill-formed or cut sequence.
std::u16string ShownName(const std::string& bytes);

} // namespace JobStorageNames
