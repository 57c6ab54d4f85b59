#include "driver/GOSFactory.h"

#include <cstdlib>
#include <new>

#include "driver/GDriverContext.h"
#include "driver/GLocaleInfo.h"
#include "driver/GSettingsCodec.h"
#include "driver/GUnicodeConverter.h"
#include "driver/ReportCriticalError.h"
#include "model/GPersistInputStream.h"
#include "model/GPersistOutputStream.h"
#include "model/GSettingIds.h"
#include "model/GValueAttribute.h"
#include "model/MPersistentObject.h"
#include "rw/RWLibraryError.h"
#include "rw/RWVirtualInStream.h"
#include "rw/RWVirtualOutStream.h"
#include "winapi/WinFile.h"
#include "winapi/WinThread.h"

namespace {

std::atomic<GOSFactory*> g_factory{nullptr};

// Deletes the last installed factory when the module is unloaded.
struct FactoryOwner {
    ~FactoryOwner() { delete g_factory.exchange(nullptr); }
} g_factoryOwner;

constexpr int32_t kRawBinary = 1;
constexpr int32_t kPortableText = 0;
constexpr size_t kMaxTemplateLength = 259;
constexpr uint32_t kRestoreFirstRead = 1024;
// No stored object of the module comes near this; a count read from printer
// data that asks for more is not believed.
constexpr uint32_t kMaxStoredObjectSize = 16u << 20;
// TryStore's answer when the buffer was too small for the object.
constexpr int kBufferTooSmall = -1;

struct FreeDeleter {
    void operator()(unsigned char* block) const { std::free(block); }
};
using Block = std::unique_ptr<unsigned char, FreeDeleter>;

Block AllocateBlock(size_t bytes) {
    return Block(static_cast<unsigned char*>(std::malloc(bytes == 0 ? 1 : bytes)));
}

// Creates the file only when it does not exist yet: the test and the
// creation are one step, so no other writer's file is ever truncated.
enum class CreateResult { Created, Exists, Failed };

CreateResult CreateNewFile(const RWWString& path) {
    HANDLE file =
        CreateFileW(path.Data(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ? CreateResult::Exists
                                                                           : CreateResult::Failed;
    }
    CloseHandle(file);
    return CreateResult::Created;
}

} // namespace

GOSFactory* GOSFactory::Instance() {
    return g_factory.load(std::memory_order_acquire);
}

GOSFactory* GOSFactory::Install(std::unique_ptr<GOSFactory> factory) {
    GOSFactory* installed = factory.release();
    delete g_factory.exchange(installed, std::memory_order_acq_rel);
    return installed;
}

GOSFactory::GOSFactory() = default;

GOSFactory::~GOSFactory() = default;

void GOSFactory::SetSharedLock(std::unique_ptr<GLock> lock) {
    sharedLock_ = std::move(lock);
}

void* GOSFactory::AdoptJobObject(void* object) {
    return object;
}

int16_t GOSFactory::SetTimeOffset(int16_t) {
    return 0;
}

GOSVersionInfo GOSFactory::GetOSVersion() {
    GOSVersionInfo info;
    info.Detect();
    return info;
}

void GOSFactory::CreateSharedLock(GLock** slot) {
    if (slot == nullptr) return;
    std::atomic_ref<GLock*> cell(*slot);
    if (cell.load(std::memory_order_acquire) != nullptr) return;
    if (sharedLock_ == nullptr || sharedLock_->Lock() != 0) {
        ReportCriticalError(2, kCriticalLockFailed, kSourceName, __LINE__, "shared lock");
        return;
    }
    if (cell.load(std::memory_order_relaxed) == nullptr) {
        cell.store(CreateLock().release(), std::memory_order_release);
    }
    if (sharedLock_->Unlock() != 0) {
        ReportCriticalError(2, kCriticalUnlockFailed, kSourceName, __LINE__, "shared lock");
    }
}

std::unique_ptr<GUnicodeConverter> GOSFactory::CreateUnicodeConverter() {
    return nullptr;
}

void GOSFactory::SetModuleHandle(HMODULE module) {
    module_.store(module);
}

HMODULE GOSFactory::GetModuleHandle() const {
    return module_.load();
}

GModuleLoader* GOSFactory::LoadSetupLibrary(const RWWString&, HANDLE) {
    return nullptr;
}

RWWString GOSFactory::MakeUniqueFileName(const RWWString& folder, const RWWString& nameTemplate, int create) {
    RWWString pattern = nameTemplate.IsNull() ? UniqueNameTemplate() : nameTemplate;
    if (pattern.Length() > kMaxTemplateLength) pattern = RWWString(pattern.Data(), kMaxTemplateLength);
    RWWString prefix = folder;
    const WCHAR separator = PathSeparator();
    if (!prefix.IsNull() && prefix[prefix.Length() - 1] != separator) prefix += separator;

    SeedRandom();
    for (int attempt = 0; attempt < kUniqueNameAttempts; ++attempt) {
        RWWString name = pattern;
        for (size_t i = 0; i < name.Length(); ++i) {
            if (name[i] != u'&') continue;
            const uint32_t r = static_cast<uint32_t>(Random()) % 36;
            name[i] = static_cast<WCHAR>(r < 10 ? u'0' + r : u'A' + (r - 10));
        }
        RWWString path = prefix + name;
        if (FileExists(path)) continue;
        if (!create) return path;
        switch (CreateNewFile(path)) {
        case CreateResult::Created:
            return path;
        case CreateResult::Exists:
            continue;
        case CreateResult::Failed:
            return RWWString();
        }
    }
    return RWWString();
}

WCHAR GOSFactory::PathSeparator() const {
    return u'\\';
}

RWWString GOSFactory::UniqueNameTemplate() const {
    return RWWString(u"&&&&&&&&.&&&");
}

void* GOSFactory::Allocate(size_t bytes) {
    return std::malloc(bytes);
}

void GOSFactory::Free(void* block) {
    std::free(block);
}

void GOSFactory::NoteProgress(uint32_t) {}

uint32_t GOSFactory::QueryOutputService() {
    return 0;
}

int32_t GOSFactory::QueryDefault() {
    return -1;
}

// --- Persisted objects in printer data ---------------------------------------

uint16_t GOSFactory::EncodingSwitch(GDriverContext* context) {
    uint16_t value = encodingSwitch_.load();
    if (value != kSwitchUnread) return value;
    value = 0;
    MPersistentObject* configuration = context != nullptr ? context->GetPrinterConfiguration() : nullptr;
    MPersistentObject* node =
        configuration != nullptr ? configuration->FindById(GSettingId::kDefaults) : nullptr;
    MPersistentObject* group = node != nullptr ? node->FindById(GSettingId::kWatermarksGroup) : nullptr;
    auto* setting =
        group != nullptr ? dynamic_cast<GValueAttribute*>(group->FindById(GSettingId::kBlobForm)) : nullptr;
    if (setting != nullptr) value = setting->GetValue();
    // Every thread that reads it computes the same value.
    encodingSwitch_.store(value);
    return value;
}

bool GOSFactory::UsesSettingsCodec(GDriverContext* context, const RWWString& name) {
    return EncodingSwitch(context) == 1 && !(name == kBinPoolValueName);
}

int GOSFactory::StoreObject(GDriverContext* context, const RWWString& name, const MPersistentObject* object) {
    if (object == nullptr) return 0;
    const size_t size = object->BinaryStoreSize();
    size_t capacity = size + size / 2;
    // A retry keeps the raw binary form with a larger buffer, so that
    // RestoreObject reads every stored value in the form it expects.
    for (int attempt = 0; attempt < kStoreAttempts; ++attempt, capacity *= 2) {
        const int result = TryStore(context, name, object, capacity);
        if (result != kBufferTooSmall) return result;
    }
    return 0;
}

int GOSFactory::TryStore(GDriverContext* context, const RWWString& name, const MPersistentObject* object,
                         size_t capacity) {
    Block buffer = AllocateBlock(capacity);
    if (buffer == nullptr) return 0;
    std::unique_ptr<GPersistOutputStream> stream = OpenMemoryOutStream(buffer.get(), capacity, kRawBinary);
    RWVirtualOutStream* out = stream != nullptr ? stream->GetStream() : nullptr;
    if (out == nullptr || !out->good()) return 0;
    const std::streamoff start = stream->Tell();
    try {
        if (UsesSettingsCodec(context, name)) {
            // One codec per store: its state never crosses threads or printers.
            GSettingsCodec codec;
            if (codec.Encode(object, *out, *stream, GSettingsCodec::kWideForm) != 1) return 0;
        } else {
            *out << static_cast<const RWCollectable*>(object);
        }
        out->flush();
    } catch (const RWLibraryError&) {
        return 0;
    }
    if (!out->good()) return kBufferTooSmall;
    const std::streamoff end = stream->Tell();
    if (end < start || static_cast<size_t>(end) > capacity) return kBufferTooSmall;
    return WriteChunkedBinary(context, name, buffer.get(), static_cast<uint32_t>(end - start));
}

std::unique_ptr<MPersistentObject> GOSFactory::RestoreObject(GDriverContext* context, const RWWString& name,
                                                             int portable) {
    Block buffer = AllocateBlock(kRestoreFirstRead);
    if (buffer == nullptr) return nullptr;
    uint32_t length = 0;
    int result = ReadChunkedBinary(context, name, buffer.get(), kRestoreFirstRead, &length);
    if (result != 1 && length > kRestoreFirstRead && length <= kMaxStoredObjectSize) {
        const uint32_t capacity = length;
        buffer = AllocateBlock(capacity);
        if (buffer == nullptr) return nullptr;
        result = ReadChunkedBinary(context, name, buffer.get(), capacity, &length);
    }
    if (result != 1 || length == 0) return nullptr;
    return Restore(context, name, buffer.get(), length, portable);
}

std::unique_ptr<MPersistentObject> GOSFactory::Restore(GDriverContext* context, const RWWString& name,
                                                       const void* bytes, uint32_t length, int portable) {
    try {
        std::unique_ptr<GPersistInputStream> stream =
            OpenMemoryInStream(bytes, length, portable != 0 ? kPortableText : kRawBinary);
        RWVirtualInStream* in = stream != nullptr ? stream->GetStream() : nullptr;
        if (in == nullptr || !in->good()) return nullptr;
        if (UsesSettingsCodec(context, name) && portable == 0) {
            // One codec per load: its reference tree is this printer's.
            GSettingsCodec codec;
            return codec.Decode(*in, *stream, context, GSettingsCodec::kWideForm);
        }
        MPersistentObject* object = nullptr;
        RestoreMPersistentObjectPtr(*in, object);
        return std::unique_ptr<MPersistentObject>(object);
    } catch (const RWLibraryError&) {
        // Stored bytes the class library refuses: the value cannot be read.
        return nullptr;
    }
}
