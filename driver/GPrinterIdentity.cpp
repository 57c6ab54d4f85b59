#include "driver/GPrinterIdentity.h"

#include <vector>

#include "winapi/WinError.h"
#include "winapi/WinPrinterInfo2.h"
#include "winapi/WinSpool.h"

GPrinterIdentity::GPrinterIdentity(HANDLE printer, const RWWString& printerName, uint32_t flag)
    : printer_(printer), printerName_(printerName), flag_(flag) {
    // The spooler questions below set last errors of their own (the size
    // query always does); none of them fails the caller's call, so the
    // caller's last error is kept.
    const DWORD callersError = GetLastError();
    bool opened = false;
    if (printer_ == nullptr) {
        std::vector<WCHAR> name(printerName_.Data(), printerName_.Data() + printerName_.Length());
        name.push_back(0);
        HANDLE handle = nullptr;
        if (OpenPrinterW(name.data(), &handle, nullptr) == TRUE) {
            printer_ = handle;
            opened = true;
        }
    }
    if (printer_ != nullptr) ReadPrinter(printer_);
    if (opened) {
        ClosePrinter(printer_);
        printer_ = nullptr;
    }
    SetLastError(callersError);
}

void GPrinterIdentity::ReadPrinter(HANDLE printer) {
    WinPrinterInfo2 info(printer);
    const PRINTER_INFO_2W* record = info.Get();
    if (record == nullptr) return;
    if (record->pPrinterName != nullptr) {
        RWWString spoolerName(record->pPrinterName);
        if (printerName_.Length() == 0 || !(printerName_ == spoolerName)) printerName_ = spoolerName;
    }
    if (record->pDriverName != nullptr) driverName_ = RWWString(record->pDriverName);
    if (record->pPortName != nullptr) portName_ = RWWString(record->pPortName);
}

GPrinterIdentity::GPrinterIdentity(HANDLE printer, const RWWString& printerName, const RWWString& driverName,
                                   const RWWString& portName, uint32_t flag)
    : printer_(printer), printerName_(printerName), driverName_(driverName), portName_(portName),
      flag_(flag) {}

GPrinterIdentity::~GPrinterIdentity() = default;

int GPrinterIdentity::IsSame(const GPrinterObjectBase* other) const {
    const auto* that = dynamic_cast<const GPrinterIdentity*>(other);
    if (that == nullptr) return 0;
    return printer_ == that->printer_ && printerName_ == that->printerName_ && flag_ == that->flag_ &&
                   driverName_ == that->driverName_ && portName_ == that->portName_
               ? 1
               : 0;
}

int GPrinterIdentity::IsSameDriver(const GPrinterObjectBase* other) const {
    const auto* that = dynamic_cast<const GPrinterIdentity*>(other);
    return that != nullptr && driverName_ == that->driverName_ ? 1 : 0;
}
