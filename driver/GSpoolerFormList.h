#pragma once
// The spooler's forms of one printer, level 1 (EnumFormsW: a size query,
// then the data). The form at 0-based position n has paper number n + 1.
// A list that cannot be read is empty.
#include <cstdint>
#include <vector>

#include "rw/RWWString.h"
#include "winapi/WinSpool.h"

class GSpoolerFormList {
public:
    GSpoolerFormList() = default;
    explicit GSpoolerFormList(HANDLE printer) { Load(printer); }

    // Reads the printer's forms; false (and an empty list) when they
    // cannot be read.
    bool Load(HANDLE printer);

    uint32_t Count() const { return count_; }
    const FORM_INFO_1W& At(uint32_t position) const;
    // The form's name; empty for a form without one.
    RWWString NameAt(uint32_t position) const;
    // The 0-based position of the last form named name (searching from the
    // end), or -1.
    int32_t FindLast(const RWWString& name) const;
    bool IsBuiltIn(uint32_t position) const { return At(position).Flags == FORM_BUILTIN; }

private:
    // Aligned for the records at its start.
    std::vector<uint64_t> buffer_;
    uint32_t count_ = 0;
};
