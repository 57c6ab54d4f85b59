#pragma once
// A B-tree in a RWFileSpaceManager file, mapping fixed-length keys of K
// bytes to 32-bit values. Its header and every node are blocks of that
// file; nodes go through a write-through RWDiskNodeCache.
//
// Header, one 40-byte block, little-endian:
//
//   offset  width  field
//   0       i32    offset of the root node; -1 when the tree is empty
//   4       i32    reserved, written as -1, never read
//   8       u32    version 512
//   12      u32    number of entries
//   16      u32    key length K
//   20      u32    order N (a node holds at most 2N keys)
//   24      u32    minimum fill M (a node other than the root that falls
//                  below M keys is refilled)
//   28      i32    reserved, written as -1, never read
//   32      u32    reserved, written as 0, never read
//   36      u32    flags: bit 0 = binary keys
//
// Nodes: see RWDiskTreeNode. A text key is copied with at most K bytes and
// padded with NULs, and compared bounded by K (stopping at a NUL); a binary
// key is K bytes compared as unsigned bytes.
//
// Header-less mode (opened in mode 1, or a header whose version is not
// 512): only the root offset is kept, as one i32 in the file's first block;
// the parameters come from the constructor and the entry count is counted
// by a walk when first asked for.
//
// Every change reaches the file at once, apart from the entry count in the
// header, which is written whenever the root changes and when the tree is
// destroyed while its file is open for update.
//
// The file is untrusted: header parameters, node counts and child offsets
// are checked, walks are bounded by the nodes the file can hold and by a
// depth no balanced tree reaches, and anything else raises the file's read
// error (the class library's file error), as failed node reads do; failed
// node writes raise the write error.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "rw/RWDiskTreeNode.h"

class RWCString;
class RWDiskNodeCache;
class RWFileSpaceManager;

class RWDiskBTree {
public:
    using Compare = RWDiskTreeNode::Compare;
    // Called by Apply with the stored key (K bytes and a NUL after them).
    using ApplyFunction = void (*)(const char* key, uint32_t value, void* argument);

    static constexpr uint32_t kNone = 0xFFFFFFFF;
    static constexpr uint32_t kVersion = 512;
    static constexpr uint32_t kHeaderSize = 40;
    static constexpr uint32_t kBinaryKeys = 1;
    // Deeper than any balanced tree in a 2 GB file can be.
    static constexpr int kMaxDepth = 64;

    // Opens the tree kept in file, or creates it:
    // - mode 1: header-less with the given parameters; a file without first
    //   block gets a 4-byte one holding root -1;
    // - else the header at headerOffset, or (kNone) at the file's first
    //   block; with create set, or when the file has no first block yet, a
    //   new header is allocated (on a fresh file it becomes the first block)
    //   and written first.
    // A header whose version is not 512 switches to header-less mode.
    RWDiskBTree(RWFileSpaceManager& file, uint32_t buffers, bool create, uint32_t keyLength, uint32_t flags,
                uint32_t headerOffset = kNone, int mode = 0, uint32_t order = 10, uint32_t minimum = 10);
    RWDiskBTree(const RWDiskBTree&) = delete;
    RWDiskBTree& operator=(const RWDiskBTree&) = delete;
    // Writes the header back when the file is open for update, then drops
    // the cache (flushing the file).
    ~RWDiskBTree();

    // True when found: the stored key (a text key up to its NUL, a binary
    // key as K bytes) and its value. False and value -1 otherwise.
    bool FindKeyAndValue(const char* key, RWCString& foundKey, uint32_t& value);
    // True when inserted; false when the key is already there (nothing
    // changes).
    bool InsertKeyAndValue(const char* key, uint32_t value);
    // True when removed, with the stored key and its value.
    bool Remove(const char* key, RWCString& removedKey, uint32_t& value);
    // True when the key was found and its value replaced in place.
    bool ReplaceValue(const char* key, uint32_t newValue, uint32_t& oldValue);
    // Frees every node and empties the tree.
    void ClearAll();
    uint32_t Entries();
    // Levels, following first children from the root (0 when empty).
    uint32_t Height();
    // Every entry in ascending key order.
    void Apply(ApplyFunction function, void* argument);
    // Each returns the previous setting. A different cache size replaces
    // the cache by a new empty one.
    Compare SetComparison(Compare compare);
    uint32_t SetCacheBlocks(uint32_t count);

    // Writes the header (or, header-less, the root offset) now.
    void WriteHeader();

    uint32_t Order() const { return order_; }
    uint32_t KeyLength() const { return keyLength_; }
    uint32_t Minimum() const { return minimum_; }
    uint32_t NodeSize() const { return nodeSize_; }
    uint32_t HeaderOffset() const { return headerOffset_; }
    uint32_t RootOffset() const { return root_; }
    bool IsHeaderless() const { return headerless_; }

    // The comparisons the tree chooses: unsigned bytes, and text bounded by
    // the key length.
    static int CompareBinary(const char* a, const char* b, size_t keyLength);
    static int CompareText(const char* a, const char* b, size_t keyLength);

private:
    struct Handed; // what a split hands up to the parent
    enum class Removal { NotFound, Fine, Short };
    struct Walk;

    void InitHeader(uint32_t keyLength, uint32_t order, uint32_t minimum, uint32_t flags);
    void ReadHeader();
    void ResetHeader();
    void SetUpBuffers(uint32_t buffers);
    void CheckParameters() const;
    uint32_t FirstBlockOrRaise() const;

    RWDiskTreeNode ReadNode(uint32_t offset);
    void WriteNode(uint32_t offset, const RWDiskTreeNode& node);
    uint32_t AllocateNode(const RWDiskTreeNode& node);
    // The key as the tree stores it: K bytes.
    std::string KeyForm(const char* key) const;
    RWCString StoredKey(const char* key) const;
    bool KeysEqual(const char* a, const char* b) const { return compare_(a, b, keyLength_) == 0; }
    void SetRoot(uint32_t root);

    int InsertInto(uint32_t offset, const std::string& key, uint32_t value, Handed& handed, int depth);
    void SplitNode(RWDiskTreeNode& node, uint32_t offset, uint32_t position, Handed& handed);
    Removal RemoveFrom(uint32_t offset, const std::string& key, bool isRoot, RWCString& removedKey,
                       uint32_t& value, int depth);
    void SwapWithSuccessor(RWDiskTreeNode& node, uint32_t offset, uint32_t position);
    Removal FixUnderflow(uint32_t offset, uint32_t position, bool isRoot);
    void BorrowFromLeft(RWDiskTreeNode& node, uint32_t offset, uint32_t position);
    void BorrowFromRight(RWDiskTreeNode& node, uint32_t offset, uint32_t position);
    void MergeWithRight(RWDiskTreeNode& node, uint32_t offset, uint32_t position);
    void FreeSubtree(uint32_t offset, Walk& walk, int depth);
    void ApplyNode(uint32_t offset, ApplyFunction function, void* argument, Walk& walk, int depth);
    uint32_t CountNode(uint32_t offset, Walk& walk, int depth);
    // The most nodes the file's used space can hold.
    uint64_t MaxNodes();

    RWFileSpaceManager& file_;
    std::unique_ptr<RWDiskNodeCache> cache_;
    uint32_t buffers_ = 0;
    Compare compare_ = nullptr;
    uint32_t headerOffset_ = kNone;
    bool headerless_ = false;
    // The header's fields.
    uint32_t root_ = kNone;
    uint32_t version_ = kVersion;
    uint32_t entries_ = 0;
    uint32_t keyLength_ = 0;
    uint32_t order_ = 0;
    uint32_t minimum_ = 0;
    uint32_t flags_ = 0;
    uint32_t nodeSize_ = 0;
};
