#pragma once
// The DEVMODE image of this driver: 1,172 bytes that applications, the
// spooler, the rendering module and the driver pass around. Little-endian.
//
//   offset width field                value written by the driver
//   0      220   public DEVMODEW      (winapi/WinDevMode.h); dmSpecVersion
//                                     0x0401, dmDriverVersion 24, dmSize 220,
//                                     dmDriverExtra 952 (46 + 906)
//   220    2     private total size   1172
//   222    2     private header size  46
//   224    32    driver name          low byte of each of the driver name's
//                                     first 32 UTF-16 units, zero-filled
//   256    4     application flags    0; carried over from an accepted
//                                     DEVMODE; stamped at document events
//   260    2     time-zone bias       0; the same (minutes)
//   262    2     private format       4
//   264    2     private header end   50
//   266    2     blob length          bytes of compressed settings at 270
//   268    2     blob capacity        902
//   270    902   blob                 the settings tree, zlib-compressed:
//                                     the settings encoding (compact form,
//                                     driver/GSettingsCodec.h) when the
//                                     printer's blob-form setting (940 in 366
//                                     in 359 of the printer configuration) is
//                                     1, else the tree's object graph in
//                                     portable text; a first byte of 0 means
//                                     no settings
// The header (46) and data (906) sizes add up to dmDriverExtra although
// the blob begins 50 bytes after the public part: the words at 266 and 268
// count as data.
//
// A DEVMODE from outside is this driver's only when dmSize is 220,
// dmDriverExtra 952, the header words are as above and the blob length is
// at most 902; only then are its private bytes read (GDevMode::IsOwnDevMode).
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "winapi/WinDevMode.h"

static_assert(std::endian::native == std::endian::little, "the image's words are written in host order");

struct GDevModeImage {
    static constexpr size_t kTotalSize = 1172;
    static constexpr size_t kPublicSize = 220;
    // The oldest public-part version a DEVMODE may carry.
    static constexpr uint16_t kOldestSpecVersion = 0x030A;
    static constexpr size_t kPrivateHeaderSize = 46;
    static constexpr size_t kPrivateDataSize = 906;
    static constexpr size_t kDriverExtra = kPrivateHeaderSize + kPrivateDataSize; // 952
    static constexpr size_t kBlobCapacity = 902;

    // Offsets of the private words.
    static constexpr size_t kTotalSizeWord = 220;
    static constexpr size_t kHeaderSizeWord = 222;
    static constexpr size_t kDriverNameBytes = 224;
    static constexpr size_t kDriverNameLength = 32;
    static constexpr size_t kApplicationFlags = 256;
    static constexpr size_t kTimeZoneBias = 260;
    static constexpr size_t kFormatWord = 262;
    static constexpr size_t kHeaderEndWord = 264;
    static constexpr size_t kBlobLengthWord = 266;
    static constexpr size_t kBlobCapacityWord = 268;
    static constexpr size_t kBlob = 270;

    // Values of the private words.
    static constexpr uint16_t kFormat = 4;
    static constexpr uint16_t kHeaderEnd = 50;

    DEVMODEW dm;
    uint8_t privatePart[kDriverExtra];

    uint8_t* Bytes() { return reinterpret_cast<uint8_t*>(this); }
    const uint8_t* Bytes() const { return reinterpret_cast<const uint8_t*>(this); }

    // Words of a DEVMODE's bytes at an offset; the caller has checked that
    // they lie inside the DEVMODE.
    static uint16_t Word(const void* devmode, size_t offset) {
        uint16_t value;
        std::memcpy(&value, static_cast<const uint8_t*>(devmode) + offset, sizeof value);
        return value;
    }
    static uint32_t Long(const void* devmode, size_t offset) {
        uint32_t value;
        std::memcpy(&value, static_cast<const uint8_t*>(devmode) + offset, sizeof value);
        return value;
    }
    static void SetWord(void* devmode, size_t offset, uint16_t value) {
        std::memcpy(static_cast<uint8_t*>(devmode) + offset, &value, sizeof value);
    }
    static void SetLong(void* devmode, size_t offset, uint32_t value) {
        std::memcpy(static_cast<uint8_t*>(devmode) + offset, &value, sizeof value);
    }

    uint16_t Word(size_t offset) const { return Word(this, offset); }
    uint32_t Long(size_t offset) const { return Long(this, offset); }
    void SetWord(size_t offset, uint16_t value) { SetWord(this, offset, value); }
    void SetLong(size_t offset, uint32_t value) { SetLong(this, offset, value); }
};

static_assert(sizeof(GDevModeImage) == GDevModeImage::kTotalSize);
static_assert(offsetof(GDevModeImage, privatePart) == GDevModeImage::kPublicSize);
