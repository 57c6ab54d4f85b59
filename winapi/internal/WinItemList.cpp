#include "winapi/internal/WinItemList.h"

#include <cstring>

#include "winapi/internal/WinTextRules.h"

namespace {
// Copies an item's text (NUL-terminated) or data word into buffer; the
// length copied, or error for no buffer.
LRESULT CopyItem(const WinItemList::Item& item, bool strings, LPARAM buffer, LRESULT error) {
    if (buffer == 0) return error;
    if (!strings) {
        std::memcpy(reinterpret_cast<void*>(buffer), &item.data, sizeof item.data);
        return sizeof item.data;
    }
    auto* out = reinterpret_cast<WCHAR*>(buffer);
    std::memcpy(out, item.text.data(), item.text.size() * sizeof(WCHAR));
    out[item.text.size()] = 0;
    return static_cast<LRESULT>(item.text.size());
}
} // namespace

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

std::optional<LRESULT> WinItemList::Answer(const Messages& ids, UINT message, WPARAM wParam, LPARAM lParam,
                                           const Owner& owner) {
    const auto index = static_cast<LONG_PTR>(wParam);
    const auto text = [lParam] { return std::u16string(WinText::View(reinterpret_cast<LPCWSTR>(lParam))); };
    const auto data = static_cast<ULONG_PTR>(lParam);
    if (message == ids.add) {
        const size_t at = owner.strings ? Add(text(), 0, owner.sorted) : Add({}, data, false);
        if (owner.selection >= static_cast<LONG_PTR>(at)) ++owner.selection;
        return static_cast<LRESULT>(at);
    }
    if (message == ids.insert) {
        const LONG_PTR at = owner.strings ? Insert(index, text(), 0) : Insert(index, {}, data);
        if (at >= 0 && owner.selection >= at) ++owner.selection;
        return at >= 0 ? at : ids.error;
    }
    if (message == ids.remove) {
        if (!Remove(index)) return ids.error;
        if (owner.selection == index)
            owner.selection = -1;
        else if (owner.selection > index)
            --owner.selection;
        return static_cast<LRESULT>(Count());
    }
    if (message == ids.count) return static_cast<LRESULT>(Count());
    if (message == ids.find || message == ids.findExact) {
        const LONG_PTR found =
            Find(index, WinText::View(reinterpret_cast<LPCWSTR>(lParam)), message == ids.findExact);
        return found >= 0 ? found : ids.error;
    }
    const bool item = message == ids.getText || message == ids.getTextLength || message == ids.getData ||
                      message == ids.setData;
    if (!item) return std::nullopt;
    if (!Valid(index)) return ids.error;
    Item& entry = At(static_cast<size_t>(index));
    if (message == ids.getText) return CopyItem(entry, owner.strings, lParam, ids.error);
    if (message == ids.getTextLength)
        return owner.strings ? static_cast<LRESULT>(entry.text.size())
                             : static_cast<LRESULT>(sizeof(ULONG_PTR));
    if (message == ids.getData) return static_cast<LRESULT>(entry.data);
    entry.data = data;
    return TRUE;
}
