#pragma once
// A persistent composite whose children live in a file (class id 781,
// registered as "MPersistentCompositeOnDisk"). A child handed to it is
// written to the file as an object graph and only its record stays in
// memory; finding, removing or replacing a child reads it back (a new object
// every time). All composites naming one file share one
// MPersistentCompositeOnDiskImp, which owns the file (its format is
// described there).
//
// A composite is open (1) or closed (2). Opening attaches it to the shared
// implementation of its file name, closing detaches it; the last composite
// (or copy) to let go closes the file, which writes the index. Every child
// operation opens a closed composite first, on its file name. A composite
// restored from a saved graph is open on the saved name (it attaches to the
// file when first used, so that the file's own index is never read inside
// the restore of another graph).
//
// The counted child operations are the composite's; the pointer-based ones
// of the root do nothing here. A child that is itself an on-disk composite
// is kept as a proxy holding a copy of it, which keeps its file open; one
// cannot be kept in its own file, and questions passed on through files
// that hold each other stop after a few files. With mode 1 the file is deleted when the
// composite is destroyed, once the file has been closed.
//
// Saved form (after the root's): u32 version 1, i32 state, the file name
// (u32 length, then the characters), i32 mode.
#include <cstdint>
#include <memory>

#include "model/MPersistentClass.h"
#include "model/MPersistentObject.h"
#include "rw/RWCString.h"
#include "rw/RWWString.h"

class MPersistentCompositeOnDiskImp;

class MPersistentCompositeOnDisk : public MPersistentObject {
    MPERSISTENT_CLASS_MEMBERS(MPersistentCompositeOnDisk, MPersistentObject, 781)
    RW_DECLARE_GUTS()

public:
    static constexpr int32_t kOpen = 1;
    static constexpr int32_t kClosed = 2;
    // The mode that deletes the file with the composite.
    static constexpr int32_t kDeleteFile = 1;

    // Closed, no file name (the factory's object, mode 0).
    MPersistentCompositeOnDisk() = default;
    explicit MPersistentCompositeOnDisk(int32_t mode) : mode_(mode) {}
    // Opens the file (the name converted to the ANSI code page); the mode and
    // the id are read from the words given (0 for null).
    MPersistentCompositeOnDisk(const RWWString& fileName, const int32_t* mode, const uint32_t* id);
    // Same id, serial, name and mode; open on the source's implementation,
    // or opening the file itself: a copy is always open.
    MPersistentCompositeOnDisk(const MPersistentCompositeOnDisk& other);
    // Nothing for itself or a composite on the same implementation; else the
    // root's fields, mode, implementation, name and state are taken over.
    MPersistentCompositeOnDisk& operator=(const MPersistentCompositeOnDisk& other);
    // Closes; with mode 1 the file is then deleted.
    ~MPersistentCompositeOnDisk() override;

    // The root's size + 16 + the name's length.
    uint32_t BinaryStoreSize() const override;
    // Same class, file name, state, implementation and mode.
    bool IsEqualId(const MPersistentObject* other) const override;

    void Open(const RWCString& fileName);
    void Close();
    int32_t GetState() const { return state_; }
    RWCString GetFileName() const { return fileName_; }
    // When attached, takes the implementation's error; returns the last one
    // taken.
    int32_t GetFileError();
    int32_t GetMode() const { return mode_; }
    // The shared implementation (null while not attached).
    MPersistentCompositeOnDiskImp* Implementation() const;

    void AddCounted(const GCountedPtr& pointer) override;
    void AddCountedFirst(const GCountedPtr& pointer) override;
    GCountedPtr RemoveCountedEqual(const MPersistentObject* object) override;
    GCountedPtr RemoveCountedById(uint32_t id) override;
    GCountedPtr RemoveCountedByClass(RWClassID classId) override;
    int ReplaceCountedById(uint32_t id, const GCountedPtr& pointer) override;
    int ReplaceCountedByClass(RWClassID classId, const GCountedPtr& pointer) override;
    void RemoveAll() override;
    GCountedPtr FindCountedById(uint32_t id) override;
    GCountedPtr FindCountedByClass(RWClassID classId) override;
    GCountedPtr FindCountedEqual(const MPersistentObject* object) override;
    MPersistentObject* AsComposite() override;
    // The index's record count.
    uint32_t GetCount() const override;
    uint32_t GetSubtreeSize() const override;
    // Walks the top-level records (MPersistentCompositeOnDiskIterator).
    std::unique_ptr<MPersistentIterator> CreateIterator() override;
    // Replaces the child with target's serial by the object.
    virtual int ReplaceCountedEqual(const MPersistentObject* target, const GCountedPtr& pointer);

private:
    // The implementation, attaching (opening) first when needed.
    MPersistentCompositeOnDiskImp& Imp();
    // Lets go of the implementation; the last holder's release closes the file.
    void Detach();

    RWCString fileName_;
    int32_t state_ = kClosed;
    GCountedPtr imp_; // null while not attached
    int32_t mode_ = 0;
    int32_t fileError_ = 0;
};
