#pragma once
// The C runtime's locale of the simulated process: one setting per category,
// as the module's runtime keeps it. It is the platform layer's setting and
// never touches the Linux process locale (the module converts narrow text
// with the layer's code-page calls, never with the C library's).
//
// A category's locale is "C" (the start-up setting) or a code page, named
// "." followed by its number (".932"). The host store holds the settings, so
// every test starts from "C" in every category.
#include "winapi/WinApi.h"
#include "winapi/WinTypes.h"

// The categories, numbered as the module's C runtime numbers them (the Linux
// LC_* macros have other values).
constexpr int CRT_LC_ALL = 0;
constexpr int CRT_LC_COLLATE = 1;
constexpr int CRT_LC_CTYPE = 2;
constexpr int CRT_LC_MONETARY = 3;
constexpr int CRT_LC_NUMERIC = 4;
constexpr int CRT_LC_TIME = 5;
constexpr int CRT_LC_MAX = CRT_LC_TIME;

// The C runtime's setlocale. locale: "C"; ".ACP" (the ANSI code page) or ""
// (the user's default, also the ANSI code page); ".OCP" (the OEM code page);
// "." and a code-page number. A null locale only asks. The answer is the
// category's setting; for CRT_LC_ALL the common setting, or, when the
// categories differ, "LC_COLLATE=...;LC_CTYPE=...;LC_MONETARY=...;
// LC_NUMERIC=...;LC_TIME=...". Null, changing nothing, for an unknown
// category or locale. The text lives until the thread's next call.
QV_WINAPI_API const char* CrtSetLocale(int category, const char* locale);
