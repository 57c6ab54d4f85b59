#pragma once
// The one host store of the process: the machine state behind every call of
// the platform layer (registry, printers, printer data, forms, drivers,
// users, clock, code pages, OS version, languages, environment, paths,
// modules). Tests fill it through the fixture calls below and reset it
// between tests; the host program attaches a persistence and saves it.
// All layer calls take the store's lock, so state seen through one call is
// consistent.
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "winapi/WinApi.h"
#include "winapi/WinRpc.h"
#include "winapi/WinTime.h"
#include "winapi/WinTypes.h"
#include "winapi/host/WinClock.h"
#include "winapi/host/WinMachineState.h"
#include "winapi/host/WinStorePersistence.h"

class QV_WINAPI_API WinHostStore {
public:
    static WinHostStore& Instance();

    // The lock every layer call holds while it reads or changes the state.
    std::recursive_mutex& Mutex() { return mutex_; }
    WinMachineState& State() { return state_; }
    // Changes each time the state is replaced: handles from before fail.
    uint64_t Generation() const { return generation_; }
    WinClock& Clock();

    // A fresh machine: empty hives, no printers or drivers, the built-in
    // forms, the fake clock at 2001-01-01 00:00:00.000 UTC, code pages
    // 1252/437, Windows 2000 (5.0.2195), drive C: on the host's "/". Detaches
    // any persistence. Open handles of before become invalid.
    void Reset();

    // Persistence. Attach loads the stored machine when there is one (else
    // keeps the current state); Save writes the current state.
    bool AttachPersistence(std::unique_ptr<WinStorePersistence> persistence);
    bool Save();
    void DetachPersistence();

    // Fixture: printers, drivers, forms.
    void AddPrinter(const WinPrinterRecord& printer); // also creates its registry key
    bool RemovePrinter(std::u16string_view name);
    WinPrinterRecord* FindPrinter(std::u16string_view name);
    // The key of the printer's data (what GetPrinterDataW reads); null for
    // a printer the store does not hold.
    std::shared_ptr<WinRegistryKey> FindPrinterData(std::u16string_view name);
    void AddDriver(const WinDriverRecord& driver);
    WinDriverRecord* FindDriver(std::u16string_view name, std::u16string_view environment);
    void AddForm(const WinFormRecord& form);
    void ClearForms();
    static std::vector<WinFormRecord> BuiltInForms();

    // Fixture: registry.
    void SetRegistryValue(HKEY root, std::u16string_view path, std::u16string_view name, DWORD type,
                          std::vector<BYTE> data);
    void SetRegistryString(HKEY root, std::u16string_view path, std::u16string_view name,
                           std::u16string_view text);
    void SetRegistryDword(HKEY root, std::u16string_view path, std::u16string_view name, DWORD value);
    void CreateRegistryKey(HKEY root, std::u16string_view path);
    void SetKeyWritable(HKEY root, std::u16string_view path, bool writable);
    // Makes every write of a value of this name (any key, registry or printer
    // data) fail with error, so a test can break one step of a multi-value
    // write; an empty name, or Reset, lets every write through again.
    void FailValueWrites(std::u16string_view valueName, DWORD error);
    // The error a write of this value name must fail with, or ERROR_SUCCESS.
    // Callers hold Mutex().
    DWORD ValueWriteFailure(std::u16string_view valueName) const;
    // How many writes of a value (registry or printer data: set or delete)
    // or of a printer's settings (SetPrinterW) were asked since the last
    // Reset, refused ones included: a test counts what a call tries to
    // change, whatever its handle may do. NoteWriteRequest: callers hold
    // Mutex().
    uint64_t WriteRequests() const { return writeRequests_; }
    void NoteWriteRequest() { ++writeRequests_; }
    // Null when missing.
    std::shared_ptr<WinRegistryKey> FindRegistryKey(HKEY root, std::u16string_view path);
    // The hive of a predefined key (either form of its value); null otherwise.
    std::shared_ptr<WinRegistryKey> Hive(HKEY root);

    // Fixture: system.
    void SetUserName(std::u16string_view name);
    void SetComputerName(std::u16string_view name);
    void SetCodePages(UINT ansi, UINT oem);
    void SetOsVersion(const WinOsVersion& version);
    void SetLanguages(LANGID system, LANGID user);
    void SetEnvironmentVariable(std::u16string_view name, std::u16string_view value);
    void UnsetEnvironmentVariable(std::u16string_view name);
    const std::u16string* FindEnvironmentVariable(std::u16string_view name) const;
    void QueueUuid(const UUID& uuid); // UuidCreate answers queued ones first
    bool TakeQueuedUuid(UUID& uuid);

    // Fixture: clock.
    void UseFakeClock(const SYSTEMTIME& utc);
    void UseRealClock();
    void AdvanceClock(uint32_t milliseconds); // fake clock only
    void SetTimeZone(const WinTimeZoneSetting& zone);

    // Fixture: paths and modules.
    void MapDrive(char16_t letter, std::string hostFolder);
    void SetSystemRoot(std::u16string_view windowsPath);
    void SetNetworkRoot(std::string hostFolder);
    void SetCurrentDirectory(std::u16string_view windowsPath);
    void SetProcessPath(std::u16string_view windowsPath);
    void RegisterModule(std::u16string_view windowsName, std::string hostPath,
                        std::u16string_view windowsPath = {});
    void AddModuleFolder(std::string hostFolder);

private:
    WinHostStore();
    void ReplaceState(WinMachineState state);

    std::recursive_mutex mutex_;
    WinMachineState state_;
    uint64_t generation_ = 1;
    std::unique_ptr<WinStorePersistence> persistence_;
    std::unique_ptr<WinClock> fakeClock_;
    std::unique_ptr<WinClock> realClock_;
    std::deque<UUID> queuedUuids_;
    std::u16string failingValueName_;
    DWORD failingValueError_ = 0;
    uint64_t writeRequests_ = 0;
};
