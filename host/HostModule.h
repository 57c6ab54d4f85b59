#pragma once
// The module as the spooler holds it: loaded through the platform layer's
// loader (so its DllMain runs) and its exports found by name.
#include <string>

#include "winapi/WinTypes.h"

class HostModule {
public:
    HostModule() = default;
    ~HostModule();
    HostModule(const HostModule&) = delete;
    HostModule& operator=(const HostModule&) = delete;

    // False with a message (and the loader's last error) when it cannot be loaded.
    bool Load(const std::string& hostPath, std::string& error);

    // The export of that name as a function of type Proc; null with a
    // message naming it when the module does not export it.
    template <typename Proc> Proc Export(const char* name, std::string& error) const {
        return reinterpret_cast<Proc>(reinterpret_cast<void*>(Find(name, error)));
    }

private:
    FARPROC Find(const char* name, std::string& error) const;

    HMODULE module_ = nullptr;
    std::string path_;
};
