// Icons over the drawing stand-in: each icon keeps copies of its picture
// and mask as bitmaps of its own, behind a handle of its own kind. The
// table starts afresh with the host store, as the GDI objects it holds do.
#include <cstdint>
#include <mutex>
#include <unordered_map>

#include "winapi/WinError.h"
#include "winapi/WinIcon.h"
#include "winapi/host/WinHostStore.h"

namespace {
constexpr uint64_t kIconTag = uint64_t{0x4943} << 32;

struct IconBitmaps {
    HBITMAP color = nullptr;
    HBITMAP mask = nullptr;
    LONG width = 0;
    LONG height = 0;
};

class IconTable {
public:
    static IconTable& Instance() {
        static IconTable table;
        return table;
    }
    HICON Add(const IconBitmaps& icon) {
        std::lock_guard<std::mutex> hold(mutex_);
        Refresh();
        next_ += 4;
        const auto value = static_cast<uintptr_t>(kIconTag | next_);
        icons_.emplace(value, icon);
        return reinterpret_cast<HICON>(value);
    }
    bool Find(HICON icon, IconBitmaps& found) {
        std::lock_guard<std::mutex> hold(mutex_);
        Refresh();
        auto at = icons_.find(reinterpret_cast<uintptr_t>(icon));
        if (at == icons_.end()) return false;
        found = at->second;
        return true;
    }
    bool Remove(HICON icon, IconBitmaps& removed) {
        std::lock_guard<std::mutex> hold(mutex_);
        Refresh();
        auto at = icons_.find(reinterpret_cast<uintptr_t>(icon));
        if (at == icons_.end()) return false;
        removed = at->second;
        icons_.erase(at);
        return true;
    }

private:
    void Refresh() {
        const uint64_t generation = WinHostStore::Instance().Generation();
        if (generation == generation_) return;
        generation_ = generation;
        icons_.clear(); // their bitmaps went with the GDI objects
    }

    std::mutex mutex_;
    uint64_t generation_ = 0;
    uint64_t next_ = 0;
    std::unordered_map<uintptr_t, IconBitmaps> icons_;
};

BOOL Fail(DWORD error) {
    SetLastError(error);
    return FALSE;
}

// A new 32-bit bitmap holding a copy of `bitmap`'s pixels.
HBITMAP CopyIconBitmap(HBITMAP bitmap, LONG width, LONG height) {
    HBITMAP copy = CreateBitmap(width, height, 1, 32, nullptr);
    HDC from = CreateCompatibleDC(nullptr), to = CreateCompatibleDC(nullptr);
    HGDIOBJ oldFrom = SelectObject(from, bitmap), oldTo = SelectObject(to, copy);
    BitBlt(to, 0, 0, width, height, from, 0, 0, SRCCOPY);
    SelectObject(from, oldFrom);
    SelectObject(to, oldTo);
    DeleteDC(from);
    DeleteDC(to);
    return copy;
}

bool SizeOf(HBITMAP bitmap, BITMAP& info) {
    return bitmap != nullptr && GetObjectW(bitmap, sizeof info, &info) != 0;
}
} // namespace

HICON CreateIconIndirect(const ICONINFO* info) {
    BITMAP color{}, mask{};
    if (info == nullptr || !SizeOf(info->hbmColor, color) || !SizeOf(info->hbmMask, mask) ||
        color.bmWidth != mask.bmWidth || color.bmHeight != mask.bmHeight) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    const IconBitmaps icon{CopyIconBitmap(info->hbmColor, color.bmWidth, color.bmHeight),
                           CopyIconBitmap(info->hbmMask, mask.bmWidth, mask.bmHeight), color.bmWidth,
                           color.bmHeight};
    return IconTable::Instance().Add(icon);
}

BOOL DestroyIcon(HICON icon) {
    IconBitmaps removed;
    if (!IconTable::Instance().Remove(icon, removed)) return Fail(ERROR_INVALID_HANDLE);
    DeleteObject(removed.color);
    DeleteObject(removed.mask);
    return TRUE;
}

BOOL GetIconInfo(HICON icon, PICONINFO info) {
    IconBitmaps found;
    if (info == nullptr || !IconTable::Instance().Find(icon, found)) return Fail(ERROR_INVALID_HANDLE);
    *info = {TRUE, static_cast<DWORD>(found.width / 2), static_cast<DWORD>(found.height / 2),
             CopyIconBitmap(found.mask, found.width, found.height),
             CopyIconBitmap(found.color, found.width, found.height)};
    return TRUE;
}

// Pixel by pixel, each destination pixel taking the icon's nearest one:
// destination AND mask (DI_MASK), then XOR picture (DI_IMAGE); DI_IMAGE
// alone copies the picture.
BOOL DrawIconEx(HDC dc, int x, int y, HICON icon, int width, int height, UINT, HBRUSH, UINT flags) {
    IconBitmaps found;
    if (!IconTable::Instance().Find(icon, found)) return Fail(ERROR_INVALID_HANDLE);
    if (width <= 0) width = found.width;
    if (height <= 0) height = found.height;
    HDC color = CreateCompatibleDC(nullptr), mask = CreateCompatibleDC(nullptr);
    HGDIOBJ oldColor = SelectObject(color, found.color), oldMask = SelectObject(mask, found.mask);
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column) {
            const int sx = column * found.width / width, sy = row * found.height / height;
            const COLORREF below = GetPixel(dc, x + column, y + row);
            if (below == CLR_INVALID) continue;
            COLORREF pixel = (flags & DI_MASK) != 0 ? below & GetPixel(mask, sx, sy) : below;
            if ((flags & DI_IMAGE) != 0)
                pixel = (flags & DI_MASK) != 0 ? pixel ^ GetPixel(color, sx, sy) : GetPixel(color, sx, sy);
            SetPixel(dc, x + column, y + row, pixel);
        }
    }
    SelectObject(color, oldColor);
    SelectObject(mask, oldMask);
    DeleteDC(color);
    DeleteDC(mask);
    return TRUE;
}

BOOL DrawIcon(HDC dc, int x, int y, HICON icon) {
    return DrawIconEx(dc, x, y, icon, 0, 0, 0, nullptr, DI_NORMAL);
}
