#pragma once
// Limits the classes that object-graph restores on this thread may create,
// for as long as the filter object lives. Readers of untrusted data (DEVMODE
// blobs, printer data) install one naming the classes that may occur there;
// a restore that meets any other class id or string ID raises NOCREATE.
// Filters nest: a class must be allowed by every filter installed on the
// thread. Objects restored in place are not created and are not filtered.
#include <functional>
#include <initializer_list>
#include <vector>

#include "rw/RWDefs.h"

class RWRestoreClassFilter {
public:
    // Allows exactly the listed class ids.
    explicit RWRestoreClassFilter(std::initializer_list<RWClassID> allowed);
    explicit RWRestoreClassFilter(std::vector<RWClassID> allowed);
    // Allows the class ids for which the predicate is true.
    explicit RWRestoreClassFilter(std::function<bool(RWClassID)> allows);
    ~RWRestoreClassFilter();
    RWRestoreClassFilter(const RWRestoreClassFilter&) = delete;
    RWRestoreClassFilter& operator=(const RWRestoreClassFilter&) = delete;

    // True when every filter installed on this thread allows the class (true
    // with none installed).
    static bool Allows(RWClassID id);
    // Whether any filter is installed on this thread.
    static bool Active();

private:
    bool Admits(RWClassID id) const;
    void Install();

    std::vector<RWClassID> allowed_; // sorted
    std::function<bool(RWClassID)> predicate_;
    RWRestoreClassFilter* previous_ = nullptr;
};
