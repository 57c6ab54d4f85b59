#include "driver/GDriver.h"

GDriver::~GDriver() = default;

void GDriver::ClearText(RWWString& text) {
    text = RWWString();
}

RWWString GDriver::EmptyText() const {
    return RWWString();
}
