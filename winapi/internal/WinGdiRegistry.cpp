#include "winapi/internal/WinGdiRegistry.h"

#include <cstring>

#include "winapi/host/WinHostStore.h"

namespace {
constexpr uint64_t kObjectTag = uint64_t{0x4744} << 32;
constexpr uint64_t kDcTag = uint64_t{0x4443} << 32;

std::shared_ptr<WinGdiObject> Pen(UINT style, COLORREF color) {
    auto object = std::make_shared<WinGdiObject>();
    object->kind = WinGdiObject::Kind::Pen;
    object->pen = {style, {1, 0}, color};
    object->stock = true;
    return object;
}

std::shared_ptr<WinGdiObject> Brush(UINT style, COLORREF color) {
    auto object = std::make_shared<WinGdiObject>();
    object->kind = WinGdiObject::Kind::Brush;
    object->brush = {style, color, 0};
    object->stock = true;
    return object;
}

std::shared_ptr<WinGdiObject> Font(LONG height, LONG weight) {
    auto object = std::make_shared<WinGdiObject>();
    object->kind = WinGdiObject::Kind::Font;
    object->font.lfHeight = height;
    object->font.lfWeight = weight;
    const char16_t face[] = u"MS Shell Dlg";
    std::memcpy(object->font.lfFaceName, face, sizeof face);
    object->stock = true;
    return object;
}
} // namespace

WinGdiRegistry& WinGdiRegistry::Instance() {
    static auto* registry = new WinGdiRegistry; // outlives static destructors
    return *registry;
}

void WinGdiRegistry::CheckGeneration() {
    const uint64_t generation = WinHostStore::Instance().Generation();
    if (generation == generation_ && !stock_.empty()) return;
    generation_ = generation;
    objects_.clear();
    dcs_.clear();
    stock_.clear();
    systemBrushes_.clear();
    MakeStockObjects();
}

void WinGdiRegistry::MakeStockObjects() {
    const struct {
        int index;
        std::shared_ptr<WinGdiObject> object;
    } stock[] = {
        {WHITE_BRUSH, Brush(BS_SOLID, RGB(255, 255, 255))},
        {LTGRAY_BRUSH, Brush(BS_SOLID, RGB(192, 192, 192))},
        {GRAY_BRUSH, Brush(BS_SOLID, RGB(128, 128, 128))},
        {DKGRAY_BRUSH, Brush(BS_SOLID, RGB(64, 64, 64))},
        {BLACK_BRUSH, Brush(BS_SOLID, RGB(0, 0, 0))},
        {NULL_BRUSH, Brush(BS_NULL, 0)},
        {WHITE_PEN, Pen(PS_SOLID, RGB(255, 255, 255))},
        {BLACK_PEN, Pen(PS_SOLID, RGB(0, 0, 0))},
        {NULL_PEN, Pen(PS_NULL, 0)},
        {SYSTEM_FONT, Font(-13, FW_BOLD)},
        {DEFAULT_GUI_FONT, Font(-11, FW_NORMAL)},
    };
    for (const auto& entry : stock)
        stock_[entry.index] = Insert(entry.object);
    defaultBitmap_ = std::make_shared<WinGdiObject>();
    defaultBitmap_->kind = WinGdiObject::Kind::Bitmap;
    defaultBitmap_->bitmap = std::make_shared<WinSurface>(1, 1, true, RGB(0, 0, 0));
    defaultBitmap_->stock = true;
    Insert(defaultBitmap_);
    families_ = DefaultFamilies();
}

HGDIOBJ WinGdiRegistry::AddObject(std::shared_ptr<WinGdiObject> object) {
    std::lock_guard<std::recursive_mutex> hold(mutex_);
    CheckGeneration();
    return Insert(std::move(object));
}

HGDIOBJ WinGdiRegistry::Insert(std::shared_ptr<WinGdiObject> object) {
    next_ += 4;
    const uintptr_t value = static_cast<uintptr_t>(kObjectTag | next_);
    object->handle = reinterpret_cast<HGDIOBJ>(value);
    objects_.emplace(value, std::move(object));
    return reinterpret_cast<HGDIOBJ>(value);
}

std::shared_ptr<WinGdiObject> WinGdiRegistry::Object(HGDIOBJ handle) {
    std::lock_guard<std::recursive_mutex> hold(mutex_);
    CheckGeneration();
    auto found = objects_.find(reinterpret_cast<uintptr_t>(handle));
    return found != objects_.end() ? found->second : nullptr;
}

bool WinGdiRegistry::RemoveObject(HGDIOBJ handle) {
    std::lock_guard<std::recursive_mutex> hold(mutex_);
    CheckGeneration();
    auto found = objects_.find(reinterpret_cast<uintptr_t>(handle));
    if (found == objects_.end() || found->second->stock) return false;
    objects_.erase(found);
    return true;
}

HGDIOBJ WinGdiRegistry::Stock(int index) {
    std::lock_guard<std::recursive_mutex> hold(mutex_);
    CheckGeneration();
    auto found = stock_.find(index);
    return found != stock_.end() ? found->second : nullptr;
}

HBRUSH WinGdiRegistry::SystemColorBrush(int index) {
    std::lock_guard<std::recursive_mutex> hold(mutex_);
    CheckGeneration();
    auto found = systemBrushes_.find(index);
    if (found != systemBrushes_.end()) return reinterpret_cast<HBRUSH>(found->second);
    const HGDIOBJ handle = Insert(Brush(BS_SOLID, GetSysColor(index)));
    systemBrushes_[index] = handle;
    return reinterpret_cast<HBRUSH>(handle);
}

std::vector<WinFontFamily> WinGdiRegistry::DefaultFamilies() {
    return {{u"Arial", ANSI_CHARSET, TRUETYPE_FONTTYPE},
            {u"Courier New", ANSI_CHARSET, TRUETYPE_FONTTYPE},
            {u"MS Sans Serif", ANSI_CHARSET, RASTER_FONTTYPE},
            {u"Symbol", SYMBOL_CHARSET, TRUETYPE_FONTTYPE},
            {u"Times New Roman", ANSI_CHARSET, TRUETYPE_FONTTYPE}};
}

std::vector<WinFontFamily> WinGdiRegistry::Families() {
    std::lock_guard<std::recursive_mutex> hold(mutex_);
    CheckGeneration();
    return families_;
}

void WinGdiRegistry::SetFamilies(std::vector<WinFontFamily> families) {
    std::lock_guard<std::recursive_mutex> hold(mutex_);
    CheckGeneration();
    families_ = std::move(families);
}

HDC WinGdiRegistry::AddDc(std::shared_ptr<WinDeviceContext> dc) {
    std::lock_guard<std::recursive_mutex> hold(mutex_);
    CheckGeneration();
    next_ += 4;
    const uintptr_t value = static_cast<uintptr_t>(kDcTag | next_);
    dcs_.emplace(value, std::move(dc));
    return reinterpret_cast<HDC>(value);
}

std::shared_ptr<WinDeviceContext> WinGdiRegistry::Dc(HDC handle) {
    std::lock_guard<std::recursive_mutex> hold(mutex_);
    CheckGeneration();
    auto found = dcs_.find(reinterpret_cast<uintptr_t>(handle));
    return found != dcs_.end() ? found->second : nullptr;
}

bool WinGdiRegistry::RemoveDc(HDC handle) {
    std::lock_guard<std::recursive_mutex> hold(mutex_);
    CheckGeneration();
    return dcs_.erase(reinterpret_cast<uintptr_t>(handle)) > 0;
}

std::shared_ptr<WinGdiObject> WinGdiRegistry::DefaultBitmap() {
    std::lock_guard<std::recursive_mutex> hold(mutex_);
    CheckGeneration();
    return defaultBitmap_;
}
