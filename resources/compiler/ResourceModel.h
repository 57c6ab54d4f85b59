#pragma once
// What the resource text files of resources/ describe, once read: the
// string table, dialog templates, bitmaps (as pixels), cursors and the
// version information of the module.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "winapi/WinBitmapResource.h"
#include "winapi/WinDialogTemplate.h"
#include "winapi/WinResource.h"

struct ResourceModel {
    struct VersionString {
        std::u16string name;
        std::u16string value;
    };

    std::map<uint32_t, std::u16string> strings;
    std::map<uint32_t, WinDialogTemplate> dialogs;
    std::map<uint32_t, WinBitmapResource> bitmaps;
    std::vector<uint32_t> cursors;
    VS_FIXEDFILEINFO fixed{VS_FFI_SIGNATURE, VS_FFI_STRUCVERSION, 0, 0, 0, 0, 0x3F, 0, 0x40004, 2, 0, 0, 0};
    bool hasVersion = false;
    std::vector<uint32_t> translations; // language id low word, code page high word
    std::vector<VersionString> versionStrings;
};
