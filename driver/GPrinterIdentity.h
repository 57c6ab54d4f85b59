#pragma once
// Which printer a printer-interface call is about: the caller's spooler
// handle, the printer, driver and port names, and a flag word of the
// caller's (every export passes 0). The driver server reuses a parked
// driver instance for an identity with the same driver name.
#include <cstdint>

#include "model/GPrinterObjectBase.h"
#include "rw/RWWString.h"
#include "winapi/WinTypes.h"

class GPrinterIdentity : public GPrinterObjectBase {
public:
    // A null handle and three empty names, flag 0.
    GPrinterIdentity() = default;
    // From a caller's handle (or null) and printer name: a null handle
    // opens the printer by name for the question and closes it again; the
    // spooler's printer, driver and port names complete the identity (the
    // given name stays, with empty driver and port names, when the printer
    // cannot be asked). The caller's last error is kept.
    GPrinterIdentity(HANDLE printer, const RWWString& printerName, uint32_t flag);
    GPrinterIdentity(HANDLE printer, const RWWString& printerName, const RWWString& driverName,
                     const RWWString& portName, uint32_t flag);
    GPrinterIdentity(const GPrinterIdentity& other) = default;
    GPrinterIdentity& operator=(const GPrinterIdentity& other) = default;
    ~GPrinterIdentity() override;

    // Non-zero when other is an identity with the same handle, flag and
    // names (compared character by character, case-sensitive).
    int IsSame(const GPrinterObjectBase* other) const override;
    // Non-zero when other is an identity whose driver name has the same
    // length and characters (case-sensitive); nothing else is compared.
    int IsSameDriver(const GPrinterObjectBase* other) const override;

    HANDLE GetPrinterHandle() const { return printer_; }
    const RWWString& GetPrinterName() const { return printerName_; }
    const RWWString& GetDriverName() const { return driverName_; }
    const RWWString& GetPortName() const { return portName_; }
    uint32_t GetFlag() const { return flag_; }

private:
    void ReadPrinter(HANDLE printer);

    HANDLE printer_ = nullptr;
    RWWString printerName_;
    RWWString driverName_;
    RWWString portName_;
    uint32_t flag_ = 0;
};
