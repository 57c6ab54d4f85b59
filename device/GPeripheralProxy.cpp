#include "device/GPeripheralProxy.h"

#include <utility>

#include "driver/GDynamicLibrary.h"
#include "driver/GOSFactory.h"
#include "winapi/WinModule.h"

namespace {

struct EntryNames {
    const char16_t* create;
    const char16_t* destroy;
};

constexpr EntryNames kEntryNames[] = {
    {u"_C_GENERIC_ADDON", u"_D_GENERIC_ADDON"}, // 0 generic
    {u"_C_PCLXL_ADDON", u"_D_PCLXL_ADDON"},     // 1 PCL XL
    {u"_C_PCL_ADDON", u"_D_PCL_ADDON"},         // 2 PCL
    {u"_C_PS_ADDON", u"_D_PS_ADDON"},           // 3 PostScript
    {u"_C_PJL_ADDON", u"_D_PJL_ADDON"},         // 4 PJL
};

bool IsSeparator(char16_t c) {
    return c == u'\\' || c == u'/';
}

// The folder with either separator written as a backslash, for comparing.
RWWString WithBackslashes(const char16_t* text, size_t length) {
    RWWString folder(text, length);
    for (size_t i = 0; i < length; ++i)
        if (folder[i] == u'/') folder[i] = u'\\';
    return folder;
}

} // namespace

GPeripheralProxy::GPeripheralProxy() : library_(new GDynamicLibrary()) {}

GPeripheralProxy::GPeripheralProxy(const RWWString& path, uint32_t pdlKind, uint32_t mode)
    : pdlKind_(pdlKind), mode_(mode), library_(new GDynamicLibrary(path)) {
    SetEntryNames(pdlKind);
}

GPeripheralProxy::GPeripheralProxy(GPeripheral* device) : device_(device), library_(new GDynamicLibrary()) {}

GPeripheralProxy::GPeripheralProxy(const GPeripheralProxy& other)
    : GPeripheral(other), device_(other.device_), createEntry_(other.createEntry_),
      destroyEntry_(other.destroyEntry_), pdlKind_(other.pdlKind_), mode_(other.mode_) {
    // A library's device stays with the proxy that loaded it: only that one
    // may hand it back to the library.
    if (other.deviceFromLibrary_) device_.Reset();
    if (other.library_) library_ = GCountedPtr(new GDynamicLibrary(*other.library_.As<GDynamicLibrary>()));
}

GPeripheralProxy& GPeripheralProxy::operator=(const GPeripheralProxy& other) {
    if (this == &other || !IsNotEqualId(&other)) return *this;
    DestroyAddOn();
    GPeripheral::operator=(other);
    device_ = other.deviceFromLibrary_ ? GCountedPtr() : other.device_;
    createEntry_ = other.createEntry_;
    destroyEntry_ = other.destroyEntry_;
    pdlKind_ = other.pdlKind_;
    mode_ = other.mode_;
    library_ = other.library_ ? GCountedPtr(new GDynamicLibrary(*other.library_.As<GDynamicLibrary>()))
                              : GCountedPtr();
    return *this;
}

GPeripheralProxy::~GPeripheralProxy() {
    DestroyAddOn();
}

void GPeripheralProxy::SetEntryNames(uint32_t pdlKind) {
    if (pdlKind < std::size(kEntryNames)) {
        createEntry_ = kEntryNames[pdlKind].create;
        destroyEntry_ = kEntryNames[pdlKind].destroy;
    } else {
        createEntry_ = RWWString();
        destroyEntry_ = RWWString();
    }
}

// --- Persistence ---------------------------------------------------------------

namespace {

// What the proxy saves as its device: never a library's own object.
const MPersistentObject* SavedDevice(const GCountedPtr& device, bool fromLibrary) {
    return fromLibrary ? nullptr : device.Get();
}

} // namespace

uint32_t GPeripheralProxy::BinaryStoreSize() const {
    return GPeripheral::BinaryStoreSize() + 4 + RWObjectStoreSize(library_.Get()) +
           (4 + 2 * static_cast<uint32_t>(createEntry_.Length())) +
           (4 + 2 * static_cast<uint32_t>(destroyEntry_.Length())) + 8 +
           RWObjectStoreSize(SavedDevice(device_, deviceFromLibrary_));
}

template <class Carrier> void GPeripheralProxy::SaveGutsTo(Carrier& carrier) const {
    GPeripheral::SaveGuts(carrier);
    GWriteClassVersion(carrier, ClassVersion());
    RWSaveObject(carrier, library_.Get());
    RWSaveString(carrier, createEntry_);
    RWSaveString(carrier, destroyEntry_);
    RWSaveU32(carrier, mode_);
    RWSaveU32(carrier, pdlKind_);
    RWSaveObject(carrier, SavedDevice(device_, deviceFromLibrary_));
}

// Loads nothing: a stored graph never chooses code to run.
template <class Carrier> void GPeripheralProxy::RestoreGutsFrom(Carrier& carrier) {
    GPeripheral::RestoreGuts(carrier);
    if (!GReadClassVersion(carrier, ClassVersion(), ClassVersion())) return;
    DestroyAddOn();
    GCountedPtr library = GRestorePtr<GDynamicLibrary>(carrier);
    RWWString createEntry;
    RWWString destroyEntry;
    uint32_t mode = 0;
    uint32_t pdlKind = 0;
    if (!RWRestoreString(carrier, createEntry) || !RWRestoreString(carrier, destroyEntry) ||
        !RWRestoreU32(carrier, mode) || !RWRestoreU32(carrier, pdlKind)) {
        if (library) library_ = library; // held until the failed graph goes
        return;
    }
    GCountedPtr device = GRestorePtr<GPeripheral>(carrier);
    library_ = library;
    createEntry_ = createEntry;
    destroyEntry_ = destroyEntry;
    mode_ = mode;
    pdlKind_ = pdlKind;
    device_ = device;
    deviceFromLibrary_ = false;
}

RW_DEFINE_GUTS(GPeripheralProxy)

bool GPeripheralProxy::IsEqualId(const MPersistentObject* other) const {
    if (other == this) return true;
    if (!GPeripheral::IsEqualId(other)) return false;
    const auto* proxy = static_cast<const GPeripheralProxy*>(other);
    return device_.Get() == proxy->device_.Get() && createEntry_ == proxy->createEntry_ &&
           destroyEntry_ == proxy->destroyEntry_ && pdlKind_ == proxy->pdlKind_ && mode_ == proxy->mode_ &&
           GetPath() == proxy->GetPath();
}

// --- Loading -----------------------------------------------------------------------

RWWString GPeripheralProxy::GetPath() const {
    const auto* library = library_.As<GDynamicLibrary>();
    return library != nullptr ? library->GetPath() : RWWString();
}

RWWString GPeripheralProxy::ResolvedPath() const {
    const RWWString path = GetPath();
    GOSFactory* factory = GOSFactory::Instance();
    if (path.IsNull() || factory == nullptr) return RWWString();
    const RWWString folder = factory->GetModuleFolder();
    if (folder.IsNull()) return RWWString();
    size_t cut = path.Length();
    while (cut > 0 && !IsSeparator(path[cut - 1]))
        --cut;
    const RWWString name(path.Data() + cut, path.Length() - cut);
    if (name.IsNull() || name == u"." || name == u"..") return RWWString();
    // A path with a folder must name the driver's own.
    if (cut > 0 && WithBackslashes(path.Data(), cut - 1)
                           .CompareTo(WithBackslashes(folder.Data(), folder.Length()), RWIgnoreCase) != 0)
        return RWWString();
    return folder + RWWString(factory->PathSeparator()) + name;
}

int GPeripheralProxy::MayServe() const {
    return (mode_ == kAddOnPerCommand || mode_ == kAddOnAtBuild) && !createEntry_.IsNull() &&
                   !ResolvedPath().IsNull()
               ? 1
               : 0;
}

int GPeripheralProxy::HoldsAddOn() const {
    return device_ ? 1 : 0;
}

GPeripheral* GPeripheralProxy::GetAddOn() const {
    return device_.As<GPeripheral>();
}

GPeripheralProxy::Entry GPeripheralProxy::FindEntry(const RWWString& name) const {
    if (loaded_ == nullptr || name.IsNull() || !name.IsAscii()) return nullptr;
    const RWCString narrow = name.ToAscii();
    return reinterpret_cast<Entry>(
        reinterpret_cast<void (*)()>(GetProcAddress(loaded_->GetHandle(), narrow.Data())));
}

GPeripheral* GPeripheralProxy::CreateAddOn() {
    if (deviceFromLibrary_) return GetAddOn();
    const RWWString path = ResolvedPath();
    if (path.IsNull() || createEntry_.IsNull()) return nullptr;
    auto library = std::make_unique<GDynamicLibrary>(path);
    if (!library->Load()) return nullptr;
    loaded_ = std::move(library);
    const Entry create = FindEntry(createEntry_);
    void* arguments[2] = {nullptr, nullptr};
    auto* device = create != nullptr ? static_cast<GPeripheral*>(create(arguments)) : nullptr;
    if (device == nullptr) {
        loaded_.reset();
        return nullptr;
    }
    device_.Reset(device);
    deviceFromLibrary_ = true;
    return device;
}

void GPeripheralProxy::DestroyAddOn() {
    if (!deviceFromLibrary_) {
        device_.Reset();
        loaded_.reset();
        return;
    }
    deviceFromLibrary_ = false;
    if (device_->GetRefCount() > 0) {
        // Someone else still holds the library's device: its code must stay
        // loaded, so the library is kept until this proxy goes.
        device_.Reset();
        return;
    }
    std::unique_ptr<MPersistentObject> device = device_.Detach();
    const Entry destroy = FindEntry(destroyEntry_);
    void* arguments[1] = {device.get()};
    if (destroy != nullptr) {
        device.release(); // the library deletes what it made
        destroy(arguments);
    }
    device.reset();
    loaded_.reset();
}

GCountedPtr GPeripheralProxy::Process(const GCountedPtr& command) {
    if (!IsEnabled()) return command;
    if (deviceFromLibrary_ && loaded_ != nullptr) return GetAddOn()->Process(command);
    if (mode_ != kAddOnPerCommand && mode_ != kAddOnAtBuild) return command;
    GPeripheral* device = CreateAddOn();
    if (device == nullptr) return command;
    const GCountedPtr result = device->Process(command);
    if (mode_ == kAddOnPerCommand) DestroyAddOn();
    return result;
}
