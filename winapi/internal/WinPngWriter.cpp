#include "winapi/internal/WinPngWriter.h"

#include <png.h>

#include <cstdio>
#include <memory>
#include <vector>

#include "winapi/host/WinPng.h"
#include "winapi/internal/WinGdiRegistry.h"

namespace {
struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};

// The rows as libpng wants them (R, G, B bytes), kept while writing.
std::vector<png_byte> RowBytes(const WinSurface& surface) {
    std::vector<png_byte> bytes;
    bytes.reserve(static_cast<size_t>(surface.Width()) * surface.Height() * 3);
    for (COLORREF pixel : surface.Pixels()) {
        bytes.push_back(GetRValue(pixel));
        bytes.push_back(GetGValue(pixel));
        bytes.push_back(GetBValue(pixel));
    }
    return bytes;
}
} // namespace

bool WinPngWriter::Write(const WinSurface& surface, const std::string& path) {
    if (surface.Width() <= 0 || surface.Height() <= 0) return false;
    std::unique_ptr<FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
    if (file == nullptr) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (png == nullptr) return false;
    png_infop info = png_create_info_struct(png);
    if (info == nullptr) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    std::vector<png_byte> bytes = RowBytes(surface);
    std::vector<png_bytep> rows(static_cast<size_t>(surface.Height()));
    for (size_t y = 0; y < rows.size(); ++y)
        rows[y] = bytes.data() + y * static_cast<size_t>(surface.Width()) * 3;
    if (setjmp(png_jmpbuf(png)) != 0) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file.get());
    png_set_IHDR(png, info, static_cast<png_uint_32>(surface.Width()),
                 static_cast<png_uint_32>(surface.Height()), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fflush(file.get()) == 0;
}

bool WinSaveBitmapAsPng(HBITMAP bitmap, const char* path) {
    auto object = WinGdiRegistry::Instance().Object(reinterpret_cast<HGDIOBJ>(bitmap));
    if (object == nullptr || object->kind != WinGdiObject::Kind::Bitmap || object->bitmap == nullptr ||
        path == nullptr)
        return false;
    return WinPngWriter::Write(*object->bitmap, path);
}

bool WinSaveDcAsPng(HDC dc, const char* path) {
    auto context = WinGdiRegistry::Instance().Dc(dc);
    if (context == nullptr || context->Surface() == nullptr || path == nullptr) return false;
    return WinPngWriter::Write(*context->Surface(), path);
}
