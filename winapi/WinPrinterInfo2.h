#pragma once
// A printer's level-2 record read with GetPrinterW: the size query, then the
// record into a buffer aligned for its pointers (its strings and DEVMODE
// point into the same buffer). Empty when either call fails or the answer
// is shorter than the record.
#include <cstdint>
#include <vector>

#include "winapi/WinSpool.h"

class WinPrinterInfo2 {
public:
    explicit WinPrinterInfo2(HANDLE printer) {
        DWORD needed = 0;
        GetPrinterW(printer, 2, nullptr, 0, &needed);
        if (needed < sizeof(PRINTER_INFO_2W)) return;
        buffer_.resize((needed + sizeof(uint64_t) - 1) / sizeof(uint64_t));
        if (!GetPrinterW(printer, 2, reinterpret_cast<LPBYTE>(buffer_.data()), needed, &needed))
            buffer_.clear();
    }

    explicit operator bool() const { return !buffer_.empty(); }
    // The record, or null when it could not be read.
    PRINTER_INFO_2W* Get() {
        return buffer_.empty() ? nullptr : reinterpret_cast<PRINTER_INFO_2W*>(buffer_.data());
    }
    const PRINTER_INFO_2W* operator->() const {
        return reinterpret_cast<const PRINTER_INFO_2W*>(buffer_.data());
    }

private:
    std::vector<uint64_t> buffer_;
};
