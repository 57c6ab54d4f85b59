#include "model/GRecordProxy.h"

#include "model/GRecordRef.h"
#include "model/MPersistentClass.h"
#include "model/MPersistentCompositeOnDisk.h"
#include "model/MPersistentObject.h"

namespace {
// Files holding proxies of each other (or of themselves) would pass a
// question round for ever: beyond this many nested files it goes unanswered.
constexpr int kMaxForwarding = 16;
thread_local int tForwarding = 0;

// Counts one level of forwarding for the scope; false when too deep.
class Forwarding {
public:
    Forwarding() : allowed_(++tForwarding <= kMaxForwarding) {}
    ~Forwarding() { --tForwarding; }
    Forwarding(const Forwarding&) = delete;
    Forwarding& operator=(const Forwarding&) = delete;
    bool Allowed() const { return allowed_; }

private:
    bool allowed_;
};
} // namespace

RWCollectable* GRecordProxy::Create() {
    return new GRecordProxy;
}

GCountedPtr GRecordProxy::CopyOf(const MPersistentObject* object) {
    if (object == nullptr) return GCountedPtr();
    return GCountedPtr(dynamic_cast<MPersistentObject*>(object->Copy()));
}

GRecordProxy::GRecordProxy(const MPersistentObject& object) : GRecord(object), held_(CopyOf(&object)) {}

GRecordProxy::GRecordProxy(const GRecordProxy& other) : GRecord(other), held_(CopyOf(other.held_.Get())) {}

GRecordProxy& GRecordProxy::operator=(const GRecordProxy& other) {
    if (this != &other) {
        GRecord::operator=(other);
        held_ = CopyOf(other.held_.Get());
    }
    return *this;
}

GRecordProxy::~GRecordProxy() = default;

RWCollectable* GRecordProxy::NewSpecies() const {
    return new GRecordProxy;
}

RWCollectable* GRecordProxy::Copy() const {
    return new GRecordProxy(*this);
}

RWClassID GRecordProxy::IsA() const {
    return kClassId;
}

uint32_t GRecordProxy::BinaryStoreSize() const {
    return GRecord::BinaryStoreSize() + 4 + RWObjectStoreSize(held_.Get());
}

template <class Carrier> void GRecordProxy::SaveGutsTo(Carrier& carrier) const {
    GRecord::SaveGuts(carrier);
    GWriteClassVersion(carrier);
    RWSaveObject(carrier, held_.Get());
}

template <class Carrier> void GRecordProxy::RestoreGutsFrom(Carrier& carrier) {
    GRecord::RestoreGuts(carrier);
    if (!GReadClassVersion(carrier)) return;
    held_ = GRestoreChild(carrier);
}

RW_DEFINE_GUTS(GRecordProxy)

GCountedPtr GRecordProxy::Take(const GRecordQuery& query, MPersistentCompositeOnDiskImp& imp) {
    if (Matches(query)) return GRecord::Take(query, imp);
    const Forwarding forwarding;
    if (!held_ || !forwarding.Allowed()) return NullCountedPtr();
    switch (query.kind) {
    case GRecordQuery::Kind::ByClass:
        return held_->RemoveCountedByClass(static_cast<RWClassID>(query.value));
    case GRecordQuery::Kind::ById:
        return held_->RemoveCountedById(query.value);
    case GRecordQuery::Kind::Equal:
        return held_->RemoveCountedEqual(query.object);
    }
    return NullCountedPtr();
}

bool GRecordProxy::Replace(const GRecordQuery& query, const GCountedPtr& object,
                           MPersistentCompositeOnDiskImp& imp, GRecordRef& replacement) {
    if (Matches(query)) return GRecord::Replace(query, object, imp, replacement);
    const Forwarding forwarding;
    if (!held_ || !forwarding.Allowed()) return false;
    switch (query.kind) {
    case GRecordQuery::Kind::ByClass:
        return held_->ReplaceCountedByClass(static_cast<RWClassID>(query.value), object) != 0;
    case GRecordQuery::Kind::ById:
        return held_->ReplaceCountedById(query.value, object) != 0;
    case GRecordQuery::Kind::Equal:
        if (auto* composite = held_.As<MPersistentCompositeOnDisk>())
            return composite->ReplaceCountedEqual(query.object, object) != 0;
        return false;
    }
    return false;
}

GCountedPtr GRecordProxy::Find(const GRecordQuery& query, MPersistentCompositeOnDiskImp& imp) {
    if (Matches(query)) return GRecord::Find(query, imp);
    const Forwarding forwarding;
    if (!held_ || !forwarding.Allowed()) return NullCountedPtr();
    switch (query.kind) {
    case GRecordQuery::Kind::ByClass:
        return held_->FindCountedByClass(static_cast<RWClassID>(query.value));
    case GRecordQuery::Kind::ById:
        return held_->FindCountedById(query.value);
    case GRecordQuery::Kind::Equal:
        return held_->FindCountedEqual(query.object);
    }
    return NullCountedPtr();
}
