#include "driver/GDriver.h"

GDriver::~GDriver() = default;

GJobContext* GDriver::AsJobObject() {
    return nullptr;
}

GDriver* GDriver::AsDriver() {
    return this;
}

void GDriver::PrepareToPark() {}
