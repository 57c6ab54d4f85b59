#include "rw/RWCString.h"

#include <locale.h>

#include <algorithm>
#include <cstring>
#include <ostream>
#include <string>

#include "rw/RWBinaryFile.h"
#include "rw/RWCRegex.h"
#include "rw/RWCSubString.h"
#include "rw/RWCarrier.h"
#include "rw/RWErrorHandler.h"
#include "rw/RWVirtualInStream.h"
#include "rw/RWVirtualOutStream.h"
#include "winapi/WinKernel.h"

namespace {

// The C locale's collation, whatever locale the process runs in.
locale_t CollationLocale() {
    static const locale_t locale = newlocale(LC_COLLATE_MASK, "C", static_cast<locale_t>(nullptr));
    return locale;
}

// Restores read stored characters in pieces of this size, so a stored
// length reserves memory only as the data arrives.
constexpr size_t kRestoreChunk = 64 * 1024;
// The longest text taken from a stream whose buffer cannot say how much it
// still holds: far beyond any text the system stores.
constexpr uint64_t kLargestUnprobedText = 16 * 1024 * 1024;

} // namespace

// ---- construction

RWCString::RWCString(char c) : RWStringBase(RWCStringRep::Make(CurrentInitialCapacity(), 1)) {
    rep_->Data()[0] = c;
}

RWCString::RWCString(const RWCSubString& sub)
    : RWStringBase(MakeAdjusted(sub.Data(), sub.IsNull() ? 0 : sub.Length())) {}

void RWCString::RaiseOverflow() {
    static constexpr char kText[] = "Buffer may not resize larger than";
    RWThrowCatalog<RWBoundsError>(RWCORE_OVFLOW(), static_cast<int>(sizeof kText - 1), kText, 0xFFFFFFFFu);
}

// ---- text properties

int RWCString::Collate(const char* text) const {
    const locale_t locale = CollationLocale();
    if (locale == static_cast<locale_t>(nullptr)) return std::strcmp(Data(), text);
    return strcoll_l(Data(), text, locale);
}

RWCString RWCString::CollationKey() const {
    const locale_t locale = CollationLocale();
    if (locale == static_cast<locale_t>(nullptr)) return RWCString(Data());
    const size_t needed = strxfrm_l(nullptr, Data(), 0, locale);
    RWCString key{RWSize_T(needed)};
    if (needed == 0) return key;
    if (strxfrm_l(key.rep_->Data(), Data(), needed + 1, locale) > needed) return RWCString();
    key.rep_->SetLength(needed);
    return key;
}

size_t RWCString::MbLength() const {
    // Characters of the ANSI code page, as the module's multibyte text is.
    const size_t bytes = std::strlen(Data());
    if (bytes == 0) return 0;
    if (bytes > static_cast<size_t>(INT32_MAX)) return RW_NPOS;
    const int n = static_cast<int>(bytes);
    const int units = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, Data(), n, nullptr, 0);
    if (units <= 0) return RW_NPOS;
    std::u16string wide(static_cast<size_t>(units), u'\0');
    if (MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, Data(), n, wide.data(), units) != units)
        return RW_NPOS;
    // A surrogate pair is one character.
    size_t characters = 0;
    for (size_t i = 0; i < wide.size(); ++i) {
        if (wide[i] >= 0xD800 && wide[i] < 0xDC00 && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 &&
            wide[i + 1] <= 0xDFFF) {
            ++i;
        }
        ++characters;
    }
    return characters;
}

// ---- persistence

namespace {

// The characters after the 32-bit length: a virtual stream's own string
// form (which adds its own length), or the bytes themselves in a file.
void PutChars(RWVirtualOutStream& stream, const char* chars, size_t n) {
    stream.putString(chars, n);
}

void PutChars(RWBinaryFile& file, const char* chars, size_t n) {
    RWSaveChars(file, chars, n);
}

} // namespace

template <class Carrier> bool RWCString::SaveChars(Carrier& carrier) const {
    const size_t length = Length();
    if (length > UINT32_MAX) {
        RWMarkSaveFailed(carrier); // no 32-bit length can say it
        return false;
    }
    RWSaveU32(carrier, static_cast<uint32_t>(length));
    PutChars(carrier, Data(), length);
    return RWSaveGood(carrier);
}

// A stream's string form comes whole: it is read into a block of the stored
// length, which is bounded first by what the stream can still deliver.
bool RWCString::RestoreStoredChars(RWVirtualInStream& stream, size_t length) {
    const uint64_t remaining = RWRestoreRemaining(stream);
    if (length > remaining || (remaining == UINT64_MAX && length > kLargestUnprobedText)) {
        // More characters than the stream can hold: corrupt input.
        RWMarkRestoreFailed(stream);
        Clobber(0);
        return false;
    }
    if (length == 0) {
        char empty[1];
        stream.getString(empty, sizeof empty);
        Clobber(0);
        return !stream.fail();
    }
    Clobber(length);
    char* data = rep_->Data();
    // A stored text shorter than its length leaves zeros, not old bytes.
    std::memset(data, 0, length + 1);
    stream.getString(data, length + 1);
    if (stream.fail()) {
        Clobber(0);
        return false;
    }
    rep_->SetLength(length);
    return true;
}

bool RWCString::RestoreStoredChars(RWBinaryFile& file, size_t length) {
    return RestoreChars(length, kRestoreChunk,
                        [&file](char* into, size_t n) { return RWRestoreChars(file, into, n); });
}

template <class Carrier> bool RWCString::RestoreText(Carrier& carrier) {
    uint32_t stored = 0;
    if (!RWRestoreU32(carrier, stored)) {
        Clobber(0);
        return false;
    }
    return RestoreStoredChars(carrier, stored);
}

void RWCString::SaveOn(RWVirtualOutStream& stream) const {
    SaveChars(stream);
}

void RWCString::RestoreFrom(RWVirtualInStream& stream) {
    RestoreText(stream);
}

bool RWCString::SaveOn(RWBinaryFile& file) const {
    return SaveChars(file);
}

bool RWCString::RestoreFrom(RWBinaryFile& file) {
    return RestoreText(file);
}

// ---- stream operators

std::ostream& operator<<(std::ostream& os, const RWCString& s) {
    return os.write(s.Data(), static_cast<std::streamsize>(s.Length()));
}

size_t RWCString::Index(const RWCRegex& re, size_t start) const {
    return re.Index(*this, nullptr, start);
}

size_t RWCString::Index(const RWCRegex& re, size_t* length, size_t start) const {
    return re.Index(*this, length, start);
}

RWCSubString RWCString::SubString(const RWCRegex& re, size_t start) {
    size_t length = 0;
    const size_t at = re.Index(*this, &length, start);
    return RWCSubString(*this, at, length);
}

const RWCSubString RWCString::SubString(const RWCRegex& re, size_t start) const {
    return const_cast<RWCString*>(this)->SubString(re, start);
}
