#include "winapi/host/WinRegistryKey.h"

#include <algorithm>

WinRegistryKey::WinRegistryKey(std::u16string name) : name_(std::move(name)) {}

std::u16string WinRegistryKey::Fold(std::u16string_view name) {
    std::u16string folded(name);
    for (char16_t& c : folded)
        if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
    return folded;
}

std::shared_ptr<WinRegistryKey> WinRegistryKey::FindChild(std::u16string_view name) const {
    auto found = children_.find(Fold(name));
    return found != children_.end() ? found->second : nullptr;
}

std::shared_ptr<WinRegistryKey> WinRegistryKey::CreateChild(std::u16string_view name) {
    auto& slot = children_[Fold(name)];
    if (!slot) slot = std::make_shared<WinRegistryKey>(std::u16string(name));
    return slot;
}

bool WinRegistryKey::RemoveChild(std::u16string_view name) {
    auto found = children_.find(Fold(name));
    if (found == children_.end()) return false;
    found->second->MarkDeleted();
    children_.erase(found);
    return true;
}

std::shared_ptr<WinRegistryKey> WinRegistryKey::ChildAt(size_t index) const {
    if (index >= children_.size()) return nullptr;
    return std::next(children_.begin(), static_cast<std::ptrdiff_t>(index))->second;
}

namespace {
// Calls visit(component) for each non-empty backslash-separated component;
// stops when it returns false.
template <typename Visit> bool ForEachComponent(std::u16string_view path, Visit visit) {
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find(u'\\', start);
        if (end == std::u16string_view::npos) end = path.size();
        if (end > start && !visit(path.substr(start, end - start))) return false;
        start = end + 1;
    }
    return true;
}
} // namespace

std::shared_ptr<WinRegistryKey> WinRegistryKey::FindPath(std::u16string_view path) {
    std::shared_ptr<WinRegistryKey> key = shared_from_this();
    ForEachComponent(path, [&](std::u16string_view name) {
        key = key->FindChild(name);
        return key != nullptr;
    });
    return key;
}

std::shared_ptr<WinRegistryKey> WinRegistryKey::CreatePath(std::u16string_view path) {
    std::shared_ptr<WinRegistryKey> key = shared_from_this();
    ForEachComponent(path, [&](std::u16string_view name) {
        key = key->CreateChild(name);
        return true;
    });
    return key;
}

const WinRegistryValue* WinRegistryKey::FindValue(std::u16string_view name) const {
    const std::u16string folded = Fold(name);
    for (const WinRegistryValue& value : values_)
        if (Fold(value.name) == folded) return &value;
    return nullptr;
}

void WinRegistryKey::SetValue(std::u16string_view name, DWORD type, std::vector<BYTE> data) {
    const std::u16string folded = Fold(name);
    for (WinRegistryValue& value : values_) {
        if (Fold(value.name) != folded) continue;
        value.type = type;
        value.data = std::move(data);
        return;
    }
    values_.push_back({std::u16string(name), type, std::move(data)});
}

bool WinRegistryKey::DeleteValue(std::u16string_view name) {
    const std::u16string folded = Fold(name);
    auto found = std::find_if(values_.begin(), values_.end(),
                              [&](const WinRegistryValue& value) { return Fold(value.name) == folded; });
    if (found == values_.end()) return false;
    values_.erase(found);
    return true;
}

std::shared_ptr<WinRegistryKey> WinRegistryKey::Clone() const {
    auto copy = std::make_shared<WinRegistryKey>(name_);
    copy->writable_ = writable_;
    copy->values_ = values_;
    for (const auto& [folded, child] : children_)
        copy->children_.emplace(folded, child->Clone());
    return copy;
}

void WinRegistryKey::MarkDeleted() {
    deleted_ = true;
    for (auto& entry : children_)
        entry.second->MarkDeleted();
}
