#include "driver/GPrinterIdentity.h"

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
