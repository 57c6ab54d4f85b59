#pragma once
// The resource data a module carries: what a Windows module keeps in its
// resource section. A module exports one function under the name
// "QvModuleResources" (type WinModuleResourcesProc) that returns a pointer to
// a static WinModuleResources; the loader reads strings and version
// information from it. A module without that export has no resources.
//
// Layout, format version 1 (all arrays static, owned by the module):
//   strings:        string table entries {id, NUL-terminated UTF-16 text}
//   version:        optional version resource: the fixed file information,
//                   the translations (each DWORD: language id in the low
//                   word, code page in the high word) and one string table
//                   per translation key (eight hex digits, e.g. u"040904B0")
//   items:          other typed resources {type, id, bytes}, for the kinds
//                   (dialogs, bitmaps) that later code reads by type and id
#include "winapi/WinTypes.h"

struct VS_FIXEDFILEINFO {
    DWORD dwSignature; // 0xFEEF04BD
    DWORD dwStrucVersion;
    DWORD dwFileVersionMS;
    DWORD dwFileVersionLS;
    DWORD dwProductVersionMS;
    DWORD dwProductVersionLS;
    DWORD dwFileFlagsMask;
    DWORD dwFileFlags;
    DWORD dwFileOS;
    DWORD dwFileType;
    DWORD dwFileSubtype;
    DWORD dwFileDateMS;
    DWORD dwFileDateLS;
};
static_assert(sizeof(VS_FIXEDFILEINFO) == 52);
constexpr DWORD VS_FFI_SIGNATURE = 0xFEEF04BD;
constexpr DWORD VS_FFI_STRUCVERSION = 0x00010000;

struct WinResourceString {
    UINT id;
    LPCWSTR text;
};

struct WinVersionString {
    LPCWSTR name; // e.g. u"FileDescription"
    LPCWSTR value;
};

struct WinVersionStringTable {
    LPCWSTR key; // language and code page as eight hex digits
    const WinVersionString* strings;
    UINT count;
};

struct WinVersionResource {
    VS_FIXEDFILEINFO fixed;
    const DWORD* translations;
    UINT translationCount;
    const WinVersionStringTable* tables;
    UINT tableCount;
};

struct WinResourceItem {
    UINT type; // RT_* below
    UINT id;
    const void* data;
    DWORD size;
};

constexpr UINT kWinResourceFormatVersion = 1;

struct WinModuleResources {
    UINT formatVersion; // kWinResourceFormatVersion
    const WinResourceString* strings;
    UINT stringCount;
    const WinVersionResource* version; // null: no version resource
    const WinResourceItem* items;
    UINT itemCount;
};

using WinModuleResourcesProc = const WinModuleResources* (*)();
constexpr const char* kWinModuleResourcesExport = "QvModuleResources";

// Resource types, as Windows numbers them.
constexpr UINT RT_CURSOR = 1;
constexpr UINT RT_BITMAP = 2;
constexpr UINT RT_DIALOG = 5;
constexpr UINT RT_STRING = 6;
constexpr UINT RT_RCDATA = 10;
constexpr UINT RT_VERSION = 16;
