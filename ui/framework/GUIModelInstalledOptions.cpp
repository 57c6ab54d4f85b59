// Update Now: the printer status tool and the re-read of the installed
// options.
#include <optional>
#include <string>

#include "driver/GDriver.h"
#include "driver/GUIData.h"
#include "model/GOSVersionInfo.h"
#include "model/GSettingIds.h"
#include "model/GStringConversion.h"
#include "model/GValueAttribute.h"
#include "ui/framework/GInstalledOptionsUpdater.h"
#include "ui/framework/GUIModel.h"
#include "winapi/WinModule.h"
#include "winapi/WinProcess.h"

namespace {

// The oldest systems have no status tool; the agent route hands the driver
// instance to the platform services only on the Windows 95 family.
constexpr uint32_t kFamilyWithoutStatusTool = 2;
constexpr uint32_t kFamilyPassingInstance = 3;
constexpr const char* kStatusTool = "VUVUzaRe.exe";
constexpr DWORD kToolPathLength = 520;

uint32_t SystemFamily() {
    GOSVersionInfo version;
    version.Detect();
    return version.GetFamily();
}

// The folder of the module's file with its closing backslash; empty when
// there is none.
std::string ModuleFolder(HMODULE module) {
    char path[kToolPathLength] = {};
    const DWORD length = GetModuleFileNameA(module, path, kToolPathLength);
    if (length == 0 || length >= kToolPathLength) return std::string();
    const std::string file(path, length);
    const size_t slash = file.find_last_of('\\');
    return slash == std::string::npos ? std::string() : file.substr(0, slash + 1);
}

// A name for the command line: false when it cannot be had in the ANSI code
// page, or holds a double quote, which would end its quoted argument and let
// the rest of the name pass as arguments of its own.
bool QuotableName(const WCHAR* name, std::string& narrow) {
    RWCString text;
    if (name != nullptr && ConvertWideToNarrow(RWWString(name), text) == 0) return false;
    narrow.assign(text.Data(), text.Length());
    return narrow.find('"') == std::string::npos;
}

void StartStatusTool(const GUIData& owner) {
    std::string printer;
    std::string driver;
    if (!QuotableName(owner.printerName, printer) || !QuotableName(owner.driverName, driver)) return;
    const std::string command =
        ModuleFolder(owner.instance) + kStatusTool + "  /G /P \"" + printer + "\" /D \"" + driver + "\"";
    WinExec(command.c_str(), 0);
}

} // namespace

void GUIModel::LaunchStatusTool() {
    if (SystemFamily() != kFamilyWithoutStatusTool) StartStatusTool(*owner_);
}

uint16_t GUIModel::UpdateInstalledOptions() {
    const uint32_t family = SystemFamily();
    if (family != kFamilyWithoutStatusTool) StartStatusTool(*owner_);
    uint16_t status = 0;
    GDriver* driver = DriverInstance();
    if (driver != nullptr && updater_) status = ReReadInstalledOptions(*updater_, *driver, family);
    if (updater_) updater_->ConfigToSettings(*owner_);
    SetChanged(1);
    return status;
}

uint16_t GUIModel::ReReadInstalledOptions(GInstalledOptionsUpdater& updater, GDriver& driver,
                                          uint32_t family) {
    const GValueAttribute* route = nullptr;
    bool agentAsked = false;
    if (configuration_ != nullptr) {
        route = dynamic_cast<const GValueAttribute*>(
            configuration_->FindById(GSettingId::kInstalledOptionsUpdateRoute));
        MPersistentObject* group = configuration_->FindById(GSettingId::kDocumentGroup);
        agentAsked = group != nullptr && group->FindById(GSettingId::kMiniInstallerWanted) != nullptr;
    }
    if (route == nullptr || route->GetValue() == 0) return updater.ReReadDirectly(driver);
    // Through the agent only when the printer asks for it (364/1025).
    if (!agentAsked) return 0;
    return updater.ReReadThroughPrinter(driver, family == kFamilyPassingInstance).value_or(0);
}
