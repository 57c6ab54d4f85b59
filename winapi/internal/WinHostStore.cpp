#include "winapi/host/WinHostStore.h"

#include "winapi/WinSpool.h"
#include "winapi/host/WinWaitHub.h"
#include "winapi/internal/WinCalendar.h"
#include "winapi/internal/WinFakeClock.h"
#include "winapi/internal/WinPrinterKey.h"
#include "winapi/internal/WinRealClock.h"
#include "winapi/internal/WinTextRules.h"

namespace {
using Lock = std::lock_guard<std::recursive_mutex>;

bool SameText(std::u16string_view a, std::u16string_view b) {
    return WinRegistryKey::Fold(a) == WinRegistryKey::Fold(b);
}

std::vector<BYTE> Bytes(const void* data, size_t size) {
    const auto* bytes = static_cast<const BYTE*>(data);
    return std::vector<BYTE>(bytes, bytes + size);
}

// Built-in forms in the order of their DMPAPER numbers (Letter = 1), sizes in
// thousandths of a millimetre; the imageable area is the whole sheet.
struct BuiltInForm {
    const char16_t* name;
    LONG width;
    LONG height;
};
constexpr BuiltInForm kBuiltInForms[] = {
    {u"Letter", 215900, 279400},
    {u"Letter Small", 215900, 279400},
    {u"Tabloid", 279400, 431800},
    {u"Ledger", 431800, 279400},
    {u"Legal", 215900, 355600},
    {u"Statement", 139700, 215900},
    {u"Executive", 184150, 266700},
    {u"A3", 297000, 420000},
    {u"A4", 210000, 297000},
    {u"A4 Small", 210000, 297000},
    {u"A5", 148000, 210000},
    {u"B4 (JIS)", 257000, 364000},
    {u"B5 (JIS)", 182000, 257000},
    {u"Folio", 215900, 330200},
    {u"Quarto", 215000, 275000},
    {u"10x14", 254000, 355600},
    {u"11x17", 279400, 431800},
    {u"Note", 215900, 279400},
    {u"Envelope #9", 98425, 225425},
    {u"Envelope #10", 104775, 241300},
    {u"Envelope #11", 114300, 263525},
    {u"Envelope #12", 120650, 279400},
    {u"Envelope #14", 127000, 292100},
    {u"C size sheet", 431800, 558800},
    {u"D size sheet", 558800, 863600},
    {u"E size sheet", 863600, 1117600},
    {u"Envelope DL", 110000, 220000},
    {u"Envelope C5", 162000, 229000},
    {u"Envelope C3", 324000, 458000},
    {u"Envelope C4", 229000, 324000},
    {u"Envelope C6", 114000, 162000},
    {u"Envelope C65", 114000, 229000},
    {u"Envelope B4", 250000, 353000},
    {u"Envelope B5", 176000, 250000},
    {u"Envelope B6", 176000, 125000},
    {u"Envelope", 110000, 230000},
    {u"Envelope Monarch", 98425, 190500},
    {u"6 3/4 Envelope", 92075, 165100},
    {u"US Std Fanfold", 377825, 279400},
    {u"German Std Fanfold", 215900, 304800},
    {u"German Legal Fanfold", 215900, 330200},
};

constexpr int64_t kDefaultFakeTime = 146097 * WinCalendar::kMillisecondsPerDay; // 2001-01-01 00:00 UTC
} // namespace

WinHostStore& WinHostStore::Instance() {
    static auto* store = new WinHostStore; // outlives the static destructors of every module
    return *store;
}

WinHostStore::WinHostStore()
    : fakeClock_(std::make_unique<WinFakeClock>(*this)), realClock_(std::make_unique<WinRealClock>()) {
    Reset();
}

WinClock& WinHostStore::Clock() {
    Lock hold(mutex_);
    return state_.fakeClock ? *fakeClock_ : *realClock_;
}

void WinHostStore::ReplaceState(WinMachineState state) {
    Lock hold(mutex_);
    state_.machineHive->MarkDeleted();
    state_.userHive->MarkDeleted();
    state_ = std::move(state);
    ++generation_;
}

void WinHostStore::Reset() {
    Lock hold(mutex_);
    persistence_.reset();
    queuedUuids_.clear();
    failingValueName_.clear();
    writeRequests_ = 0;
    WinMachineState fresh;
    fresh.forms = BuiltInForms();
    fresh.fakeUtcMilliseconds = kDefaultFakeTime;
    ReplaceState(std::move(fresh));
}

void WinHostStore::FailValueWrites(std::u16string_view valueName, DWORD error) {
    Lock hold(mutex_);
    failingValueName_.assign(valueName);
    failingValueError_ = error;
}

DWORD WinHostStore::ValueWriteFailure(std::u16string_view valueName) const {
    // Value names compare without regard to case, as the registry's do.
    if (failingValueName_.empty() || !WinText::EqualNoCase(failingValueName_, valueName))
        return ERROR_SUCCESS;
    return failingValueError_;
}

bool WinHostStore::AttachPersistence(std::unique_ptr<WinStorePersistence> persistence) {
    Lock hold(mutex_);
    if (!persistence) return false;
    WinMachineState loaded;
    if (persistence->Load(loaded)) ReplaceState(std::move(loaded));
    persistence_ = std::move(persistence);
    return true;
}

bool WinHostStore::Save() {
    Lock hold(mutex_);
    return persistence_ != nullptr && persistence_->Save(state_);
}

void WinHostStore::DetachPersistence() {
    Lock hold(mutex_);
    persistence_.reset();
}

std::vector<WinFormRecord> WinHostStore::BuiltInForms() {
    std::vector<WinFormRecord> forms;
    for (const BuiltInForm& form : kBuiltInForms)
        forms.push_back({form.name, FORM_BUILTIN, form.width, form.height, 0, 0, form.width, form.height});
    return forms;
}

void WinHostStore::AddPrinter(const WinPrinterRecord& printer) {
    Lock hold(mutex_);
    if (WinPrinterRecord* existing = FindPrinter(printer.name))
        *existing = printer;
    else
        state_.printers.push_back(printer);
    state_.machineHive->CreatePath(PrinterKeyPath(printer.name) + u"\\PrinterDriverData");
}

std::shared_ptr<WinRegistryKey> WinHostStore::FindPrinterData(std::u16string_view name) {
    Lock hold(mutex_);
    const WinPrinterRecord* printer = FindPrinter(name);
    return printer != nullptr
               ? state_.machineHive->FindPath(PrinterKeyPath(printer->name) + u"\\PrinterDriverData")
               : nullptr;
}

bool WinHostStore::RemovePrinter(std::u16string_view name) {
    Lock hold(mutex_);
    for (auto it = state_.printers.begin(); it != state_.printers.end(); ++it) {
        if (!SameText(it->name, name)) continue;
        const std::u16string path = PrinterKeyPath(it->name);
        const size_t cut = path.rfind(u'\\');
        if (auto parent = state_.machineHive->FindPath(path.substr(0, cut)))
            parent->RemoveChild(path.substr(cut + 1));
        state_.printers.erase(it);
        return true;
    }
    return false;
}

WinPrinterRecord* WinHostStore::FindPrinter(std::u16string_view name) {
    Lock hold(mutex_);
    for (WinPrinterRecord& printer : state_.printers)
        if (SameText(printer.name, name)) return &printer;
    return nullptr;
}

void WinHostStore::AddDriver(const WinDriverRecord& driver) {
    Lock hold(mutex_);
    if (WinDriverRecord* existing = FindDriver(driver.name, driver.environment))
        *existing = driver;
    else
        state_.drivers.push_back(driver);
}

WinDriverRecord* WinHostStore::FindDriver(std::u16string_view name, std::u16string_view environment) {
    Lock hold(mutex_);
    for (WinDriverRecord& driver : state_.drivers)
        if (SameText(driver.name, name) && SameText(driver.environment, environment)) return &driver;
    return nullptr;
}

void WinHostStore::AddForm(const WinFormRecord& form) {
    Lock hold(mutex_);
    for (WinFormRecord& existing : state_.forms) {
        if (!SameText(existing.name, form.name)) continue;
        existing = form;
        return;
    }
    state_.forms.push_back(form);
}

void WinHostStore::ClearForms() {
    Lock hold(mutex_);
    state_.forms.clear();
}

std::shared_ptr<WinRegistryKey> WinHostStore::Hive(HKEY root) {
    Lock hold(mutex_);
    // Predefined keys compare by their low 32 bits, so the zero-extended and
    // the sign-extended forms both work.
    const auto value = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(root));
    if (value == 0x80000002u) return state_.machineHive;
    if (value == 0x80000001u) return state_.userHive;
    return nullptr;
}

void WinHostStore::SetRegistryValue(HKEY root, std::u16string_view path, std::u16string_view name, DWORD type,
                                    std::vector<BYTE> data) {
    Lock hold(mutex_);
    if (auto hive = Hive(root)) hive->CreatePath(path)->SetValue(name, type, std::move(data));
}

void WinHostStore::SetRegistryString(HKEY root, std::u16string_view path, std::u16string_view name,
                                     std::u16string_view text) {
    std::u16string withNul(text);
    withNul.push_back(u'\0');
    SetRegistryValue(root, path, name, REG_SZ, Bytes(withNul.data(), withNul.size() * sizeof(char16_t)));
}

void WinHostStore::SetRegistryDword(HKEY root, std::u16string_view path, std::u16string_view name,
                                    DWORD value) {
    const BYTE bytes[4] = {static_cast<BYTE>(value), static_cast<BYTE>(value >> 8),
                           static_cast<BYTE>(value >> 16), static_cast<BYTE>(value >> 24)};
    SetRegistryValue(root, path, name, REG_DWORD, Bytes(bytes, 4));
}

void WinHostStore::CreateRegistryKey(HKEY root, std::u16string_view path) {
    Lock hold(mutex_);
    if (auto hive = Hive(root)) hive->CreatePath(path);
}

void WinHostStore::SetKeyWritable(HKEY root, std::u16string_view path, bool writable) {
    Lock hold(mutex_);
    if (auto hive = Hive(root)) hive->CreatePath(path)->SetWritable(writable);
}

std::shared_ptr<WinRegistryKey> WinHostStore::FindRegistryKey(HKEY root, std::u16string_view path) {
    Lock hold(mutex_);
    auto hive = Hive(root);
    return hive ? hive->FindPath(path) : nullptr;
}

void WinHostStore::SetUserName(std::u16string_view name) {
    Lock hold(mutex_);
    state_.userName = name;
}

void WinHostStore::SetComputerName(std::u16string_view name) {
    Lock hold(mutex_);
    state_.computerName = name;
}

void WinHostStore::SetCodePages(UINT ansi, UINT oem) {
    Lock hold(mutex_);
    state_.ansiCodePage = ansi;
    state_.oemCodePage = oem;
}

void WinHostStore::SetOsVersion(const WinOsVersion& version) {
    Lock hold(mutex_);
    state_.osVersion = version;
}

void WinHostStore::SetLanguages(LANGID system, LANGID user) {
    Lock hold(mutex_);
    state_.systemLanguage = system;
    state_.userLanguage = user;
}

void WinHostStore::SetEnvironmentVariable(std::u16string_view name, std::u16string_view value) {
    Lock hold(mutex_);
    for (auto& entry : state_.environment) {
        if (!SameText(entry.first, name)) continue;
        entry.second = value;
        return;
    }
    state_.environment.emplace_back(name, value);
}

void WinHostStore::UnsetEnvironmentVariable(std::u16string_view name) {
    Lock hold(mutex_);
    std::erase_if(state_.environment, [&](const auto& entry) { return SameText(entry.first, name); });
}

const std::u16string* WinHostStore::FindEnvironmentVariable(std::u16string_view name) const {
    for (const auto& entry : state_.environment)
        if (SameText(entry.first, name)) return &entry.second;
    return nullptr;
}

void WinHostStore::QueueUuid(const UUID& uuid) {
    Lock hold(mutex_);
    queuedUuids_.push_back(uuid);
}

bool WinHostStore::TakeQueuedUuid(UUID& uuid) {
    Lock hold(mutex_);
    if (queuedUuids_.empty()) return false;
    uuid = queuedUuids_.front();
    queuedUuids_.pop_front();
    return true;
}

void WinHostStore::UseFakeClock(const SYSTEMTIME& utc) {
    {
        Lock hold(mutex_);
        int64_t ms = 0;
        if (WinCalendar::ToMilliseconds(utc, ms)) state_.fakeUtcMilliseconds = ms;
        state_.fakeClock = true;
    }
    WinWaitHub::Instance().NotifyAll();
}

void WinHostStore::UseRealClock() {
    {
        Lock hold(mutex_);
        state_.fakeClock = false;
    }
    WinWaitHub::Instance().NotifyAll();
}

void WinHostStore::AdvanceClock(uint32_t milliseconds) {
    {
        Lock hold(mutex_);
        if (!state_.fakeClock) return;
        state_.fakeUtcMilliseconds += milliseconds;
        state_.fakeTickMilliseconds += milliseconds;
    }
    WinWaitHub::Instance().NotifyAll();
}

void WinHostStore::SetTimeZone(const WinTimeZoneSetting& zone) {
    Lock hold(mutex_);
    state_.timeZone = zone;
}

void WinHostStore::MapDrive(char16_t letter, std::string hostFolder) {
    Lock hold(mutex_);
    if (letter >= u'a' && letter <= u'z') letter = static_cast<char16_t>(letter - u'a' + u'A');
    if (hostFolder.empty())
        state_.drives.erase(letter);
    else
        state_.drives[letter] = std::move(hostFolder);
}

void WinHostStore::SetSystemRoot(std::u16string_view windowsPath) {
    Lock hold(mutex_);
    state_.systemRoot = windowsPath;
}

void WinHostStore::SetNetworkRoot(std::string hostFolder) {
    Lock hold(mutex_);
    state_.networkRoot = std::move(hostFolder);
}

void WinHostStore::SetCurrentDirectory(std::u16string_view windowsPath) {
    Lock hold(mutex_);
    state_.currentDirectory = windowsPath;
}

void WinHostStore::SetProcessPath(std::u16string_view windowsPath) {
    Lock hold(mutex_);
    state_.processPath = windowsPath;
}

void WinHostStore::RegisterModule(std::u16string_view windowsName, std::string hostPath,
                                  std::u16string_view windowsPath) {
    Lock hold(mutex_);
    for (WinModuleEntry& entry : state_.modules) {
        if (!SameText(entry.windowsName, windowsName)) continue;
        entry.hostPath = std::move(hostPath);
        entry.windowsPath = windowsPath;
        return;
    }
    state_.modules.push_back({std::u16string(windowsName), std::move(hostPath), std::u16string(windowsPath)});
}

void WinHostStore::AddModuleFolder(std::string hostFolder) {
    Lock hold(mutex_);
    state_.moduleFolders.push_back(std::move(hostFolder));
}
