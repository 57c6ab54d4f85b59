#pragma once
// The registry of the platform layer: the machine hive (HKEY_LOCAL_MACHINE)
// and the user hive (HKEY_CURRENT_USER) of the host store. Key and value
// names compare without regard to ASCII case and keep the case they were
// created with; values keep their type and bytes exactly as written (a REG_SZ
// need not end with a NUL). A key can be marked not writable in the store:
// opening it for writing, or writing through a handle opened for reading,
// gives ERROR_ACCESS_DENIED. The functions return their error code and, as
// on Windows, leave the last error alone.
#include "winapi/WinApi.h"
#include "winapi/WinError.h"
#include "winapi/WinTypes.h"

// The predefined roots. Windows gives them 32-bit values that a 64-bit
// handle carries sign-extended; the layer accepts either form, so a root
// written as signed decimal text ("-2147483647") and converted back works.
inline HKEY const HKEY_CLASSES_ROOT =
    reinterpret_cast<HKEY>(static_cast<LONG_PTR>(static_cast<LONG>(0x80000000)));
inline HKEY const HKEY_CURRENT_USER =
    reinterpret_cast<HKEY>(static_cast<LONG_PTR>(static_cast<LONG>(0x80000001)));
inline HKEY const HKEY_LOCAL_MACHINE =
    reinterpret_cast<HKEY>(static_cast<LONG_PTR>(static_cast<LONG>(0x80000002)));
inline HKEY const HKEY_USERS = reinterpret_cast<HKEY>(static_cast<LONG_PTR>(static_cast<LONG>(0x80000003)));

// Value types.
constexpr DWORD REG_NONE = 0;
constexpr DWORD REG_SZ = 1;
constexpr DWORD REG_EXPAND_SZ = 2;
constexpr DWORD REG_BINARY = 3;
constexpr DWORD REG_DWORD = 4;
constexpr DWORD REG_DWORD_LITTLE_ENDIAN = 4;
constexpr DWORD REG_DWORD_BIG_ENDIAN = 5;
constexpr DWORD REG_MULTI_SZ = 7;
constexpr DWORD REG_QWORD = 11;

// Access rights.
constexpr DWORD KEY_QUERY_VALUE = 0x0001;
constexpr DWORD KEY_SET_VALUE = 0x0002;
constexpr DWORD KEY_CREATE_SUB_KEY = 0x0004;
constexpr DWORD KEY_ENUMERATE_SUB_KEYS = 0x0008;
constexpr DWORD KEY_NOTIFY = 0x0010;
constexpr DWORD KEY_CREATE_LINK = 0x0020;
constexpr DWORD KEY_WOW64_64KEY = 0x0100;
constexpr DWORD KEY_WOW64_32KEY = 0x0200;
constexpr DWORD DELETE = 0x00010000;
constexpr DWORD READ_CONTROL = 0x00020000;
constexpr DWORD WRITE_DAC = 0x00040000;
constexpr DWORD WRITE_OWNER = 0x00080000;
constexpr DWORD STANDARD_RIGHTS_REQUIRED = 0x000F0000;
constexpr DWORD MAXIMUM_ALLOWED = 0x02000000;
constexpr DWORD KEY_READ = 0x00020019;
constexpr DWORD KEY_WRITE = 0x00020006;
constexpr DWORD KEY_EXECUTE = 0x00020019;
constexpr DWORD KEY_ALL_ACCESS = 0x000F003F;

// RegCreateKeyExW options and dispositions.
constexpr DWORD REG_OPTION_NON_VOLATILE = 0x0;
constexpr DWORD REG_OPTION_VOLATILE = 0x1;
constexpr DWORD REG_CREATED_NEW_KEY = 1;
constexpr DWORD REG_OPENED_EXISTING_KEY = 2;

using REGSAM = DWORD;

QV_WINAPI_API LONG RegOpenKeyExW(HKEY key, LPCWSTR subKey, DWORD options, REGSAM desired, PHKEY result);
QV_WINAPI_API LONG RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD options, REGSAM desired, PHKEY result);
// The old form: opens with every right the key allows (no creation).
QV_WINAPI_API LONG RegOpenKeyW(HKEY key, LPCWSTR subKey, PHKEY result);
QV_WINAPI_API LONG RegOpenKeyA(HKEY key, LPCSTR subKey, PHKEY result);
QV_WINAPI_API LONG RegCreateKeyExW(HKEY key, LPCWSTR subKey, DWORD reserved, LPWSTR keyClass, DWORD options,
                                   REGSAM desired, LPSECURITY_ATTRIBUTES attributes, PHKEY result,
                                   LPDWORD disposition);
QV_WINAPI_API LONG RegCreateKeyExA(HKEY key, LPCSTR subKey, DWORD reserved, LPSTR keyClass, DWORD options,
                                   REGSAM desired, LPSECURITY_ATTRIBUTES attributes, PHKEY result,
                                   LPDWORD disposition);
QV_WINAPI_API LONG RegCloseKey(HKEY key);

// Size query: a null data pointer answers the size in *dataSize (and the
// type). A buffer too small gives ERROR_MORE_DATA and the size needed. The
// narrow form converts string types to the ANSI code page.
QV_WINAPI_API LONG RegQueryValueExW(HKEY key, LPCWSTR valueName, LPDWORD reserved, LPDWORD type, LPBYTE data,
                                    LPDWORD dataSize);
QV_WINAPI_API LONG RegQueryValueExA(HKEY key, LPCSTR valueName, LPDWORD reserved, LPDWORD type, LPBYTE data,
                                    LPDWORD dataSize);
QV_WINAPI_API LONG RegSetValueExW(HKEY key, LPCWSTR valueName, DWORD reserved, DWORD type, const BYTE* data,
                                  DWORD dataSize);
QV_WINAPI_API LONG RegSetValueExA(HKEY key, LPCSTR valueName, DWORD reserved, DWORD type, const BYTE* data,
                                  DWORD dataSize);
QV_WINAPI_API LONG RegDeleteValueW(HKEY key, LPCWSTR valueName);
QV_WINAPI_API LONG RegDeleteValueA(HKEY key, LPCSTR valueName);
// Deletes a key without subkeys (ERROR_ACCESS_DENIED when it has some).
QV_WINAPI_API LONG RegDeleteKeyW(HKEY key, LPCWSTR subKey);
QV_WINAPI_API LONG RegDeleteKeyA(HKEY key, LPCSTR subKey);

// Enumeration: subkeys in order of their names (without regard to case),
// values in order of creation; ERROR_NO_MORE_ITEMS past the last. Name sizes
// are in characters; on success they exclude the NUL, and a name buffer too
// small gives ERROR_MORE_DATA.
QV_WINAPI_API LONG RegEnumKeyExW(HKEY key, DWORD index, LPWSTR name, LPDWORD nameSize, LPDWORD reserved,
                                 LPWSTR keyClass, LPDWORD classSize, LPFILETIME lastWriteTime);
QV_WINAPI_API LONG RegEnumValueW(HKEY key, DWORD index, LPWSTR valueName, LPDWORD valueNameSize,
                                 LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD dataSize);
QV_WINAPI_API LONG RegQueryInfoKeyW(HKEY key, LPWSTR keyClass, LPDWORD classSize, LPDWORD reserved,
                                    LPDWORD subKeys, LPDWORD maxSubKeyLength, LPDWORD maxClassLength,
                                    LPDWORD values, LPDWORD maxValueNameLength, LPDWORD maxValueLength,
                                    LPDWORD securityDescriptorSize, LPFILETIME lastWriteTime);
