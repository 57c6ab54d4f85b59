#include "driver/GDriverContext.h"

#include "model/MPersistentObject.h"

GDriverContext::GDriverContext(const RWWString& printerName, const RWWString& driverName,
                               const RWWString& portName)
    : printerName_(printerName), driverName_(driverName), portName_(portName) {}

GDriverContext::~GDriverContext() = default;

void GDriverContext::SetConfiguration(MPersistentObject* tree) {
    configuration_.Reset(tree);
}

MPersistentObject* GDriverContext::GetPrinterConfiguration() {
    return nullptr;
}
