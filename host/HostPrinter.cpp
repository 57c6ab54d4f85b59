#include "host/HostPrinter.h"

#include "winapi/WinError.h"
#include "winapi/WinSpool.h"
#include "winapi/WinText.h"
#include "winapi/host/WinHostStore.h"

HostPrinter::~HostPrinter() {
    if (handle_ != nullptr) ClosePrinter(handle_);
}

bool HostPrinter::Open(const std::string& name, std::string& error, DWORD access) {
    name_ = WinText::FromUtf8(name);
    nameUtf8_ = name;
    if (WinHostStore::Instance().FindPrinter(name_) == nullptr) {
        error = "no printer named \"" + name + "\" in the store (qvhost printers lists them)";
        return false;
    }
    PRINTER_DEFAULTSW defaults{nullptr, nullptr, access};
    if (!OpenPrinterW(name_.data(), &handle_, &defaults)) {
        handle_ = nullptr;
        error =
            "cannot open the printer \"" + name + "\" (last error " + std::to_string(GetLastError()) + ")";
        return false;
    }
    return true;
}
