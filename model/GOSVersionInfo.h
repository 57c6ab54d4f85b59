#pragma once
// Which Windows the module runs on: an OS code, the version (major in the
// high half, minor in the low half) and the low 16 bits of the build.
//
// OS codes that Detect produces:
//   4   Win32s, or an old non-NT system of major version 3
//   5   the Windows 95 family when only the larger or the legacy query answered
//   6   the Windows 95 family, major 4 or more, minor 0 or 20
//   7   the Windows 95 family, major 4 or more, minor 1 to 19
//   8   the Windows 95 family, major 4 or more, minor above 20
//   9   NT 4 (a "Winnt" product type without a product suite)
//   10  NT 4 or 2000 of another product type (a server)
//   13  NT 5, build 2195 (or an NT "Winnt" product with a product suite)
//   14  NT 5, any other build
#include <cstdint>

class GOSVersionInfo {
public:
    GOSVersionInfo() = default;
    GOSVersionInfo(uint32_t code, uint32_t version, uint32_t build)
        : code_(code), version_(version), build_(build) {}

    // Classifies the running system: 1, or 0 when it could not be
    // classified (the record is then unchanged).
    int Detect();

    // The family of the code: 1 gives 1; 2, 3 and 4 give 2; 5 gives 3; 9,
    // 10, 11, 13 and 14 give 4; 12 gives 6; any other code 0.
    static uint32_t GetFamily(uint32_t code);
    uint32_t GetFamily() const { return GetFamily(code_); }

    uint32_t GetCode() const { return code_; }
    uint32_t GetVersion() const { return version_; }
    uint32_t GetMajorVersion() const { return version_ >> 16; }
    uint32_t GetBuild() const { return build_; }

    friend bool operator==(const GOSVersionInfo& a, const GOSVersionInfo& b) = default;

private:
    uint32_t code_ = 0;
    uint32_t version_ = 0;
    uint32_t build_ = 0;
};
