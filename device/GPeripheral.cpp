#include "device/GPeripheral.h"

GPeripheral::~GPeripheral() = default;

uint16_t GPeripheral::OnValueAttribute(GValueAttribute&) {
    return 0;
}

uint16_t GPeripheral::OnStringAttribute(GStringAttribute&) {
    return 0;
}

uint16_t GPeripheral::OnEnumAttribute(GEnumAttribute&) {
    return 0;
}

uint16_t GPeripheral::OnRangeAttribute(GRangeAttribute&) {
    return 0;
}

uint16_t GPeripheral::OnMedia(GMedia&) {
    return 0;
}

uint16_t GPeripheral::OnTray(GTray&) {
    return 0;
}
