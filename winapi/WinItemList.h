#pragma once
// The items of a list box or of a combo box's list: texts with pointer-sized
// data, kept in insertion order or sorted (without regard to case), with the
// searches of the LB_FIND*/CB_FIND* messages. Indexes are checked; the
// messages answer LB_ERR/CB_ERR (-1) for any index outside the list.
#include <string>
#include <vector>

#include "winapi/WinTypes.h"

class WinItemList {
public:
    struct Item {
        std::u16string text;
        ULONG_PTR data = 0;
    };

    size_t Count() const { return items_.size(); }
    bool Valid(LONG_PTR index) const { return index >= 0 && static_cast<size_t>(index) < items_.size(); }
    const Item& At(size_t index) const { return items_[index]; }
    Item& At(size_t index) { return items_[index]; }

    // Appends, or inserts at the sorted place; returns the index.
    size_t Add(std::u16string text, ULONG_PTR data, bool sorted);
    // Inserts before index (-1: at the end); -1 when the index is invalid.
    LONG_PTR Insert(LONG_PTR index, std::u16string text, ULONG_PTR data);
    bool Remove(LONG_PTR index);
    void Clear() { items_.clear(); }

    // The first item after `start` (-1: from the first), wrapping round,
    // whose text begins with (prefix) or equals (exact) `text`, compared
    // without regard to case; -1 when none.
    LONG_PTR Find(LONG_PTR start, std::u16string_view text, bool exact) const;

private:
    std::vector<Item> items_;
};
