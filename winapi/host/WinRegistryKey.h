#pragma once
// One key of a registry hive: its name as created, its subkeys (found
// without regard to ASCII case, listed in order of their folded names), its
// typed values (in order of creation) and whether it may be written. Keys
// are shared with the open handles that name them; a removed key is marked
// deleted, so such a handle fails instead of writing into a detached key.
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "winapi/WinApi.h"
#include "winapi/WinTypes.h"

struct WinRegistryValue {
    std::u16string name;
    DWORD type = 0;
    std::vector<BYTE> data;
};

class QV_WINAPI_API WinRegistryKey : public std::enable_shared_from_this<WinRegistryKey> {
public:
    explicit WinRegistryKey(std::u16string name = {});

    const std::u16string& Name() const { return name_; }
    bool IsWritable() const { return writable_; }
    void SetWritable(bool writable) { writable_ = writable; }
    bool IsDeleted() const { return deleted_; }

    std::shared_ptr<WinRegistryKey> FindChild(std::u16string_view name) const;
    // The existing child of that name, or a new one.
    std::shared_ptr<WinRegistryKey> CreateChild(std::u16string_view name);
    // Removes the child and everything below it (all marked deleted).
    bool RemoveChild(std::u16string_view name);
    size_t ChildCount() const { return children_.size(); }
    // The index-th child in enumeration order; null past the end.
    std::shared_ptr<WinRegistryKey> ChildAt(size_t index) const;

    // A path of names separated by backslashes, below this key; empty
    // components are skipped (an empty path is this key). Null when a
    // component is missing. The key must be held by a shared_ptr.
    std::shared_ptr<WinRegistryKey> FindPath(std::u16string_view path);
    std::shared_ptr<WinRegistryKey> CreatePath(std::u16string_view path);

    const WinRegistryValue* FindValue(std::u16string_view name) const;
    void SetValue(std::u16string_view name, DWORD type, std::vector<BYTE> data);
    bool DeleteValue(std::u16string_view name);
    const std::vector<WinRegistryValue>& Values() const { return values_; }

    // A deep copy, not shared with any handle.
    std::shared_ptr<WinRegistryKey> Clone() const;
    // Marks this key and all below it deleted.
    void MarkDeleted();

    // ASCII case folding used for key and value names.
    static std::u16string Fold(std::u16string_view name);

private:
    std::u16string name_;
    bool writable_ = true;
    bool deleted_ = false;
    std::map<std::u16string, std::shared_ptr<WinRegistryKey>> children_; // by folded name
    std::vector<WinRegistryValue> values_;
};
