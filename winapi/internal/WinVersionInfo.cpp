// Version information from a module's resource data.
//
// The block GetFileVersionInfoW fills (the layer's own layout, read only by
// VerQueryValueW; all fields little-endian DWORDs, text UTF-16 with NUL):
//   0   magic 0x49565651 ("QVVI")
//   4   total size of the block in bytes
//   8   VS_FIXEDFILEINFO (52 bytes)
//   60  translation count T, then T DWORDs
//   ..  string count S, then S entries, each: key length K (characters,
//       NUL included), K characters, name length N, N characters, value
//       length V, V characters, padded with zeros to a multiple of 4 bytes.
#include <cstring>
#include <vector>

#include "winapi/WinKernel.h"
#include "winapi/WinModule.h"
#include "winapi/WinVersion.h"
#include "winapi/internal/WinResourceLookup.h"
#include "winapi/internal/WinTextRules.h"

namespace {
constexpr DWORD kMagic = 0x49565651;
constexpr size_t kFixedOffset = 8;
constexpr size_t kTranslationsOffset = kFixedOffset + sizeof(VS_FIXEDFILEINFO);

void PutDword(std::vector<BYTE>& out, DWORD value) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<BYTE>(value >> (8 * i)));
}

void PutText(std::vector<BYTE>& out, std::u16string_view text) {
    PutDword(out, static_cast<DWORD>(text.size() + 1));
    for (char16_t c : text) {
        out.push_back(static_cast<BYTE>(c));
        out.push_back(static_cast<BYTE>(c >> 8));
    }
    out.push_back(0);
    out.push_back(0);
    while (out.size() % 4 != 0)
        out.push_back(0);
}

DWORD GetDword(const BYTE* at) {
    return DWORD{at[0]} | DWORD{at[1]} << 8 | DWORD{at[2]} << 16 | DWORD{at[3]} << 24;
}

std::vector<BYTE> BuildBlock(const WinVersionResource& version) {
    std::vector<BYTE> block;
    PutDword(block, kMagic);
    PutDword(block, 0); // size, set below
    const auto* fixed = reinterpret_cast<const BYTE*>(&version.fixed);
    block.insert(block.end(), fixed, fixed + sizeof(VS_FIXEDFILEINFO));
    PutDword(block, version.translationCount);
    for (UINT i = 0; i < version.translationCount; ++i)
        PutDword(block, version.translations[i]);
    DWORD count = 0;
    for (UINT t = 0; t < version.tableCount; ++t)
        count += version.tables[t].count;
    PutDword(block, count);
    for (UINT t = 0; t < version.tableCount; ++t) {
        const WinVersionStringTable& table = version.tables[t];
        for (UINT s = 0; s < table.count; ++s) {
            PutText(block, WinText::View(table.key));
            PutText(block, WinText::View(table.strings[s].name));
            PutText(block, WinText::View(table.strings[s].value));
        }
    }
    const auto size = static_cast<DWORD>(block.size());
    std::memcpy(block.data() + 4, &size, 4);
    return block;
}

// The version block of a module file; false with the last error set.
bool VersionBlockOf(LPCWSTR fileName, std::vector<BYTE>& block) {
    HMODULE module = LoadLibraryExW(fileName, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (module == nullptr) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return false;
    }
    const WinModuleResources* resources = ModuleResources(module);
    const bool found = resources != nullptr && resources->version != nullptr;
    if (found) block = BuildBlock(*resources->version);
    FreeLibrary(module);
    if (!found) SetLastError(ERROR_RESOURCE_TYPE_NOT_FOUND);
    return found;
}

// Reads one text field at offset; false when it does not fit the block.
bool ReadText(const BYTE* block, size_t size, size_t& offset, const WCHAR*& text, DWORD& length) {
    if (offset + 4 > size) return false;
    length = GetDword(block + offset);
    offset += 4;
    if (length == 0 || length > (size - offset) / 2) return false;
    text = reinterpret_cast<const WCHAR*>(block + offset);
    if (text[length - 1] != 0) return false;
    offset += (length * 2 + 3) & ~size_t{3};
    return true;
}

bool SplitStringQuery(std::u16string_view query, std::u16string_view& key, std::u16string_view& name) {
    constexpr std::u16string_view kPrefix = u"\\StringFileInfo\\";
    if (query.size() <= kPrefix.size() || !WinText::EqualNoCase(query.substr(0, kPrefix.size()), kPrefix))
        return false;
    query.remove_prefix(kPrefix.size());
    const size_t slash = query.find(u'\\');
    if (slash == std::u16string_view::npos) return false;
    key = query.substr(0, slash);
    name = query.substr(slash + 1);
    return !key.empty() && !name.empty();
}
} // namespace

DWORD GetFileVersionInfoSizeW(LPCWSTR fileName, LPDWORD handle) {
    if (handle != nullptr) *handle = 0;
    std::vector<BYTE> block;
    if (!VersionBlockOf(fileName, block)) return 0;
    return static_cast<DWORD>(block.size());
}

BOOL GetFileVersionInfoW(LPCWSTR fileName, DWORD, DWORD length, LPVOID data) {
    std::vector<BYTE> block;
    if (data == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (!VersionBlockOf(fileName, block)) return FALSE;
    // A partial block would let VerQueryValueW read past the caller's buffer.
    if (length < block.size()) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    std::memcpy(data, block.data(), block.size());
    return TRUE;
}

BOOL VerQueryValueW(LPCVOID blockData, LPCWSTR subBlock, LPVOID* buffer, LPUINT length) {
    const auto* block = static_cast<const BYTE*>(blockData);
    if (block == nullptr || subBlock == nullptr || buffer == nullptr || length == nullptr ||
        GetDword(block) != kMagic)
        return FALSE;
    const size_t size = GetDword(block + 4);
    if (size < kTranslationsOffset + 8) return FALSE;
    const std::u16string_view query = WinText::View(subBlock);
    if (query == u"\\" || query.empty()) {
        *buffer = const_cast<BYTE*>(block + kFixedOffset);
        *length = sizeof(VS_FIXEDFILEINFO);
        return TRUE;
    }
    const DWORD translations = GetDword(block + kTranslationsOffset);
    if (translations > (size - kTranslationsOffset - 8) / 4) return FALSE;
    if (WinText::EqualNoCase(query, u"\\VarFileInfo\\Translation")) {
        if (translations == 0) return FALSE;
        *buffer = const_cast<BYTE*>(block + kTranslationsOffset + 4);
        *length = translations * 4;
        return TRUE;
    }
    std::u16string_view key, name;
    if (!SplitStringQuery(query, key, name)) return FALSE;
    size_t offset = kTranslationsOffset + 4 + size_t{translations} * 4;
    const DWORD strings = GetDword(block + offset);
    offset += 4;
    for (DWORD i = 0; i < strings; ++i) {
        const WCHAR *entryKey = nullptr, *entryName = nullptr, *value = nullptr;
        DWORD keyLength = 0, nameLength = 0, valueLength = 0;
        if (!ReadText(block, size, offset, entryKey, keyLength) ||
            !ReadText(block, size, offset, entryName, nameLength) ||
            !ReadText(block, size, offset, value, valueLength))
            return FALSE;
        if (!WinText::EqualNoCase(WinText::View(entryKey), key) ||
            !WinText::EqualNoCase(WinText::View(entryName), name))
            continue;
        *buffer = const_cast<WCHAR*>(value);
        *length = valueLength;
        return TRUE;
    }
    return FALSE;
}
