#pragma once
// A counted reference to a record of an on-disk composite. Records count
// their holders as persistent objects do: -1 while nobody holds a record,
// one more per reference; the last reference released deletes it.
#include <utility>

#include "model/GRecord.h"

class GRecordRef {
public:
    GRecordRef() noexcept = default;
    // Holds record (null allowed); a record nobody held is owned from now on.
    explicit GRecordRef(GRecord* record) : record_(record) { GRecord::AddReference(record_); }
    GRecordRef(const GRecordRef& other) : record_(other.record_) { GRecord::AddReference(record_); }
    GRecordRef(GRecordRef&& other) noexcept : record_(std::exchange(other.record_, nullptr)) {}
    GRecordRef& operator=(const GRecordRef& other) {
        Reset(other.record_);
        return *this;
    }
    GRecordRef& operator=(GRecordRef&& other) noexcept {
        if (this != &other)
            GRecord::RemoveReference(std::exchange(record_, std::exchange(other.record_, nullptr)));
        return *this;
    }
    ~GRecordRef() { GRecord::RemoveReference(record_); }

    GRecord* Get() const noexcept { return record_; }
    GRecord* operator->() const noexcept { return record_; }
    GRecord& operator*() const noexcept { return *record_; }
    explicit operator bool() const noexcept { return record_ != nullptr; }

    // Holds record instead (the new one is held before the old one goes).
    void Reset(GRecord* record = nullptr) {
        if (record == record_) return;
        GRecord::AddReference(record);
        GRecord::RemoveReference(std::exchange(record_, record));
    }

private:
    GRecord* record_ = nullptr;
};
