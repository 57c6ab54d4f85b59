#include "host/HostModule.h"

#include "host/HostStoreSetup.h"
#include "winapi/WinError.h"
#include "winapi/WinModule.h"

HostModule::~HostModule() {
    if (module_ != nullptr) FreeLibrary(module_);
}

bool HostModule::Load(const std::string& hostPath, std::string& error) {
    const std::u16string windowsPath = HostStoreSetup::WindowsPath(hostPath);
    module_ = LoadLibraryW(windowsPath.c_str());
    if (module_ == nullptr) {
        error = "cannot load the module " + hostPath + " (last error " + std::to_string(GetLastError()) + ")";
        return false;
    }
    path_ = hostPath;
    return true;
}

FARPROC HostModule::Find(const char* name, std::string& error) const {
    FARPROC proc = module_ == nullptr ? nullptr : GetProcAddress(module_, name);
    if (proc == nullptr) error = "the module " + path_ + " does not export " + name;
    return proc;
}
