#pragma once
// The version information of a module file: its fixed version block, its
// first translation (language and code page) and the strings of that
// translation. A module without version information gives an invalid
// reader whose queries answer empty texts and 0.
#include <cstdint>
#include <vector>

#include "rw/RWWString.h"
#include "winapi/WinResource.h"
#include "winapi/WinTypes.h"

class GVersionInfo {
public:
    // The module's file, by its path (at most 520 characters).
    explicit GVersionInfo(HMODULE module);
    // A path in the ANSI code page.
    explicit GVersionInfo(const char* path);
    explicit GVersionInfo(const char16_t* path);
    GVersionInfo(const GVersionInfo& other);
    GVersionInfo& operator=(const GVersionInfo& other);
    ~GVersionInfo();

    bool IsValid() const { return valid_; }
    const RWWString& Path() const { return path_; }
    // The first translation; 0 and 0 when there is none.
    uint16_t Language() const { return language_; }
    uint16_t CodePage() const { return codePage_; }
    // The translation's language name (at most 255 characters), its
    // length; empty and 0 without a translation.
    int32_t GetLanguageName(RWWString& name) const;
    // The name of the translation's code page (CodePageName); empty and 0
    // without a translation.
    int32_t GetCodePageName(RWWString& name) const;
    // The string value with the name in the translation's string table,
    // its length; empty and 0 when it is missing.
    int32_t GetStringValue(const char16_t* name, RWWString& value) const;
    // The fixed version block, or null.
    const VS_FIXEDFILEINFO* FixedInfo() const { return fixed_; }

    // The name of a Windows code page the module's strings may be written
    // in, its length; any other code page gives an empty name and 0.
    static int32_t CodePageName(uint16_t codePage, RWWString& name);

private:
    void Read();
    void Bind();

    std::vector<BYTE> block_;
    RWWString path_;
    const VS_FIXEDFILEINFO* fixed_ = nullptr;
    uint16_t language_ = 0;
    uint16_t codePage_ = 0;
    bool hasTranslation_ = false;
    bool valid_ = false;
};
