#include "rw/RWRestoreClassFilter.h"

#include <algorithm>
#include <utility>

namespace {
// The innermost filter installed on this thread; each links to the one before.
thread_local RWRestoreClassFilter* t_filter = nullptr;
} // namespace

RWRestoreClassFilter::RWRestoreClassFilter(std::initializer_list<RWClassID> allowed)
    : RWRestoreClassFilter(std::vector<RWClassID>(allowed)) {}

RWRestoreClassFilter::RWRestoreClassFilter(std::vector<RWClassID> allowed) : allowed_(std::move(allowed)) {
    std::sort(allowed_.begin(), allowed_.end());
    Install();
}

RWRestoreClassFilter::RWRestoreClassFilter(std::function<bool(RWClassID)> allows)
    : predicate_(std::move(allows)) {
    Install();
}

void RWRestoreClassFilter::Install() {
    previous_ = t_filter;
    t_filter = this;
}

RWRestoreClassFilter::~RWRestoreClassFilter() {
    t_filter = previous_;
}

bool RWRestoreClassFilter::Admits(RWClassID id) const {
    if (predicate_) return predicate_(id);
    return std::binary_search(allowed_.begin(), allowed_.end(), id);
}

bool RWRestoreClassFilter::Active() {
    return t_filter != nullptr;
}

bool RWRestoreClassFilter::Allows(RWClassID id) {
    for (const RWRestoreClassFilter* filter = t_filter; filter != nullptr; filter = filter->previous_) {
        if (!filter->Admits(id)) return false;
    }
    return true;
}
