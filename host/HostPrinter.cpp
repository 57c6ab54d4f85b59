#include "host/HostPrinter.h"

#include <cstdint>
#include <vector>

#include "host/HostLastError.h"
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

std::string HostPrinter::DataFileUtf8() const {
    if (handle_ == nullptr) return std::string();
    DWORD needed = 0;
    GetPrinterDriverW(handle_, nullptr, 2, nullptr, 0, &needed);
    if (needed < sizeof(DRIVER_INFO_2W)) return std::string();
    // Aligned for the record at its start.
    std::vector<uint64_t> buffer((needed + sizeof(uint64_t) - 1) / sizeof(uint64_t));
    auto* bytes = reinterpret_cast<BYTE*>(buffer.data());
    if (!GetPrinterDriverW(handle_, nullptr, 2, bytes, needed, &needed)) return std::string();
    const auto* info = reinterpret_cast<const DRIVER_INFO_2W*>(bytes);
    return info->pDataFile != nullptr ? WinText::ToUtf8(info->pDataFile) : std::string();
}

std::string HostPrinter::ExportFailure(const char* exportName, long long answer) const {
    // Asking the spooler for the data file sets last errors of its own.
    const DWORD error = GetLastError();
    const std::string dataFile = DataFileUtf8();
    return std::string(exportName) + " failed for printer \"" + nameUtf8_ + "\" (data file " +
           (dataFile.empty() ? std::string("unknown") : dataFile) + "): " + HostLastError::Meaning(error) +
           " (answer " + std::to_string(answer) + ", last error " + std::to_string(error) + ")";
}
