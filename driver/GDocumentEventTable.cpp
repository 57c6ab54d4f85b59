#include "driver/GDocumentEventTable.h"

bool GDocumentEventTable::Set(HANDLE printer, uint32_t cookie) {
    std::vector<Entry>& bucket = buckets_[Bucket(printer)];
    for (Entry& entry : bucket) {
        if (entry.printer != printer) continue;
        entry.cookie = cookie;
        return false;
    }
    bucket.push_back({printer, cookie});
    ++count_;
    return true;
}

bool GDocumentEventTable::Find(HANDLE printer, uint32_t& cookie) const {
    for (const Entry& entry : buckets_[Bucket(printer)]) {
        if (entry.printer != printer) continue;
        cookie = entry.cookie;
        return true;
    }
    return false;
}

bool GDocumentEventTable::Remove(HANDLE printer) {
    std::vector<Entry>& bucket = buckets_[Bucket(printer)];
    for (auto it = bucket.begin(); it != bucket.end(); ++it) {
        if (it->printer != printer) continue;
        bucket.erase(it);
        --count_;
        return true;
    }
    return false;
}

void GDocumentEventTable::Clear() {
    for (auto bucket = buckets_.rbegin(); bucket != buckets_.rend(); ++bucket) {
        bucket->clear();
        bucket->shrink_to_fit();
    }
    count_ = 0;
}
