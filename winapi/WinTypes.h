#pragma once
// Fixed-width stand-ins for the Windows base types the module is written
// against. Sizes are those of the 32-bit Windows module: LONG is 32 bits and
// WCHAR is a UTF-16 code unit, whatever the Linux data model says.
#include <cstddef>
#include <cstdint>

using BYTE = uint8_t;
using CHAR = char;
using UCHAR = unsigned char;
using WCHAR = char16_t;
using SHORT = int16_t;
using USHORT = uint16_t;
using WORD = uint16_t;
using INT = int32_t;
using UINT = uint32_t;
using LONG = int32_t;
using ULONG = uint32_t;
using DWORD = uint32_t;
using BOOL = int32_t;
using LONGLONG = int64_t;
using ULONGLONG = uint64_t;
using SIZE_T = size_t;
using UINT_PTR = uintptr_t;
using LONG_PTR = intptr_t;
using DWORD_PTR = uintptr_t;

using LPVOID = void*;
using LPCVOID = const void*;
using LPSTR = char*;
using LPCSTR = const char*;
using LPWSTR = WCHAR*;
using LPCWSTR = const WCHAR*;
using LPBOOL = BOOL*;
using LPDWORD = DWORD*;

using HANDLE = void*;
struct HWND__;
using HWND = HWND__*;
struct HINSTANCE__;
using HINSTANCE = HINSTANCE__*;
using HMODULE = HINSTANCE;

constexpr BOOL TRUE = 1;
constexpr BOOL FALSE = 0;

using BOOLEAN = uint8_t;
using FLOAT = float;
using LONG64 = int64_t;
using INT_PTR = intptr_t;
using ULONG_PTR = uintptr_t;
using LANGID = WORD;
using LCID = DWORD;
using HRESULT = int32_t;
using WPARAM = UINT_PTR;
using LPARAM = LONG_PTR;
using LRESULT = LONG_PTR;

using PVOID = void*;
using LPBYTE = BYTE*;
using PBYTE = BYTE*;
using LPWORD = WORD*;
using LPLONG = LONG*;
using PLONG = LONG*;
using LPUINT = UINT*;
using PDWORD = DWORD*;
using PULONG = ULONG*;
using LPHANDLE = HANDLE*;
using PHANDLE = HANDLE*;
using PWSTR = WCHAR*;
using PCWSTR = const WCHAR*;

// Registry keys are opaque handles; the predefined roots carry the values
// Windows gives them (see winapi/WinReg.h).
struct HKEY__;
using HKEY = HKEY__*;
using PHKEY = HKEY*;

using FARPROC = INT_PTR (*)();

// A handle value that no successful call hands out (file and find calls).
inline HANDLE const INVALID_HANDLE_VALUE = reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-1));

struct SECURITY_ATTRIBUTES {
    DWORD nLength;
    LPVOID lpSecurityDescriptor;
    BOOL bInheritHandle;
};
using LPSECURITY_ATTRIBUTES = SECURITY_ATTRIBUTES*;

struct FILETIME {
    DWORD dwLowDateTime;
    DWORD dwHighDateTime;
};
using LPFILETIME = FILETIME*;

struct POINTL {
    LONG x;
    LONG y;
};

struct SIZEL {
    LONG cx;
    LONG cy;
};

struct RECTL {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
};

// Calling-convention marker of Windows declarations; one convention on x86-64 Linux.
#define WINAPI
#define CALLBACK
#define APIENTRY

constexpr WORD MAKELANGID(WORD primary, WORD sub) {
    return static_cast<WORD>((sub << 10) | primary);
}
constexpr WORD LOWORD(DWORD value) {
    return static_cast<WORD>(value & 0xFFFF);
}
constexpr WORD HIWORD(DWORD value) {
    return static_cast<WORD>(value >> 16);
}
constexpr DWORD MAKELONG(WORD low, WORD high) {
    return static_cast<DWORD>(low) | (static_cast<DWORD>(high) << 16);
}

constexpr int MAX_PATH = 260;
