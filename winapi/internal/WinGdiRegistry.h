#pragma once
// The handles of the drawing stand-in: GDI objects and device contexts, the
// stock objects and the system-colour brushes. Handle values carry a tag and
// are never reused. Starts afresh (stock objects only) whenever the host
// store is reset.
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "winapi/host/WinFontFamily.h"
#include "winapi/internal/WinDeviceContext.h"

class WinGdiRegistry {
public:
    static WinGdiRegistry& Instance();

    HGDIOBJ AddObject(std::shared_ptr<WinGdiObject> object);
    std::shared_ptr<WinGdiObject> Object(HGDIOBJ handle);
    // False for stock objects and unknown handles.
    bool RemoveObject(HGDIOBJ handle);
    HGDIOBJ Stock(int index);
    HBRUSH SystemColorBrush(int index);

    HDC AddDc(std::shared_ptr<WinDeviceContext> dc);
    std::shared_ptr<WinDeviceContext> Dc(HDC handle);
    bool RemoveDc(HDC handle);

    // The 1 x 1 monochrome bitmap every memory DC starts with.
    std::shared_ptr<WinGdiObject> DefaultBitmap();

    // The font families EnumFontFamiliesW reports: by default Arial,
    // Courier New, Times New Roman and Symbol (TrueType) and MS Sans Serif
    // (raster), so that enumerations do not depend on the machine.
    std::vector<WinFontFamily> Families();
    void SetFamilies(std::vector<WinFontFamily> families);
    static std::vector<WinFontFamily> DefaultFamilies();

private:
    WinGdiRegistry() = default;
    void CheckGeneration();
    void MakeStockObjects();
    HGDIOBJ Insert(std::shared_ptr<WinGdiObject> object); // lock held

    std::recursive_mutex mutex_;
    uint64_t generation_ = 0;
    uint64_t next_ = 0;
    std::unordered_map<uintptr_t, std::shared_ptr<WinGdiObject>> objects_;
    std::unordered_map<uintptr_t, std::shared_ptr<WinDeviceContext>> dcs_;
    std::unordered_map<int, HGDIOBJ> stock_;
    std::unordered_map<int, HGDIOBJ> systemBrushes_;
    std::shared_ptr<WinGdiObject> defaultBitmap_;
    std::vector<WinFontFamily> families_;
};
