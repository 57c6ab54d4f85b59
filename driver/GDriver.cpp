#include "driver/GDriver.h"

GDriver::~GDriver() = default;

void GDriver::ClearText(RWWString& text) {
    text = RWWString();
}

RWWString GDriver::EmptyText() const {
    return RWWString();
}

int32_t GDriver::GetPrinterLocation(RWWString& location) {
    location = RWWString();
    return 0;
}

RWWString GDriver::GetJobName() const {
    return RWWString();
}
