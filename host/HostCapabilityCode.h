#pragma once
// The DrvDeviceCapabilities codes the host asks for, with the form of their
// answer: a value in the result, an extent packed in it, or a list of
// elements of a fixed size written to the output.
#include <cstddef>
#include <string>
#include <vector>

#include "winapi/WinTypes.h"

class HostCapabilityCode {
public:
    enum class Form {
        Value,  // the result itself
        Flags,  // the result, as dmFields bit names too (DC_FIELDS)
        Extent, // the result: width in the low 16 bits, height in the high, tenths of a millimetre
        Words,  // WORD ids
        Sizes,  // POINT sizes in tenths of a millimetre
        Pairs,  // LONG pairs (resolutions, dpi)
        Names,  // fixed-length wide names
    };

    const char* name;
    WORD code;
    Form form;
    size_t elementSize; // bytes per element of the lists; 0 for the rest

    static const std::vector<HostCapabilityCode>& All();
    // By name ("DC_PAPERS", any case, "DC_" optional) or number (decimal or
    // 0x hexadecimal); null when it is none of the codes.
    static const HostCapabilityCode* Find(const std::string& text);
};
