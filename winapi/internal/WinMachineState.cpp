#include "winapi/host/WinMachineState.h"

WinMachineState::WinMachineState()
    : machineHive(std::make_shared<WinRegistryKey>(u"HKEY_LOCAL_MACHINE")),
      userHive(std::make_shared<WinRegistryKey>(u"HKEY_CURRENT_USER")) {
    drives[u'C'] = "/";
}

WinMachineState::WinMachineState(const WinMachineState& other) {
    *this = other;
}

WinMachineState& WinMachineState::operator=(const WinMachineState& other) {
    if (this == &other) return *this;
    machineHive = other.machineHive->Clone();
    userHive = other.userHive->Clone();
    printers = other.printers;
    drivers = other.drivers;
    forms = other.forms;
    userName = other.userName;
    computerName = other.computerName;
    ansiCodePage = other.ansiCodePage;
    oemCodePage = other.oemCodePage;
    crtLocaleCodePages = other.crtLocaleCodePages;
    osVersion = other.osVersion;
    systemLanguage = other.systemLanguage;
    userLanguage = other.userLanguage;
    timeZone = other.timeZone;
    fakeClock = other.fakeClock;
    fakeUtcMilliseconds = other.fakeUtcMilliseconds;
    fakeTickMilliseconds = other.fakeTickMilliseconds;
    environment = other.environment;
    drives = other.drives;
    systemRoot = other.systemRoot;
    networkRoot = other.networkRoot;
    currentDirectory = other.currentDirectory;
    processPath = other.processPath;
    modules = other.modules;
    moduleFolders = other.moduleFolders;
    return *this;
}
