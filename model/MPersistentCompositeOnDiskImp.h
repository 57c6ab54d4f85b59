#pragma once
// What all on-disk composites naming one file share (class id 782,
// registered as "MPersistentCompositeOnDiskImp"): the open file, its B-tree
// and the index of records, one per child added at the top level.
//
// The file (little-endian): a heap of blocks (rw/RWFileSpaceManager.h)
// whose first block is the B-tree's 40-byte header (rw/RWDiskBTree.h: 16-byte
// text keys, order 10, minimum 10). Every stored object is one blob, an
// object graph in the binary-file form (u32 0x8888, then class id and guts),
// in a block of exactly its recursive store size, under the key of its
// serial in lowercase hexadecimal (1a for serial 26). A stored composite is
// a shell blob (an empty object of its class with its id and serial) plus
// one blob per descendant; its record mirrors its shape. While the file is
// closed one more key, "IndexOfRecords", names the blob of the index; it is
// removed (and its block freed) when the file is opened again, and written
// afresh when it closes.
//
// Failures: a file that cannot be opened leaves no file and no tree and the
// error flag 1; a damaged heap, tree or index raises the library's error and
// opens nothing (the file is left as it was). The error flag is sticky: once set, no more records are
// made. It is also set when an object's serial already has a blob (a copy of
// a stored object, or the same object twice): nothing is written for it, and
// a composite whose descendant met this leaves no blob behind. Seek, read
// and write failures and damaged blobs raise the class library's errors.
//
// Saved form: the root's guts and u32 version 1 (the file is not saved).
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/GRecordComposite.h"
#include "model/GRecordRef.h"
#include "model/MPersistentClass.h"
#include "model/MPersistentObject.h"
#include "rw/RWCString.h"

class RWDiskBTree;
class RWFileSpaceManager;

class MPersistentCompositeOnDiskImp : public MPersistentObject {
    MPERSISTENT_CLASS_MEMBERS(MPersistentCompositeOnDiskImp, MPersistentObject, 782)
    RW_DECLARE_GUTS()

public:
    static constexpr const char* kIndexKey = "IndexOfRecords";
    // More top-level records than this are refused unless forced.
    static constexpr uint32_t kMaxRecords = 0x3FFFFFEF;

    // Without file, tree or name; an empty index.
    MPersistentCompositeOnDiskImp();
    // Opens (or creates) the file.
    MPersistentCompositeOnDiskImp(const RWCString& fileName, uint32_t id);
    // Without file, tree or name, like the default.
    MPersistentCompositeOnDiskImp(const MPersistentCompositeOnDiskImp& other);
    // Changes nothing.
    MPersistentCompositeOnDiskImp& operator=(const MPersistentCompositeOnDiskImp& other);
    // Writes the index and closes the file.
    ~MPersistentCompositeOnDiskImp() override;

    // The root's size + 4.
    uint32_t BinaryStoreSize() const override;
    // The same class, the root's test, and the same record objects in the
    // same order in both indexes.
    bool IsEqualId(const MPersistentObject* other) const override;

    // The child operations of the on-disk composite; the changing ones and
    // the finds hold the on-disk lock.
    void AddCounted(const GCountedPtr& pointer) override;
    void AddCountedFirst(const GCountedPtr& pointer) override;
    GCountedPtr RemoveCountedEqual(const MPersistentObject* object) override;
    GCountedPtr RemoveCountedById(uint32_t id) override;
    GCountedPtr RemoveCountedByClass(RWClassID classId) override;
    int ReplaceCountedById(uint32_t id, const GCountedPtr& pointer) override;
    int ReplaceCountedByClass(RWClassID classId, const GCountedPtr& pointer) override;
    int ReplaceCountedEqual(const MPersistentObject* target, const GCountedPtr& pointer);
    // Empties the file: it is erased and formatted afresh, the index emptied.
    void RemoveAll() override;
    GCountedPtr FindCountedById(uint32_t id) override;
    GCountedPtr FindCountedByClass(RWClassID classId) override;
    GCountedPtr FindCountedEqual(const MPersistentObject* object) override;
    // The index's record count (GRecord::Count).
    uint32_t GetCount() const override;
    uint32_t GetSubtreeSize() const override;

    // A record for object, its blob written (forced: even past kMaxRecords).
    // A top-level store adds the record to the index. Null when no record
    // was made (the error flag says why).
    GRecordRef StoreObject(MPersistentObject* object, bool forced);
    // The record's object read back (a new object on every call); the blob
    // stays, or (LoadAndRemove) is removed with its key. A composite record
    // rebuilds the composite from its shell and its children's blobs.
    GCountedPtr Load(GRecord& record);
    GCountedPtr LoadAndRemove(GRecord& record);
    // When the record's key is in the file: the old object is dropped and
    // object stored in its place; replacement receives its record. False
    // when the key was not there.
    bool ReplaceRecord(GRecord& record, const GCountedPtr& object, GRecordRef& replacement);
    // Takes the object of one top-level record out (the iterator's remove).
    GCountedPtr TakeLink(GRecordComposite::Link* link);

    // 1 once any file step failed (or while the open file reports an error).
    int GetError() const;
    const RWCString& FileName() const { return fileName_; }
    GRecordComposite& Index() { return index_; }
    const GRecordComposite& Index() const { return index_; }
    RWFileSpaceManager* File() const { return file_.get(); }
    RWDiskBTree* Tree() const { return tree_.get(); }

private:
    void OpenFile();
    void CloseFile();
    void RestoreIndex();
    void SaveIndex();
    GRecordRef Store(MPersistentObject* object, bool forced, bool topLevel, std::vector<RWCString>& written);
    GRecordRef StoreAndRollBack(MPersistentObject* object, bool forced, bool topLevel);
    bool WriteBlob(const GRecord& record, const MPersistentObject& object);
    // Removes the blobs of a store that did not complete.
    void DiscardBlobs(const std::vector<RWCString>& keys);
    GCountedPtr LoadRecord(GRecord& record, bool remove);
    // Runs a step that may raise a file error: the error flag is set and the
    // error goes on to the caller.
    template <typename Step> auto Guarded(Step step) -> decltype(step());

    std::unique_ptr<RWFileSpaceManager> file_;
    std::unique_ptr<RWDiskBTree> tree_;
    GRecordComposite index_;
    RWCString fileName_;
    int error_ = 0;
};
