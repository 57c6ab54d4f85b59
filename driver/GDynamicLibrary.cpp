#include "driver/GDynamicLibrary.h"

#include "winapi/WinModule.h"

// One loaded library, freed when the last share of it goes.
class GDynamicLibrary::Module {
public:
    explicit Module(HMODULE handle) : handle_(handle) {}
    Module(const Module&) = delete;
    Module& operator=(const Module&) = delete;
    ~Module() { FreeLibrary(handle_); }

    HMODULE Handle() const { return handle_; }

private:
    HMODULE handle_;
};

GDynamicLibrary::GDynamicLibrary() = default;

GDynamicLibrary::GDynamicLibrary(const RWWString& path) : path_(path) {}

GDynamicLibrary::GDynamicLibrary(const GDynamicLibrary& other)
    : MPersistentObject(other), path_(other.path_), module_(other.module_) {}

GDynamicLibrary& GDynamicLibrary::operator=(const GDynamicLibrary& other) {
    if (this != &other) {
        MPersistentObject::operator=(other);
        path_ = other.path_;
        module_ = other.module_;
    }
    return *this;
}

GDynamicLibrary::~GDynamicLibrary() = default;

int GDynamicLibrary::Load() {
    if (module_ == nullptr) {
        HMODULE handle = LoadLibraryW(path_.Data());
        if (handle != nullptr) module_ = std::make_shared<Module>(handle);
    }
    return IsLoaded();
}

void GDynamicLibrary::Unload() {
    module_.reset();
}

HMODULE GDynamicLibrary::GetHandle() const {
    return module_ != nullptr ? module_->Handle() : nullptr;
}

template <typename Entry> Entry GDynamicLibrary::Find(const char* name) {
    if (name == nullptr || !Load()) return nullptr;
    // By way of the generic function type, which any function pointer may
    // be cast to.
    return reinterpret_cast<Entry>(reinterpret_cast<void (*)()>(GetProcAddress(module_->Handle(), name)));
}

uint32_t GDynamicLibrary::CallProc(const char* name, uint32_t argument) {
    const auto entry = Find<uint32_t (*)(uint32_t)>(name);
    return entry != nullptr ? entry(argument) : 0;
}

uint16_t GDynamicLibrary::CallProc2(const char* name, uint32_t first, uint32_t second) {
    const auto entry = Find<uint32_t (*)(uint32_t, uint32_t)>(name);
    return entry != nullptr ? static_cast<uint16_t>(entry(first, second)) : 0;
}

uint32_t GDynamicLibrary::BinaryStoreSize() const {
    return MPersistentObject::BinaryStoreSize() + 2 * static_cast<uint32_t>(path_.Length()) + 8;
}

bool GDynamicLibrary::IsEqualId(const MPersistentObject* other) const {
    if (other == this) return true;
    const auto* library = dynamic_cast<const GDynamicLibrary*>(other);
    return library != nullptr && MPersistentObject::IsEqualId(other) && path_ == library->path_ &&
           IsLoaded() == library->IsLoaded() && GetHandle() == library->GetHandle();
}

template <class Carrier> void GDynamicLibrary::SaveGutsTo(Carrier& carrier) const {
    MPersistentObject::SaveGuts(carrier);
    GWriteClassVersion(carrier);
    RWSaveString(carrier, path_);
}

template <class Carrier> void GDynamicLibrary::RestoreGutsFrom(Carrier& carrier) {
    MPersistentObject::RestoreGuts(carrier);
    if (!GReadClassVersion(carrier)) return;
    RWWString path;
    if (!RWRestoreString(carrier, path)) return;
    path_ = path;
    // A restored library is loaded only when it is used.
    Unload();
}

RW_DEFINE_GUTS(GDynamicLibrary)
