#include "model/GPrinterObjectBase.h"

GPrinterObjectBase::~GPrinterObjectBase() = default;

int GPrinterObjectBase::IsSame(const GPrinterObjectBase*) const {
    return 0;
}
