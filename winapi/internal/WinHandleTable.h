#pragma once
// A table of the objects behind one kind of handle. Handle values are never
// reused and differ between tables (the tag is in the high bits), so a stale
// or foreign handle is recognised and refused instead of reaching the wrong
// object.
#include <cstdint>
#include <memory>
#include <mutex>
#include <unordered_map>

template <typename Object> class WinHandleTable {
public:
    explicit WinHandleTable(uint32_t tag) : next_((uint64_t{tag} << 32) | 4) {}

    void* Add(std::shared_ptr<Object> object) {
        std::lock_guard<std::mutex> hold(mutex_);
        const uint64_t value = next_;
        next_ += 4;
        objects_.emplace(value, std::move(object));
        return reinterpret_cast<void*>(static_cast<uintptr_t>(value));
    }

    std::shared_ptr<Object> Find(const void* handle) const {
        std::lock_guard<std::mutex> hold(mutex_);
        auto found = objects_.find(reinterpret_cast<uintptr_t>(handle));
        return found != objects_.end() ? found->second : nullptr;
    }

    std::shared_ptr<Object> Remove(const void* handle) {
        std::lock_guard<std::mutex> hold(mutex_);
        auto found = objects_.find(reinterpret_cast<uintptr_t>(handle));
        if (found == objects_.end()) return nullptr;
        std::shared_ptr<Object> object = std::move(found->second);
        objects_.erase(found);
        return object;
    }

private:
    mutable std::mutex mutex_;
    std::unordered_map<uintptr_t, std::shared_ptr<Object>> objects_;
    uint64_t next_;
};
