#include "driver/GSpoolerFormList.h"

#include <stdexcept>

bool GSpoolerFormList::Load(HANDLE printer) {
    buffer_.clear();
    count_ = 0;
    if (printer == nullptr) return false;
    DWORD needed = 0;
    DWORD returned = 0;
    EnumFormsW(printer, 1, nullptr, 0, &needed, &returned);
    if (needed == 0) return false;
    std::vector<uint64_t> buffer((needed + sizeof(uint64_t) - 1) / sizeof(uint64_t));
    if (!EnumFormsW(printer, 1, reinterpret_cast<LPBYTE>(buffer.data()), needed, &needed, &returned))
        return false;
    // Never trust a count beyond what the buffer holds.
    if (static_cast<uint64_t>(returned) * sizeof(FORM_INFO_1W) > buffer.size() * sizeof(uint64_t))
        return false;
    buffer_ = std::move(buffer);
    count_ = returned;
    return true;
}

const FORM_INFO_1W& GSpoolerFormList::At(uint32_t position) const {
    if (position >= count_) throw std::out_of_range("form position");
    return reinterpret_cast<const FORM_INFO_1W*>(buffer_.data())[position];
}

RWWString GSpoolerFormList::NameAt(uint32_t position) const {
    const FORM_INFO_1W& form = At(position);
    return form.pName != nullptr ? RWWString(form.pName) : RWWString();
}

int32_t GSpoolerFormList::FindLast(const RWWString& name) const {
    for (uint32_t i = count_; i > 0; --i) {
        if (NameAt(i - 1) == name) return static_cast<int32_t>(i - 1);
    }
    return -1;
}
