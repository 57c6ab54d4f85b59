#pragma once
// The module's own version: two words, each major in the high half and
// minor in the low half, and the build stamp the module carries.
#include <cstdint>

constexpr uint32_t kModuleVersionFirst = 0x00040002;
constexpr uint32_t kModuleVersionSecond = 0x00010008;
constexpr const char* kModuleBuildDate = "Jun 29 2001";
constexpr const char* kModuleBuildTime = "21:42:28";

// Stores the two version words; a null pointer is skipped.
void GetVersionNumbers(uint32_t* first, uint32_t* second);
