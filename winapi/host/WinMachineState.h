#pragma once
// Everything the stand-in machine knows, as plain data: the two registry
// hives (printer data included, under the printers' keys), the printers,
// their drivers and the forms, users, clock setting, code pages, OS version,
// languages, environment, the host folders behind Windows paths and the
// module table. The host store (winapi/host/WinHostStore.h) holds one of these;
// its persistence saves and loads it whole.
#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "winapi/WinApi.h"
#include "winapi/WinTypes.h"
#include "winapi/host/WinRegistryKey.h"

struct WinPrinterRecord {
    std::u16string name;       // as OpenPrinterW is given it
    std::u16string serverName; // empty for a local printer
    std::u16string shareName;
    std::u16string portName;
    std::u16string driverName;
    std::u16string comment;
    std::u16string location;
    std::u16string printProcessor = u"WinPrint";
    std::u16string datatype = u"NT EMF 1.003";
    std::vector<BYTE> devMode;        // the default DEVMODE, public and private part
    DWORD attributes = 0x40;          // PRINTER_ATTRIBUTE_LOCAL
    DWORD allowedAccess = 0x000F000C; // what the current user may open it with
};

struct WinDriverRecord {
    std::u16string name;
    std::u16string environment = u"Windows NT x86";
    DWORD version = 3;
    std::u16string driverPath;
    std::u16string dataFile;
    std::u16string configFile;
};

struct WinFormRecord {
    std::u16string name;
    DWORD flags = 0; // FORM_USER, FORM_BUILTIN
    LONG width = 0;  // thousandths of a millimetre
    LONG height = 0;
    LONG left = 0; // imageable area
    LONG top = 0;
    LONG right = 0;
    LONG bottom = 0;
};

struct WinOsVersion {
    DWORD major = 5;
    DWORD minor = 0;
    DWORD build = 2195;
    DWORD platformId = 2; // VER_PLATFORM_WIN32_NT
    std::u16string csdVersion;
    WORD servicePackMajor = 0;
    WORD servicePackMinor = 0;
    WORD suiteMask = 0;
    BYTE productType = 1; // VER_NT_WORKSTATION
    // GetVersionExW fails for a block of one of these sizes; GetVersion
    // answers as usual.
    std::set<DWORD> failingBlockSizes;
};

struct WinTimeZoneSetting {
    LONG bias = 0; // minutes; UTC = local time + bias
    std::u16string standardName = u"Coordinated Universal Time";
    LONG standardBias = 0;
    std::u16string daylightName;
    LONG daylightBias = -60;
    bool daylightInEffect = false;
};

struct WinModuleEntry {
    std::u16string windowsName; // "RUZEVE32.DLL", matched without regard to case
    std::string hostPath;       // the shared library
    std::u16string windowsPath; // what GetModuleFileNameW answers; empty: system folder + name
};

struct QV_WINAPI_API WinMachineState {
    WinMachineState();
    WinMachineState(const WinMachineState& other); // deep copy of the hives
    WinMachineState& operator=(const WinMachineState& other);
    WinMachineState(WinMachineState&&) noexcept = default;
    WinMachineState& operator=(WinMachineState&&) noexcept = default;

    std::shared_ptr<WinRegistryKey> machineHive;
    std::shared_ptr<WinRegistryKey> userHive;

    std::vector<WinPrinterRecord> printers;
    std::vector<WinDriverRecord> drivers;
    std::vector<WinFormRecord> forms;

    std::u16string userName = u"User";
    std::u16string computerName = u"QVHOST";
    UINT ansiCodePage = 1252;
    UINT oemCodePage = 437;
    // The simulated process's C runtime locale (winapi/WinCrtLocale.h): the
    // code page of each category, 0 for "C"; index 0 (all categories) is
    // unused. Process state: not persisted.
    std::array<UINT, 6> crtLocaleCodePages{};
    WinOsVersion osVersion;
    LANGID systemLanguage = 0x0409;
    LANGID userLanguage = 0x0409;
    WinTimeZoneSetting timeZone;
    bool fakeClock = true;
    int64_t fakeUtcMilliseconds = 0; // since 1 January 1601
    uint64_t fakeTickMilliseconds = 0;

    std::vector<std::pair<std::u16string, std::u16string>> environment;
    std::map<char16_t, std::string> drives; // upper-case letter -> host folder
    std::u16string systemRoot = u"C:\\WINNT";
    std::string networkRoot; // host folder holding <server>/<share>/...; empty: no network
    std::u16string currentDirectory = u"C:\\";
    std::u16string processPath = u"C:\\WINNT\\System32\\spoolsv.exe";
    std::vector<WinModuleEntry> modules;
    std::vector<std::string> moduleFolders;
};
