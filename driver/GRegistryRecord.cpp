#include "driver/GRegistryRecord.h"

GRegistryRecord::GRegistryRecord(const RWWString& name, uintptr_t firstNumber)
    : name_(name), firstNumber_(firstNumber) {}

GRegistryRecord::~GRegistryRecord() = default;
