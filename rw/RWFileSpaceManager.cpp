#include "rw/RWFileSpaceManager.h"

#include <cstdio>

#include "rw/RWCatalog.h"
#include "rw/RWCatalogMessage.h"
#include "rw/RWErrorHandler.h"
#include "rw/RWFreeListAllocator.h"
#include "rw/RWLibraryError.h"

namespace {
constexpr int kSeekError = 1;
constexpr int kReadError = 2;
constexpr int kWriteError = 3;
} // namespace

RWFileSpaceManager::RWFileSpaceManager(const char* name, const char* mode) : RWBinaryFile(name, mode) {
    if (!IsValid() || !Exists()) return;
    if (IsEmpty()) {
        Format();
    } else {
        ReadHeader();
    }
}

RWFileSpaceManager::~RWFileSpaceManager() {
    allocator_.reset();
}

void RWFileSpaceManager::Format() {
    SeekOrRaise(0);
    if (!Write(int32_t{-1}) || !Write(static_cast<int32_t>(kNewFileSize)) ||
        !Write(RWFreeList32Allocator::Block::kBlockSize))
        RaiseWriteError();
    firstBlock_ = -1;
    end_ = static_cast<int32_t>(kNewFileSize);
    allocator_ = std::make_unique<RWFreeList32Allocator>(*this, true);
}

void RWFileSpaceManager::ReadHeader() {
    SeekOrRaise(0);
    int32_t first = 0, end = 0;
    uint32_t blockSize = 0;
    if (!Read(first) || !Read(end) || !Read(blockSize)) RaiseReadError();
    if (blockSize != RWFreeList32Allocator::Block::kBlockSize &&
        blockSize != RWFreeListAllocator::Block::kBlockSize) {
        RWThrow(RWExternalError(RWCatalogMessage(RWTOOL_FLIST(),
                                                 static_cast<long>(RWFreeList32Allocator::Block::kBlockSize),
                                                 static_cast<long>(blockSize))));
    }
    // The used space holds at least the header and the first free-list block;
    // the first block, once there is one, lies inside it.
    const int64_t dataStart = HeaderSize() + int64_t{blockSize};
    if (end < dataStart || (first != -1 && (first < dataStart + 4 || first > end))) RaiseReadError();
    firstBlock_ = first;
    end_ = end;
    if (blockSize == RWFreeList32Allocator::Block::kBlockSize) {
        allocator_ = std::make_unique<RWFreeList32Allocator>(*this, false);
    } else {
        allocator_ = std::make_unique<RWFreeListAllocator>(*this, false);
    }
}

void RWFileSpaceManager::WriteHeaderWord(uint32_t offset, int32_t value) {
    SeekOrRaise(offset);
    if (!Write(value)) RaiseWriteError();
}

uint32_t RWFileSpaceManager::Allocate(uint32_t size) {
    if (allocator_ == nullptr) return kNoOffset;
    const uint32_t offset = allocator_->Allocate(size);
    if (firstBlock_ == -1 && offset != kNoOffset) {
        firstBlock_ = static_cast<int32_t>(offset);
        WriteHeaderWord(0, firstBlock_);
    }
    return offset;
}

void RWFileSpaceManager::Deallocate(uint32_t offset) {
    if (allocator_ == nullptr || offset == kNoOffset || offset == static_cast<uint32_t>(firstBlock_)) return;
    allocator_->Deallocate(offset);
}

uint32_t RWFileSpaceManager::AllocateAtEnd(uint32_t length) {
    const uint64_t newEnd = uint64_t{static_cast<uint32_t>(end_)} + length;
    if (newEnd > kMaxOffset) return kNoOffset;
    const uint32_t offset = static_cast<uint32_t>(end_);
    end_ = static_cast<int32_t>(newEnd);
    WriteHeaderWord(4, end_);
    return offset;
}

bool RWFileSpaceManager::ReleaseAtEnd(uint32_t offset, uint32_t length) {
    if (int64_t{offset} + length < end_) return false;
    end_ = static_cast<int32_t>(offset);
    WriteHeaderWord(4, end_);
    return true;
}

uint32_t RWFileSpaceManager::UsedBytesOnFile() {
    const uint32_t end = end_ < 0 ? 0 : static_cast<uint32_t>(end_);
    const int64_t size = Size();
    return size >= 0 && size < int64_t{end} ? static_cast<uint32_t>(size) : end;
}

void RWFileSpaceManager::SeekOrRaise(uint32_t offset) {
    if (offset > kMaxOffset || !SeekTo(offset)) RaiseSeekError();
}

void RWFileSpaceManager::RaiseFileError(int code) const {
    const RWCatalogEntry* entry = code == kSeekError   ? RWTOOL_SEEKERR()
                                  : code == kReadError ? RWTOOL_READERR()
                                                       : RWTOOL_WRITEERR();
    const uint32_t handle = Descriptor() >= 0 ? static_cast<uint32_t>(Descriptor()) : 0;
    RWThrow(RWFileError(RWCatalogMessage(entry), handle, static_cast<uint32_t>(code)));
}

void RWFileSpaceManager::RaiseSeekError() const {
    RaiseFileError(kSeekError);
}

void RWFileSpaceManager::RaiseReadError() const {
    RaiseFileError(kReadError);
}

void RWFileSpaceManager::RaiseWriteError() const {
    RaiseFileError(kWriteError);
}
