#pragma once
// The items of a list box or of a combo box's list: texts with pointer-sized
// data, kept in insertion order or sorted (without regard to case), with the
// searches of the LB_FIND*/CB_FIND* messages. Indexes are checked; the
// messages answer LB_ERR/CB_ERR (-1) for any index outside the list.
#include <optional>
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

    // The numbers one kind of list (list box, combo box) gives the item
    // messages both kinds answer alike, and its error answer.
    struct Messages {
        UINT add, insert, remove, count, getText, getTextLength, getData, setData, find, findExact;
        LRESULT error;
    };
    // How the control keeps its items: texts or only data words, sorted or
    // not; and its selected index, kept in step as items come and go.
    struct Owner {
        bool strings;
        bool sorted;
        LONG_PTR& selection;
    };
    // The answer to message when it is one of the shared item messages
    // (wParam the index, lParam the text, data or output buffer); nothing
    // for any other message.
    std::optional<LRESULT> Answer(const Messages& ids, UINT message, WPARAM wParam, LPARAM lParam,
                                  const Owner& owner);

private:
    std::vector<Item> items_;
};
