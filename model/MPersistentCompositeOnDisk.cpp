#include "model/MPersistentCompositeOnDisk.h"

#include <cstdio>
#include <utility>

#include "model/GStringConversion.h"
#include "model/MPersistentCompositeOnDiskFiles.h"
#include "model/MPersistentCompositeOnDiskImp.h"
#include "model/MPersistentCompositeOnDiskIterator.h"

MPersistentCompositeOnDisk::MPersistentCompositeOnDisk(const RWWString& fileName, const int32_t* mode,
                                                       const uint32_t* id)
    : MPersistentObject(id != nullptr ? *id : 0), mode_(mode != nullptr ? *mode : 0) {
    RWCString narrow;
    // A name the code page cannot spell names no file.
    if (ConvertWideToNarrow(fileName, narrow) != 0 && !narrow.IsNull()) Open(narrow);
}

MPersistentCompositeOnDisk::MPersistentCompositeOnDisk(const MPersistentCompositeOnDisk& other)
    : MPersistentObject(other), fileName_(other.fileName_), mode_(other.mode_) {
    RWLazyLockGuard guard(MPersistentCompositeOnDiskFiles::Lock());
    if (other.state_ == kOpen) {
        state_ = kOpen;
        imp_ = other.imp_; // null: attaches on first use, as the source would
    } else if (!fileName_.IsNull()) {
        Open(fileName_);
    }
}

MPersistentCompositeOnDisk& MPersistentCompositeOnDisk::operator=(const MPersistentCompositeOnDisk& other) {
    RWLazyLockGuard guard(MPersistentCompositeOnDiskFiles::Lock());
    if (this == &other || (imp_ && imp_.Get() == other.imp_.Get())) return *this;
    Detach();
    MPersistentObject::operator=(other);
    mode_ = other.mode_;
    imp_ = other.imp_;
    fileName_ = other.fileName_;
    state_ = other.state_;
    return *this;
}

MPersistentCompositeOnDisk::~MPersistentCompositeOnDisk() {
    RWLazyLockGuard guard(MPersistentCompositeOnDiskFiles::Lock());
    Close();
    // Only a closed file is deleted: another composite may still use it.
    if (mode_ == kDeleteFile && !fileName_.IsNull() && !MPersistentCompositeOnDiskFiles::Find(fileName_))
        std::remove(fileName_.Data());
}

void MPersistentCompositeOnDisk::Open(const RWCString& fileName) {
    RWLazyLockGuard guard(MPersistentCompositeOnDiskFiles::Lock());
    if (state_ == kOpen) return;
    GCountedPtr imp = MPersistentCompositeOnDiskFiles::Find(fileName);
    if (!imp) {
        imp = GCountedPtr(std::make_unique<MPersistentCompositeOnDiskImp>(fileName, GetId()));
        MPersistentCompositeOnDiskFiles::Add(fileName, imp);
    }
    imp_ = std::move(imp);
    fileName_ = fileName;
    state_ = kOpen;
}

void MPersistentCompositeOnDisk::Close() {
    RWLazyLockGuard guard(MPersistentCompositeOnDiskFiles::Lock());
    if (state_ == kClosed) return;
    state_ = kClosed;
    Detach();
}

void MPersistentCompositeOnDisk::Detach() {
    if (!imp_) return;
    imp_.Reset();
    MPersistentCompositeOnDiskFiles::ReleaseIfUnused(fileName_);
}

MPersistentCompositeOnDiskImp& MPersistentCompositeOnDisk::Imp() {
    RWLazyLockGuard guard(MPersistentCompositeOnDiskFiles::Lock());
    if (!imp_) {
        // Open, or restored open: attach to the file now.
        state_ = kClosed;
        Open(fileName_);
    }
    return *imp_.As<MPersistentCompositeOnDiskImp>();
}

MPersistentCompositeOnDiskImp* MPersistentCompositeOnDisk::Implementation() const {
    return imp_.As<MPersistentCompositeOnDiskImp>();
}

int32_t MPersistentCompositeOnDisk::GetFileError() {
    if (MPersistentCompositeOnDiskImp* imp = Implementation()) fileError_ = imp->GetError();
    return fileError_;
}

uint32_t MPersistentCompositeOnDisk::BinaryStoreSize() const {
    return MPersistentObject::BinaryStoreSize() + 16 + static_cast<uint32_t>(fileName_.Length());
}

template <class Carrier> void MPersistentCompositeOnDisk::SaveGutsTo(Carrier& carrier) const {
    MPersistentObject::SaveGuts(carrier);
    GWriteClassVersion(carrier);
    RWSaveI32(carrier, state_);
    RWSaveString(carrier, fileName_);
    RWSaveI32(carrier, mode_);
}

template <class Carrier> void MPersistentCompositeOnDisk::RestoreGutsFrom(Carrier& carrier) {
    MPersistentObject::RestoreGuts(carrier);
    if (!GReadClassVersion(carrier)) return;
    int32_t state = 0, mode = 0;
    RWCString fileName;
    if (!RWRestoreI32(carrier, state) || !RWRestoreString(carrier, fileName) || !RWRestoreI32(carrier, mode))
        return;
    RWLazyLockGuard guard(MPersistentCompositeOnDiskFiles::Lock());
    Close();
    fileName_ = fileName;
    mode_ = mode;
    // Open whatever state was saved; the file is attached on first use.
    state_ = kOpen;
}

RW_DEFINE_GUTS(MPersistentCompositeOnDisk)

bool MPersistentCompositeOnDisk::IsEqualId(const MPersistentObject* other) const {
    const auto* composite = dynamic_cast<const MPersistentCompositeOnDisk*>(other);
    return composite != nullptr && composite->IsA() == IsA() && composite->fileName_ == fileName_ &&
           composite->state_ == state_ && composite->imp_.Get() == imp_.Get() && composite->mode_ == mode_;
}

void MPersistentCompositeOnDisk::AddCounted(const GCountedPtr& pointer) {
    Imp().AddCounted(pointer);
}

void MPersistentCompositeOnDisk::AddCountedFirst(const GCountedPtr& pointer) {
    Imp().AddCountedFirst(pointer);
}

GCountedPtr MPersistentCompositeOnDisk::RemoveCountedEqual(const MPersistentObject* object) {
    return Imp().RemoveCountedEqual(object);
}

GCountedPtr MPersistentCompositeOnDisk::RemoveCountedById(uint32_t id) {
    return Imp().RemoveCountedById(id);
}

GCountedPtr MPersistentCompositeOnDisk::RemoveCountedByClass(RWClassID classId) {
    return Imp().RemoveCountedByClass(classId);
}

int MPersistentCompositeOnDisk::ReplaceCountedById(uint32_t id, const GCountedPtr& pointer) {
    return Imp().ReplaceCountedById(id, pointer);
}

int MPersistentCompositeOnDisk::ReplaceCountedByClass(RWClassID classId, const GCountedPtr& pointer) {
    return Imp().ReplaceCountedByClass(classId, pointer);
}

int MPersistentCompositeOnDisk::ReplaceCountedEqual(const MPersistentObject* target,
                                                    const GCountedPtr& pointer) {
    return Imp().ReplaceCountedEqual(target, pointer);
}

void MPersistentCompositeOnDisk::RemoveAll() {
    Imp().RemoveAll();
}

GCountedPtr MPersistentCompositeOnDisk::FindCountedById(uint32_t id) {
    return Imp().FindCountedById(id);
}

GCountedPtr MPersistentCompositeOnDisk::FindCountedByClass(RWClassID classId) {
    return Imp().FindCountedByClass(classId);
}

GCountedPtr MPersistentCompositeOnDisk::FindCountedEqual(const MPersistentObject* object) {
    return Imp().FindCountedEqual(object);
}

MPersistentObject* MPersistentCompositeOnDisk::AsComposite() {
    return this;
}

uint32_t MPersistentCompositeOnDisk::GetCount() const {
    return const_cast<MPersistentCompositeOnDisk*>(this)->Imp().GetCount();
}

uint32_t MPersistentCompositeOnDisk::GetSubtreeSize() const {
    return const_cast<MPersistentCompositeOnDisk*>(this)->Imp().GetSubtreeSize();
}

std::unique_ptr<MPersistentIterator> MPersistentCompositeOnDisk::CreateIterator() {
    return std::make_unique<MPersistentCompositeOnDiskIterator>(*this, Imp());
}
