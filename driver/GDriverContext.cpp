#include "driver/GDriverContext.h"

#include "driver/GPrinterIdentity.h"
#include "model/MPersistentObject.h"

GDriverContext::GDriverContext(const RWWString& printerName, const RWWString& driverName,
                               const RWWString& portName)
    : printerName_(printerName), driverName_(driverName), portName_(portName) {}

GDriverContext::~GDriverContext() = default;

void GDriverContext::ResetCache(const GPrinterIdentity&) {}

void GDriverContext::SetNames(const RWWString& printerName, const RWWString& driverName,
                              const RWWString& portName) {
    printerName_ = printerName;
    driverName_ = driverName;
    portName_ = portName;
}

void GDriverContext::SetConfiguration(MPersistentObject* tree) {
    configuration_.Reset(tree);
}

void GDriverContext::SetResourceMappings(MPersistentObject* mappings) {
    resourceMappings_.Reset(mappings);
}

void GDriverContext::SetOSTrayMap(MPersistentObject* trayMap) {
    osTrayMap_.Reset(trayMap);
}

void GDriverContext::SetResourceMappingList(MPersistentObject* list) {
    resourceMappingList_.Reset(list);
}

MPersistentObject* GDriverContext::GetPrinterConfiguration() {
    return nullptr;
}
