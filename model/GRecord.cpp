#include "model/GRecord.h"

#include <atomic>
#include <cstdio>

#include "model/GRecordRef.h"
#include "model/MPersistentClass.h"
#include "model/MPersistentCompositeOnDiskImp.h"
#include "model/MPersistentObject.h"
#include "rw/RWRefCounted.h"

namespace {
// Guards the reference counts of the records.
constinit RWLazyCriticalSection gRecordCountLock;
} // namespace

GRecordQuery GRecordQuery::Equal(const MPersistentObject* object) {
    return {Kind::Equal, object != nullptr ? object->GetSerial() : 0, object};
}

RWCollectable* GRecord::Create() {
    return new GRecord;
}

GRecord::GRecord(const MPersistentObject& object)
    : classId_(object.IsA()), serial_(object.GetSerial()), id_(object.GetId()) {}

GRecord::GRecord(const GRecord& other)
    : RWCollectable(other), classId_(other.classId_), serial_(other.serial_), id_(other.id_) {}

GRecord& GRecord::operator=(const GRecord& other) {
    classId_ = other.classId_;
    serial_ = other.serial_;
    id_ = other.id_;
    return *this;
}

GRecord::~GRecord() = default;

void GRecord::AddReference(GRecord* record) {
    if (record != nullptr) RWRefCounted::AddReference(record->refCount_, gRecordCountLock);
}

void GRecord::RemoveReference(GRecord* record) {
    if (record != nullptr && RWRefCounted::RemoveReference(record->refCount_, gRecordCountLock) == 0)
        delete record;
}

int32_t GRecord::GetRefCount() const {
    return static_cast<int32_t>(std::atomic_ref<const uint32_t>(refCount_).load(std::memory_order_relaxed));
}

RWCollectable* GRecord::NewSpecies() const {
    return new GRecord;
}

RWCollectable* GRecord::Copy() const {
    return new GRecord(*this);
}

RWClassID GRecord::IsA() const {
    return kClassId;
}

uint32_t GRecord::BinaryStoreSize() const {
    return RWCollectable::BinaryStoreSize() + 14;
}

template <class Carrier> void GRecord::SaveGutsTo(Carrier& carrier) const {
    RWCollectable::SaveGuts(carrier);
    GWriteClassVersion(carrier);
    RWSaveU16(carrier, classId_);
    RWSaveU32(carrier, serial_);
    RWSaveU32(carrier, id_);
}

template <class Carrier> void GRecord::RestoreGutsFrom(Carrier& carrier) {
    RWCollectable::RestoreGuts(carrier);
    if (!GReadClassVersion(carrier)) return;
    uint16_t classId = 0;
    uint32_t serial = 0, id = 0;
    if (!RWRestoreU16(carrier, classId) || !RWRestoreU32(carrier, serial) || !RWRestoreU32(carrier, id))
        return;
    classId_ = classId;
    serial_ = serial;
    id_ = id;
}

RW_DEFINE_GUTS(GRecord)

RWCString GRecord::KeyText() const {
    char text[12];
    std::snprintf(text, sizeof text, "%x", static_cast<unsigned>(serial_));
    return RWCString(text);
}

bool GRecord::Matches(const GRecordQuery& query) const {
    switch (query.kind) {
    case GRecordQuery::Kind::ByClass:
        return classId_ == query.value;
    case GRecordQuery::Kind::ById:
        return id_ == query.value;
    case GRecordQuery::Kind::Equal:
        return serial_ == query.value;
    }
    return false;
}

GRecordComposite* GRecord::AsRecordComposite() {
    return nullptr;
}

void GRecord::AddRecord(const GRecordRef&) {}

GCountedPtr GRecord::Take(const GRecordQuery& query, MPersistentCompositeOnDiskImp& imp) {
    return Matches(query) ? imp.LoadAndRemove(*this) : NullCountedPtr();
}

bool GRecord::Replace(const GRecordQuery& query, const GCountedPtr& object,
                      MPersistentCompositeOnDiskImp& imp, GRecordRef& replacement) {
    return Matches(query) && imp.ReplaceRecord(*this, object, replacement);
}

GCountedPtr GRecord::Find(const GRecordQuery& query, MPersistentCompositeOnDiskImp& imp) {
    return Matches(query) ? imp.Load(*this) : NullCountedPtr();
}

uint32_t GRecord::Count() const {
    return 1;
}

GCountedPtr GRecord::TakeByClass(RWClassID classId, MPersistentCompositeOnDiskImp& imp) {
    return Take(GRecordQuery::ByClass(classId), imp);
}

GCountedPtr GRecord::TakeById(uint32_t id, MPersistentCompositeOnDiskImp& imp) {
    return Take(GRecordQuery::ById(id), imp);
}

GCountedPtr GRecord::TakeEqual(const MPersistentObject* object, MPersistentCompositeOnDiskImp& imp) {
    return Take(GRecordQuery::Equal(object), imp);
}

bool GRecord::ReplaceByClass(RWClassID classId, const GCountedPtr& object, MPersistentCompositeOnDiskImp& imp,
                             GRecordRef& replacement) {
    return Replace(GRecordQuery::ByClass(classId), object, imp, replacement);
}

bool GRecord::ReplaceById(uint32_t id, const GCountedPtr& object, MPersistentCompositeOnDiskImp& imp,
                          GRecordRef& replacement) {
    return Replace(GRecordQuery::ById(id), object, imp, replacement);
}

bool GRecord::ReplaceEqual(const MPersistentObject* target, const GCountedPtr& object,
                           MPersistentCompositeOnDiskImp& imp, GRecordRef& replacement) {
    return Replace(GRecordQuery::Equal(target), object, imp, replacement);
}

GCountedPtr GRecord::FindByClass(RWClassID classId, MPersistentCompositeOnDiskImp& imp) {
    return Find(GRecordQuery::ByClass(classId), imp);
}

GCountedPtr GRecord::FindById(uint32_t id, MPersistentCompositeOnDiskImp& imp) {
    return Find(GRecordQuery::ById(id), imp);
}

GCountedPtr GRecord::FindEqual(const MPersistentObject* object, MPersistentCompositeOnDiskImp& imp) {
    return Find(GRecordQuery::Equal(object), imp);
}
