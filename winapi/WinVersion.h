#pragma once
// Version information of modules, from their resource data
// (winapi/WinResource.h). GetFileVersionInfoW copies a module's version
// resource into the caller's block in the layer's own block layout; only
// VerQueryValueW reads that block:
//   u"\\"                                  -> VS_FIXEDFILEINFO, size 52
//   u"\\VarFileInfo\\Translation"          -> DWORD pairs, size in bytes
//   u"\\StringFileInfo\\<key>\\<name>"     -> the text, length in characters
//                                             with its NUL
#include "winapi/WinApi.h"
#include "winapi/WinError.h"
#include "winapi/WinResource.h"
#include "winapi/WinTypes.h"

// The file is a module's Windows name or path (found as LoadLibraryW finds
// it). 0 with ERROR_RESOURCE_TYPE_NOT_FOUND when it has no version resource.
QV_WINAPI_API DWORD GetFileVersionInfoSizeW(LPCWSTR fileName, LPDWORD handle);
QV_WINAPI_API BOOL GetFileVersionInfoW(LPCWSTR fileName, DWORD handle, DWORD length, LPVOID data);
QV_WINAPI_API BOOL VerQueryValueW(LPCVOID block, LPCWSTR subBlock, LPVOID* buffer, LPUINT length);
// The English name of a language id ("English (United States)" for
// 0x0409); an id the layer does not know is "Language Neutral". A buffer
// too small gets the name cut to size - 1 characters and its NUL. Returns
// the characters copied without the NUL; 0 for a null buffer or size 0.
QV_WINAPI_API DWORD VerLanguageNameW(DWORD language, LPWSTR buffer, DWORD size);
