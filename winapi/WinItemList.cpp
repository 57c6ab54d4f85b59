#include "winapi/WinItemList.h"

#include "winapi/WinText.h"

size_t WinItemList::Add(std::u16string text, ULONG_PTR data, bool sorted) {
    size_t at = items_.size();
    if (sorted) {
        const std::u16string key = WinText::Fold(text);
        at = 0;
        while (at < items_.size() && WinText::Fold(items_[at].text) <= key)
            ++at;
    }
    items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(at), Item{std::move(text), data});
    return at;
}

LONG_PTR WinItemList::Insert(LONG_PTR index, std::u16string text, ULONG_PTR data) {
    if (index == -1) index = static_cast<LONG_PTR>(items_.size());
    if (index < 0 || static_cast<size_t>(index) > items_.size()) return -1;
    items_.insert(items_.begin() + index, Item{std::move(text), data});
    return index;
}

bool WinItemList::Remove(LONG_PTR index) {
    if (!Valid(index)) return false;
    items_.erase(items_.begin() + index);
    return true;
}

LONG_PTR WinItemList::Find(LONG_PTR start, std::u16string_view text, bool exact) const {
    const size_t count = items_.size();
    if (count == 0) return -1;
    const std::u16string key = WinText::Fold(text);
    const size_t first = Valid(start) ? static_cast<size_t>(start) + 1 : 0;
    for (size_t step = 0; step < count; ++step) {
        const size_t index = (first + step) % count;
        const std::u16string candidate = WinText::Fold(items_[index].text);
        if (exact ? candidate == key : candidate.compare(0, key.size(), key) == 0)
            return static_cast<LONG_PTR>(index);
    }
    return -1;
}
