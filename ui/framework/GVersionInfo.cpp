#include "ui/framework/GVersionInfo.h"

#include <cstdio>

#include "winapi/WinModule.h"
#include "winapi/WinVersion.h"

namespace {
constexpr DWORD kVersionPathCapacity = 520;
constexpr DWORD kLanguageNameCapacity = 256;

struct CodePageNameEntry {
    uint16_t codePage;
    const char16_t* name;
};

constexpr CodePageNameEntry kCodePageNames[] = {
    {0, u"7-bit ASCII"},
    {932, u"Windows, Japan (Shift - JIS X-0208)"},
    {949, u"Windows, Korea (Shift - KSC 5601)"},
    {950, u"Windows, Taiwan (GB5)"},
    {1200, u"Unicode"},
    {1250, u"Windows, Latin-2 (Eastern European)"},
    {1251, u"Windows, Cyrillic (Latin-6?)"},
    {1252, u"Windows, Multilingual"},
    {1253, u"Windows, Greek"},
    {1254, u"Windows, Turkish (Latin-5?)"},
    {1255, u"Windows, Hebrew"},
    {1256, u"Windows, Arabic"},
};

RWWString VersionModulePath(HMODULE module) {
    WCHAR buffer[kVersionPathCapacity] = {};
    const DWORD length = GetModuleFileNameW(module, buffer, kVersionPathCapacity);
    // A path cut to the buffer would name another file.
    if (length == 0 || length >= kVersionPathCapacity) return RWWString();
    return RWWString(buffer, length);
}

// "\StringFileInfo\llllcccc\name" for the translation.
RWWString VersionStringQuery(uint16_t language, uint16_t codePage, const char16_t* name) {
    char key[9] = {};
    std::snprintf(key, sizeof key, "%04X%04X", static_cast<unsigned>(language),
                  static_cast<unsigned>(codePage));
    return RWWString(u"\\StringFileInfo\\") + RWWString(key, RWWString::Ascii) + RWWString(u"\\") +
           RWWString(name);
}
} // namespace

GVersionInfo::GVersionInfo(HMODULE module) : path_(VersionModulePath(module)) {
    Read();
}

GVersionInfo::GVersionInfo(const char* path) : path_(path != nullptr ? path : "", RWWString::MultiByte) {
    Read();
}

GVersionInfo::GVersionInfo(const char16_t* path) : path_(path != nullptr ? path : u"") {
    Read();
}

GVersionInfo::GVersionInfo(const GVersionInfo& other)
    : block_(other.block_), path_(other.path_), valid_(other.valid_) {
    Bind();
}

GVersionInfo& GVersionInfo::operator=(const GVersionInfo& other) {
    if (this == &other) return *this;
    block_ = other.block_;
    path_ = other.path_;
    valid_ = other.valid_;
    Bind();
    return *this;
}

GVersionInfo::~GVersionInfo() = default;

void GVersionInfo::Read() {
    if (path_.IsNull()) return;
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(path_.Data(), &handle);
    if (size == 0) return;
    block_.assign(size, 0);
    valid_ = GetFileVersionInfoW(path_.Data(), handle, size, block_.data()) != FALSE;
    if (!valid_) block_.clear();
    Bind();
}

// Points the fixed block and the translation into this object's own copy.
void GVersionInfo::Bind() {
    fixed_ = nullptr;
    language_ = codePage_ = 0;
    hasTranslation_ = false;
    if (!valid_) return;
    void* value = nullptr;
    UINT length = 0;
    if (VerQueryValueW(block_.data(), u"\\", &value, &length) && length >= sizeof(VS_FIXEDFILEINFO))
        fixed_ = static_cast<const VS_FIXEDFILEINFO*>(value);
    if (VerQueryValueW(block_.data(), u"\\VarFileInfo\\Translation", &value, &length) &&
        length >= sizeof(DWORD)) {
        const auto* bytes = static_cast<const BYTE*>(value);
        language_ = static_cast<uint16_t>(bytes[0] | bytes[1] << 8);
        codePage_ = static_cast<uint16_t>(bytes[2] | bytes[3] << 8);
        hasTranslation_ = true;
    }
}

int32_t GVersionInfo::GetLanguageName(RWWString& name) const {
    name = RWWString();
    if (!hasTranslation_) return 0;
    WCHAR buffer[kLanguageNameCapacity] = {};
    const DWORD length = VerLanguageNameW(language_, buffer, kLanguageNameCapacity);
    if (length == 0) return 0;
    name = RWWString(buffer, length);
    return static_cast<int32_t>(length);
}

int32_t GVersionInfo::GetCodePageName(RWWString& name) const {
    name = RWWString();
    return hasTranslation_ ? CodePageName(codePage_, name) : 0;
}

int32_t GVersionInfo::GetStringValue(const char16_t* name, RWWString& value) const {
    value = RWWString();
    if (!hasTranslation_ || name == nullptr) return 0;
    void* text = nullptr;
    UINT length = 0;
    const RWWString query = VersionStringQuery(language_, codePage_, name);
    // The length counts the NUL.
    if (!VerQueryValueW(block_.data(), query.Data(), &text, &length) || length < 1) return 0;
    value = RWWString(static_cast<const char16_t*>(text), length - 1);
    return static_cast<int32_t>(value.Length());
}

int32_t GVersionInfo::CodePageName(uint16_t codePage, RWWString& name) {
    name = RWWString();
    for (const CodePageNameEntry& entry : kCodePageNames) {
        if (entry.codePage != codePage) continue;
        name = RWWString(entry.name);
        return static_cast<int32_t>(name.Length());
    }
    return 0;
}
