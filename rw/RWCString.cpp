#include "rw/RWCString.h"

#include <locale.h>

#include <algorithm>
#include <cstring>
#include <ostream>
#include <string>

#include "rw/RWBinaryFile.h"
#include "rw/RWBinaryInStream.h"
#include "rw/RWCRegex.h"
#include "rw/RWCSubString.h"
#include "rw/RWErrorHandler.h"
#include "rw/RWPortableInStream.h"
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

// Bytes left in the buffer under a virtual in-stream, when it can tell.
// Every encoding needs at least one byte per character, so a stored length
// above this cannot be delivered.
uint64_t RemainingBytes(RWVirtualInStream& stream) {
    std::streambuf* buffer = nullptr;
    if (auto* binary = dynamic_cast<RWBinaryInStream*>(&stream)) {
        buffer = binary->rdbuf();
    } else if (auto* portable = dynamic_cast<RWPortableInStream*>(&stream)) {
        buffer = portable->rdbuf();
    }
    constexpr uint64_t kUnknown = UINT64_MAX;
    if (buffer == nullptr) return kUnknown;
    const std::streampos failed(std::streamoff(-1));
    const std::streampos here = buffer->pubseekoff(0, std::ios::cur, std::ios::in);
    if (here == failed) return kUnknown;
    const std::streampos end = buffer->pubseekoff(0, std::ios::end, std::ios::in);
    buffer->pubseekpos(here, std::ios::in);
    if (end == failed || end < here) return kUnknown;
    return static_cast<uint64_t>(std::streamoff(end - here));
}

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

void RWCString::SaveOn(RWVirtualOutStream& stream) const {
    const size_t length = Length();
    if (length > UINT32_MAX) {
        stream.setstate(RWVirtualStreamBase::failbit); // no 32-bit length can say it
        return;
    }
    stream << static_cast<unsigned int>(length);
    stream.putString(Data(), length);
}

void RWCString::RestoreFrom(RWVirtualInStream& stream) {
    unsigned int stored = 0;
    stream >> stored;
    if (!stream.good()) {
        Clobber(0);
        return;
    }
    const size_t length = stored;
    const uint64_t remaining = RemainingBytes(stream);
    if (length > remaining || (remaining == UINT64_MAX && length > kLargestUnprobedText)) {
        // More characters than the stream can hold: corrupt input.
        stream.setstate(RWVirtualStreamBase::failbit);
        Clobber(0);
        return;
    }
    if (length == 0) {
        char empty[1];
        stream.getString(empty, sizeof empty);
        Clobber(0);
        return;
    }
    Clobber(length);
    char* data = rep_->Data();
    // A stored text shorter than its length leaves zeros, not old bytes.
    std::memset(data, 0, length + 1);
    stream.getString(data, length + 1);
    if (stream.fail()) {
        Clobber(0);
        return;
    }
    rep_->SetLength(length);
}

bool RWCString::SaveOn(RWBinaryFile& file) const {
    const size_t length = Length();
    if (length > UINT32_MAX) return false;
    return file.Write(static_cast<uint32_t>(length)) && file.Write(Data(), length);
}

bool RWCString::RestoreFrom(RWBinaryFile& file) {
    uint32_t stored = 0;
    if (!file.Read(stored)) {
        Clobber(0);
        return false;
    }
    const size_t length = stored;
    Clobber(std::min(length, kRestoreChunk));
    size_t done = 0;
    while (done < length) {
        const size_t n = std::min(kRestoreChunk, length - done);
        if (Capacity() < done + n) Clone(std::min(length, std::max(done + n, 2 * Capacity())));
        if (!file.Read(rep_->Data() + done, n)) {
            Clobber(0);
            return false;
        }
        done += n;
        rep_->SetLength(done);
    }
    return true;
}

// ---- free operators

RWCString operator+(const RWCString& a, const RWCString& b) {
    return RWCString(RWCString::MakeConcatenation(a.Data(), a.Length(), b.Data(), b.Length()));
}

RWCString operator+(const RWCString& a, const char* b) {
    return RWCString(RWCString::MakeConcatenation(a.Data(), a.Length(), b, RWCString::TextLength(b)));
}

RWCString operator+(const char* a, const RWCString& b) {
    return RWCString(RWCString::MakeConcatenation(a, RWCString::TextLength(a), b.Data(), b.Length()));
}

bool operator==(const RWCString& a, const RWCString& b) {
    return a.Length() == b.Length() && (a.Length() == 0 || std::memcmp(a.Data(), b.Data(), a.Length()) == 0);
}

bool operator==(const RWCString& a, const char* b) {
    if (b == nullptr) return a.Length() == 0;
    const char* data = a.Data();
    const size_t length = a.Length();
    size_t i = 0;
    for (; i < length; ++i) {
        if (b[i] == '\0' || b[i] != data[i]) return false;
    }
    return b[i] == '\0';
}

std::strong_ordering operator<=>(const RWCString& a, const RWCString& b) {
    return a.CompareTo(b) <=> 0;
}

RWCString ToLower(const RWCString& s) {
    RWCString copy(s);
    copy.ToLower();
    return copy;
}

RWCString ToUpper(const RWCString& s) {
    RWCString copy(s);
    copy.ToUpper();
    return copy;
}

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
