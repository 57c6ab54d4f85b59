#include "model/MPersistentCompositeOnDiskImp.h"

#include <cstring>

#include "model/GRecordProxy.h"
#include "model/MPersistentCompositeOnDisk.h"
#include "model/MPersistentCompositeOnDiskFiles.h"
#include "model/MPersistentIterator.h"
#include "rw/RWCarrier.h"
#include "rw/RWDiskBTree.h"
#include "rw/RWFileSpaceManager.h"
#include "rw/RWLibraryError.h"

namespace {
// The on-disk composites' own classes: stored as proxies, added back with
// AddCounted.
constexpr RWClassID kOnDiskComposite = 781;
constexpr RWClassID kCommandCompositeOnDisk = 606;
// The page end, and the command that may follow the classes before it,
// are stored even when the index is full.
constexpr RWClassID kPageEnd = 710;
constexpr RWClassID kAfterPageCommand = 703;
constexpr RWClassID kPageCommandA = 702;
constexpr RWClassID kPageCommandB = 661;
// Deeper composites than any graph restore accepts are refused.
constexpr int kMaxStoreDepth = 256;

// The class of the object stored last, process-wide, under the on-disk lock.
RWClassID gLastStoredClass = 0;

bool IsOnDiskComposite(RWClassID classId) {
    return classId == kOnDiskComposite || classId == kCommandCompositeOnDisk;
}

std::unique_ptr<MPersistentObject> AsPersistent(RWCollectable* made) {
    std::unique_ptr<RWCollectable> owned(made);
    auto* object = dynamic_cast<MPersistentObject*>(owned.get());
    if (object == nullptr) return nullptr;
    owned.release();
    return std::unique_ptr<MPersistentObject>(object);
}
} // namespace

MPersistentCompositeOnDiskImp::MPersistentCompositeOnDiskImp() = default;

MPersistentCompositeOnDiskImp::MPersistentCompositeOnDiskImp(const RWCString& fileName, uint32_t id)
    : MPersistentObject(id), fileName_(fileName) {
    OpenFile();
}

MPersistentCompositeOnDiskImp::MPersistentCompositeOnDiskImp(const MPersistentCompositeOnDiskImp& other)
    : MPersistentObject(other) {}

MPersistentCompositeOnDiskImp&
MPersistentCompositeOnDiskImp::operator=(const MPersistentCompositeOnDiskImp&) {
    return *this;
}

MPersistentCompositeOnDiskImp::~MPersistentCompositeOnDiskImp() {
    RWLazyLockGuard guard(MPersistentCompositeOnDiskFiles::Lock());
    CloseFile();
}

template <typename Step> auto MPersistentCompositeOnDiskImp::Guarded(Step step) -> decltype(step()) {
    try {
        return step();
    } catch (...) {
        error_ = 1;
        throw;
    }
}

void MPersistentCompositeOnDiskImp::OpenFile() {
    error_ = 0;
    index_.Clear();
    file_ = std::make_unique<RWFileSpaceManager>(fileName_.Data());
    if (!file_->IsValid()) {
        file_.reset();
        error_ = 1;
        return;
    }
    const bool existed = std::strcmp(file_->GetMode(), "rb+") == 0;
    if (!file_->Error()) {
        tree_ = std::make_unique<RWDiskBTree>(*file_, 10, false, 16, 0, RWDiskBTree::kNone, 0, 10, 10);
        tree_->SetComparison(&RWDiskBTree::CompareText);
    }
    if (existed && tree_ != nullptr && !file_->Error()) RestoreIndex();
    if (file_->Error()) error_ = 1;
}

void MPersistentCompositeOnDiskImp::RestoreIndex() {
    RWCString key;
    uint32_t offset = 0;
    // A file whose writer ended without closing has no index: it starts empty.
    if (!tree_->FindKeyAndValue(kIndexKey, key, offset)) return;
    file_->SeekOrRaise(offset);
    *file_ >> index_;
    if (!RWRestoreGood(*file_)) {
        // A damaged index names no blob reliably: the file is refused, and
        // left as it was.
        index_.Clear();
        file_->RaiseReadError();
    }
    tree_->Remove(kIndexKey, key, offset);
    file_->Deallocate(offset);
}

void MPersistentCompositeOnDiskImp::CloseFile() {
    if (file_ != nullptr && tree_ != nullptr && !file_->Error()) {
        try {
            SaveIndex();
        } catch (const RWLibraryError&) {
            // Closing cannot report: the file keeps its blobs, without index.
            error_ = 1;
        }
    }
    tree_.reset(); // writes its header back
    file_.reset();
}

void MPersistentCompositeOnDiskImp::SaveIndex() {
    const uint32_t size = index_.RecursiveStoreSize();
    const uint32_t offset = file_->Allocate(size);
    if (offset == RWFileSpaceManager::kNoOffset) {
        error_ = 1;
        return;
    }
    file_->SeekOrRaise(offset);
    index_.RecursiveSaveOn(*file_);
    if (file_->Error()) {
        error_ = 1;
        return;
    }
    if (!tree_->InsertKeyAndValue(kIndexKey, offset)) {
        // An index key left behind by a damaged file: the fresh one replaces it.
        uint32_t old = 0;
        tree_->ReplaceValue(kIndexKey, offset, old);
        file_->Deallocate(old);
    }
    if (!file_->Flush()) error_ = 1;
}

int MPersistentCompositeOnDiskImp::GetError() const {
    return error_ != 0 || (file_ != nullptr && file_->Error()) ? 1 : 0;
}

uint32_t MPersistentCompositeOnDiskImp::BinaryStoreSize() const {
    return MPersistentObject::BinaryStoreSize() + 4;
}

template <class Carrier> void MPersistentCompositeOnDiskImp::SaveGutsTo(Carrier& carrier) const {
    MPersistentObject::SaveGuts(carrier);
    GWriteClassVersion(carrier);
}

template <class Carrier> void MPersistentCompositeOnDiskImp::RestoreGutsFrom(Carrier& carrier) {
    MPersistentObject::RestoreGuts(carrier);
    GReadClassVersion(carrier);
}

RW_DEFINE_GUTS(MPersistentCompositeOnDiskImp)

bool MPersistentCompositeOnDiskImp::IsEqualId(const MPersistentObject* other) const {
    const auto* imp = dynamic_cast<const MPersistentCompositeOnDiskImp*>(other);
    if (imp == nullptr || imp->IsA() != IsA() || !MPersistentObject::IsEqualId(other)) return false;
    if (imp->index_.Entries() != index_.Entries()) return false;
    std::vector<const GRecord*> mine, theirs;
    index_.ForEach([&mine](GRecord& record) {
        mine.push_back(&record);
        return true;
    });
    imp->index_.ForEach([&theirs](GRecord& record) {
        theirs.push_back(&record);
        return true;
    });
    return mine == theirs;
}

GRecordRef MPersistentCompositeOnDiskImp::StoreObject(MPersistentObject* object, bool forced) {
    RWLazyLockGuard guard(MPersistentCompositeOnDiskFiles::Lock());
    if (object == nullptr) return GRecordRef();
    return Guarded([&] { return StoreAndRollBack(object, forced, true); });
}

GRecordRef MPersistentCompositeOnDiskImp::StoreAndRollBack(MPersistentObject* object, bool forced,
                                                           bool topLevel) {
    std::vector<RWCString> written;
    GRecordRef record = Store(object, forced, topLevel, written);
    if (!record) DiscardBlobs(written);
    return record;
}

GRecordRef MPersistentCompositeOnDiskImp::Store(MPersistentObject* object, bool forced, bool topLevel,
                                                std::vector<RWCString>& written) {
    thread_local int depth = 0;
    struct Depth {
        Depth() { ++depth; }
        ~Depth() { --depth; }
    } nested;
    if (error_ != 0 || file_ == nullptr || tree_ == nullptr || depth > kMaxStoreDepth) {
        error_ = 1;
        return GRecordRef();
    }
    const RWClassID classId = object->IsA();
    if (!forced && index_.Entries() > kMaxRecords && classId != kPageEnd &&
        !(classId == kAfterPageCommand &&
          (gLastStoredClass == kPageCommandA || gLastStoredClass == kPageCommandB)))
        return GRecordRef(); // the object stays with the caller
    gLastStoredClass = classId;

    GRecordRef record;
    const MPersistentObject* blob = object;
    std::unique_ptr<MPersistentObject> shell;
    if (IsOnDiskComposite(classId)) {
        // A composite kept inside its own file could never be read back.
        const auto* onDisk = dynamic_cast<const MPersistentCompositeOnDisk*>(object);
        if (onDisk != nullptr && onDisk->GetFileName() == fileName_) {
            error_ = 1;
            return GRecordRef();
        }
        record.Reset(new GRecordProxy(*object));
    } else if (object->AsComposite() == nullptr) {
        record.Reset(new GRecord(*object));
    } else {
        auto* composite = new GRecordComposite(*object);
        record.Reset(composite);
        std::unique_ptr<MPersistentIterator> children = object->CreateIterator();
        while (children != nullptr && children->Advance()) {
            MPersistentObject* child = children->Current();
            if (child == nullptr) continue;
            GRecordRef childRecord = Store(child, true, false, written);
            if (!childRecord) return GRecordRef();
            composite->AddRecord(childRecord);
        }
        // The composite itself is written as an empty shell of its class.
        shell = AsPersistent(object->NewSpecies());
        if (shell == nullptr) {
            error_ = 1;
            return GRecordRef();
        }
        shell->SetId(object->GetId());
        shell->SetSerial(object->GetSerial());
        blob = shell.get();
    }
    if (!WriteBlob(*record, *blob)) return GRecordRef();
    written.push_back(record->KeyText());
    if (topLevel) index_.AddRecord(record);
    return record;
}

bool MPersistentCompositeOnDiskImp::WriteBlob(const GRecord& record, const MPersistentObject& object) {
    const RWCString key = record.KeyText();
    RWCString stored;
    uint32_t existing = 0;
    if (tree_->FindKeyAndValue(key.Data(), stored, existing)) {
        // The serial already has a blob: this object is a copy of a stored
        // one, or stored twice. A second blob could not be found by its key.
        error_ = 1;
        return false;
    }
    const uint32_t size = object.RecursiveStoreSize();
    const uint32_t offset = file_->Allocate(size);
    if (offset == RWFileSpaceManager::kNoOffset) {
        error_ = 1;
        return false;
    }
    file_->SeekOrRaise(offset);
    object.RecursiveSaveOn(*file_);
    // A blob that does not fill its block exactly was sized wrongly: what
    // it wrote past its block belongs to its neighbour.
    if (file_->Error() || file_->CurOffset() != int64_t{offset} + size ||
        !tree_->InsertKeyAndValue(key.Data(), offset)) {
        file_->Deallocate(offset);
        error_ = 1;
        return false;
    }
    return true;
}

void MPersistentCompositeOnDiskImp::DiscardBlobs(const std::vector<RWCString>& keys) {
    for (const RWCString& key : keys) {
        RWCString stored;
        uint32_t offset = 0;
        if (tree_ != nullptr && tree_->Remove(key.Data(), stored, offset)) file_->Deallocate(offset);
    }
}

GCountedPtr MPersistentCompositeOnDiskImp::Load(GRecord& record) {
    RWLazyLockGuard guard(MPersistentCompositeOnDiskFiles::Lock());
    return Guarded([&] { return LoadRecord(record, false); });
}

GCountedPtr MPersistentCompositeOnDiskImp::LoadAndRemove(GRecord& record) {
    RWLazyLockGuard guard(MPersistentCompositeOnDiskFiles::Lock());
    return Guarded([&] { return LoadRecord(record, true); });
}

GCountedPtr MPersistentCompositeOnDiskImp::LoadRecord(GRecord& record, bool remove) {
    if (file_ == nullptr || tree_ == nullptr) return GCountedPtr();
    const RWCString key = record.KeyText();
    RWCString stored;
    uint32_t offset = 0;
    const bool present = remove ? tree_->Remove(key.Data(), stored, offset)
                                : tree_->FindKeyAndValue(key.Data(), stored, offset);
    if (!present) return GCountedPtr();
    file_->SeekOrRaise(offset);
    MPersistentObject* raw = nullptr;
    RestoreMPersistentObjectPtr(*file_, raw);
    GCountedPtr object(raw);
    if (!object) error_ = 1;
    if (remove) file_->Deallocate(offset);

    if (GRecordComposite* composite = record.AsRecordComposite()) {
        std::vector<GRecordRef> children;
        composite->ForEach([&children](GRecord& child) {
            children.emplace_back(&child);
            return true;
        });
        for (const GRecordRef& child : children) {
            // Removing goes on without a shell, so no blob is left behind.
            GCountedPtr loaded = LoadRecord(*child, remove);
            if (!object || !loaded) continue;
            if (IsOnDiskComposite(loaded->IsA())) {
                object->AddCounted(loaded);
            } else {
                object->Add(loaded.Get());
            }
        }
    }
    return object;
}

bool MPersistentCompositeOnDiskImp::ReplaceRecord(GRecord& record, const GCountedPtr& object,
                                                  GRecordRef& replacement) {
    RWLazyLockGuard guard(MPersistentCompositeOnDiskFiles::Lock());
    return Guarded([&] {
        if (tree_ == nullptr) return false;
        RWCString stored;
        uint32_t offset = 0;
        if (!tree_->FindKeyAndValue(record.KeyText().Data(), stored, offset)) return false;
        LoadRecord(record, true); // the old object is dropped
        if (object) replacement = StoreAndRollBack(object.Get(), true, false);
        return true;
    });
}

GCountedPtr MPersistentCompositeOnDiskImp::TakeLink(GRecordComposite::Link* link) {
    RWLazyLockGuard guard(MPersistentCompositeOnDiskFiles::Lock());
    return Guarded([&] {
        GRecordRef record = index_.RemoveLink(link);
        return record ? LoadRecord(*record, true) : GCountedPtr();
    });
}

void MPersistentCompositeOnDiskImp::AddCounted(const GCountedPtr& pointer) {
    if (pointer) StoreObject(pointer.Get(), false);
}

void MPersistentCompositeOnDiskImp::AddCountedFirst(const GCountedPtr& pointer) {
    AddCounted(pointer);
}

GCountedPtr MPersistentCompositeOnDiskImp::RemoveCountedEqual(const MPersistentObject* object) {
    RWLazyLockGuard guard(MPersistentCompositeOnDiskFiles::Lock());
    return Guarded([&] { return index_.TakeFromChildren(GRecordQuery::Equal(object), *this); });
}

GCountedPtr MPersistentCompositeOnDiskImp::RemoveCountedById(uint32_t id) {
    RWLazyLockGuard guard(MPersistentCompositeOnDiskFiles::Lock());
    return Guarded([&] { return index_.TakeFromChildren(GRecordQuery::ById(id), *this); });
}

GCountedPtr MPersistentCompositeOnDiskImp::RemoveCountedByClass(RWClassID classId) {
    RWLazyLockGuard guard(MPersistentCompositeOnDiskFiles::Lock());
    return Guarded([&] { return index_.TakeFromChildren(GRecordQuery::ByClass(classId), *this); });
}

int MPersistentCompositeOnDiskImp::ReplaceCountedById(uint32_t id, const GCountedPtr& pointer) {
    RWLazyLockGuard guard(MPersistentCompositeOnDiskFiles::Lock());
    return Guarded([&] { return index_.ReplaceInChildren(GRecordQuery::ById(id), pointer, *this) ? 1 : 0; });
}

int MPersistentCompositeOnDiskImp::ReplaceCountedByClass(RWClassID classId, const GCountedPtr& pointer) {
    RWLazyLockGuard guard(MPersistentCompositeOnDiskFiles::Lock());
    return Guarded(
        [&] { return index_.ReplaceInChildren(GRecordQuery::ByClass(classId), pointer, *this) ? 1 : 0; });
}

int MPersistentCompositeOnDiskImp::ReplaceCountedEqual(const MPersistentObject* target,
                                                       const GCountedPtr& pointer) {
    RWLazyLockGuard guard(MPersistentCompositeOnDiskFiles::Lock());
    return Guarded(
        [&] { return index_.ReplaceInChildren(GRecordQuery::Equal(target), pointer, *this) ? 1 : 0; });
}

void MPersistentCompositeOnDiskImp::RemoveAll() {
    RWLazyLockGuard guard(MPersistentCompositeOnDiskFiles::Lock());
    Guarded([&] {
        index_.Clear();
        tree_.reset();
        // Erasing leaves an empty file, which opening formats afresh.
        if (file_ != nullptr && !file_->Error()) file_->Erase();
        file_.reset();
        OpenFile();
    });
}

GCountedPtr MPersistentCompositeOnDiskImp::FindCountedById(uint32_t id) {
    RWLazyLockGuard guard(MPersistentCompositeOnDiskFiles::Lock());
    return Guarded([&] { return index_.FindInChildren(GRecordQuery::ById(id), *this); });
}

GCountedPtr MPersistentCompositeOnDiskImp::FindCountedByClass(RWClassID classId) {
    RWLazyLockGuard guard(MPersistentCompositeOnDiskFiles::Lock());
    return Guarded([&] { return index_.FindInChildren(GRecordQuery::ByClass(classId), *this); });
}

GCountedPtr MPersistentCompositeOnDiskImp::FindCountedEqual(const MPersistentObject* object) {
    RWLazyLockGuard guard(MPersistentCompositeOnDiskFiles::Lock());
    return Guarded([&] { return index_.FindInChildren(GRecordQuery::Equal(object), *this); });
}

uint32_t MPersistentCompositeOnDiskImp::GetCount() const {
    return index_.Count();
}

uint32_t MPersistentCompositeOnDiskImp::GetSubtreeSize() const {
    return index_.Count();
}
