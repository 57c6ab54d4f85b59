#include "host/HostSession.h"

#include <filesystem>
#include <system_error>

#include "host/HostPrinterInstaller.h"
#include "host/HostStoreSetup.h"
#include "winapi/WinError.h"
#include "winapi/host/WinHostStore.h"

HostSession::HostSession(HostOptions options) : options_(std::move(options)) {}

bool HostSession::Start(const std::string& programPath, std::string& error) {
    std::error_code failure;
    std::filesystem::path program = std::filesystem::canonical("/proc/self/exe", failure);
    if (failure) program = std::filesystem::absolute(programPath);
    const std::filesystem::path beside = program.parent_path();
    if (options_.modulePath.empty()) options_.modulePath = (beside / "libqvui.so").string();
    if (options_.printersFolder.empty()) options_.printersFolder = (beside / "printers").string();
    options_.modulePath = std::filesystem::absolute(options_.modulePath).lexically_normal().string();
    options_.printersFolder = std::filesystem::absolute(options_.printersFolder).lexically_normal().string();
    if (options_.storeFolder.empty()) {
        error = "the host store's folder is missing: --store DIR";
        return false;
    }
    bool fresh = false;
    if (!HostStoreSetup::Open(options_.storeFolder, options_.printersFolder, options_.modulePath, fresh,
                              error))
        return false;
    RegisterResourceLibrary();
    if (!module_.Load(options_.modulePath, error)) return false;
    // A fresh store is written once its printers are installed: one that
    // cannot be stays unmade, and the next run tries again.
    return !fresh ||
           (HostPrinterInstaller::InstallModelPrinters(module_, error) && HostStoreSetup::Save(error));
}

// The driver's resource module ("QVUIRES.DLL", named by the data files) is
// built as libqvuires.so beside the module; without it paper and tray names
// that come from its string table would be empty.
// The module itself is installed under its driver-file name ("QVUI.DLL"),
// which the data files name as the extension module of its own tabs.
void HostSession::RegisterResourceLibrary() const {
    const std::filesystem::path library =
        std::filesystem::path(options_.modulePath).parent_path() / "libqvuires.so";
    if (std::filesystem::is_regular_file(library))
        WinHostStore::Instance().RegisterModule(u"QVUIRES.DLL", library.string());
    WinHostStore::Instance().RegisterModule(u"QVUI.DLL", options_.modulePath);
}

bool HostSession::ExpectArguments(size_t min, size_t max, const std::string& usage,
                                  std::string& error) const {
    if (options_.arguments.size() >= min && options_.arguments.size() <= max) return true;
    error = "usage: qvhost " + usage;
    return false;
}

std::string HostSession::ExportFailure(const char* exportName, long long answer) {
    return std::string(exportName) + " failed (answer " + std::to_string(answer) + ", last error " +
           std::to_string(GetLastError()) + ")";
}
