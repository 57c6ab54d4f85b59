#pragma once
// GDI declarations the platform layer has so far: the document information
// of a print job. Device contexts come with the drawing stand-in.
#include "winapi/WinTypes.h"

struct HDC__;
using HDC = HDC__*;

struct DOCINFOW {
    int cbSize;
    LPCWSTR lpszDocName;
    LPCWSTR lpszOutput;
    LPCWSTR lpszDatatype;
    DWORD fwType;
};
using LPDOCINFOW = DOCINFOW*;
