#pragma once
// Scoped holders of GDI objects and memory device contexts, on the
// platform layer's one holder template: a bitmap, pen or memory DC made
// for one drawing is deleted on every way out of it.
#include "winapi/WinGdiDraw.h"
#include "winapi/WinHandle.h"

struct GGdiObjectTraits {
    using Handle = HGDIOBJ;
    static Handle Invalid() { return nullptr; }
    static bool IsValid(Handle handle) { return handle != nullptr; }
    static void Close(Handle handle) { DeleteObject(handle); }
};

struct GMemoryDcTraits {
    using Handle = HDC;
    static Handle Invalid() { return nullptr; }
    static bool IsValid(Handle handle) { return handle != nullptr; }
    static void Close(Handle handle) { DeleteDC(handle); }
};

using GScopedGdiObject = WinScopedHandle<GGdiObjectTraits>;
using GScopedMemoryDc = WinScopedHandle<GMemoryDcTraits>;
