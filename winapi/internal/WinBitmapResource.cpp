#include "winapi/WinBitmapResource.h"

namespace {
constexpr BYTE kMagic[4] = {'Q', 'V', 'B', '1'};
constexpr DWORD kMaxSide = 16384;

void PutDword(std::vector<BYTE>& out, DWORD value) {
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<BYTE>(value >> shift));
}

DWORD GetDword(const BYTE* at) {
    return DWORD{at[0]} | DWORD{at[1]} << 8 | DWORD{at[2]} << 16 | DWORD{at[3]} << 24;
}
} // namespace

std::vector<BYTE> WinBitmapResource::Serialize() const {
    std::vector<BYTE> out(kMagic, kMagic + sizeof kMagic);
    PutDword(out, static_cast<DWORD>(width));
    PutDword(out, static_cast<DWORD>(height));
    for (DWORD pixel : pixels)
        PutDword(out, pixel & 0x00FFFFFF);
    return out;
}

bool WinBitmapResource::Parse(const BYTE* data, size_t size, WinBitmapResource& out) {
    if (data == nullptr || size < 12) return false;
    for (size_t i = 0; i < sizeof kMagic; ++i)
        if (data[i] != kMagic[i]) return false;
    const DWORD width = GetDword(data + 4), height = GetDword(data + 8);
    if (width == 0 || height == 0 || width > kMaxSide || height > kMaxSide) return false;
    const size_t count = static_cast<size_t>(width) * height;
    if ((size - 12) / 4 != count || (size - 12) % 4 != 0) return false;
    WinBitmapResource parsed;
    parsed.width = static_cast<LONG>(width);
    parsed.height = static_cast<LONG>(height);
    parsed.pixels.resize(count);
    for (size_t i = 0; i < count; ++i)
        parsed.pixels[i] = GetDword(data + 12 + 4 * i) & 0x00FFFFFF;
    out = std::move(parsed);
    return true;
}
