#pragma once
// A small PNG reader of the tests, written from the PNG format alone and
// independent of the library that writes the pictures: it checks the
// signature and every chunk's CRC, reads IHDR (8-bit RGB or RGBA, no
// interlace), inflates the IDAT data with zlib and undoes the five row
// filters.
#include <zlib.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

struct PngImage {
    uint32_t width = 0;
    uint32_t height = 0;
    std::vector<uint8_t> rgb; // 3 bytes per pixel, top row first
    uint8_t Red(uint32_t x, uint32_t y) const { return rgb[(y * width + x) * 3]; }
    uint8_t Green(uint32_t x, uint32_t y) const { return rgb[(y * width + x) * 3 + 1]; }
    uint8_t Blue(uint32_t x, uint32_t y) const { return rgb[(y * width + x) * 3 + 2]; }
};

inline uint32_t PngBigEndian(const uint8_t* at) {
    return uint32_t{at[0]} << 24 | uint32_t{at[1]} << 16 | uint32_t{at[2]} << 8 | at[3];
}

// False when the file is not a well-formed picture of the supported kind.
inline bool ReadPng(const std::string& path, PngImage& image) {
    std::ifstream file(path, std::ios::binary);
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                                     std::istreambuf_iterator<char>());
    static const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (bytes.size() < 8 || !std::equal(kSignature, kSignature + 8, bytes.begin())) return false;
    size_t at = 8;
    std::vector<uint8_t> compressed;
    uint32_t channels = 0;
    bool ended = false;
    while (!ended && at + 12 <= bytes.size()) {
        const uint32_t length = PngBigEndian(&bytes[at]);
        if (length > bytes.size() - at - 12) return false;
        const uint8_t* type = &bytes[at + 4];
        const uint8_t* data = type + 4;
        const uLong crc = crc32(crc32(0, nullptr, 0), type, length + 4);
        if (crc != PngBigEndian(data + length)) return false;
        const std::string name(reinterpret_cast<const char*>(type), 4);
        if (name == "IHDR") {
            if (length != 13 || data[8] != 8 || data[12] != 0) return false;
            image.width = PngBigEndian(data);
            image.height = PngBigEndian(data + 4);
            channels = data[9] == 2 ? 3 : data[9] == 6 ? 4 : 0;
            if (channels == 0) return false;
        } else if (name == "IDAT") {
            compressed.insert(compressed.end(), data, data + length);
        } else if (name == "IEND") {
            ended = true;
        }
        at += 12 + length;
    }
    if (!ended || channels == 0) return false;
    const size_t stride = static_cast<size_t>(image.width) * channels;
    std::vector<uint8_t> raw((stride + 1) * image.height);
    uLongf size = static_cast<uLongf>(raw.size());
    if (uncompress(raw.data(), &size, compressed.data(), static_cast<uLong>(compressed.size())) != Z_OK ||
        size != raw.size())
        return false;
    std::vector<uint8_t> previous(stride, 0), row(stride);
    image.rgb.clear();
    for (uint32_t y = 0; y < image.height; ++y) {
        const uint8_t filter = raw[y * (stride + 1)];
        const uint8_t* in = &raw[y * (stride + 1) + 1];
        for (size_t i = 0; i < stride; ++i) {
            const int a = i >= channels ? row[i - channels] : 0, b = previous[i],
                      c = i >= channels ? previous[i - channels] : 0;
            int predicted = 0;
            switch (filter) {
            case 0:
                break;
            case 1:
                predicted = a;
                break;
            case 2:
                predicted = b;
                break;
            case 3:
                predicted = (a + b) / 2;
                break;
            case 4: {
                const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
                predicted = pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
                break;
            }
            default:
                return false;
            }
            row[i] = static_cast<uint8_t>(in[i] + predicted);
        }
        for (uint32_t x = 0; x < image.width; ++x)
            image.rgb.insert(image.rgb.end(), &row[x * channels], &row[x * channels] + 3);
        previous = row;
    }
    return true;
}
