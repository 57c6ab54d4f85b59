#include "device/GJobContext.h"

#include "driver/GSettingValues.h"
#include "model/GValueAttribute.h"

namespace {

// Stores value in the group's setting id, adding the setting when the group
// has none.
void Put(MPersistentObject* group, uint32_t id, uint16_t value) {
    if (group == nullptr || GSettingValues::Set(group, id, value)) return;
    group->Add(new GValueAttribute(value, id));
}

} // namespace

GJobContext::~GJobContext() = default;

void GJobContext::ApplyCollation(MPersistentObject* group364, MPersistentObject* group362,
                                 MPersistentObject* group363, MPersistentObject* group365) {
    const std::optional<uint16_t> copies = GSettingValues::Get(group364, kCopiesId);
    if (!copies.has_value()) return;
    Put(group362, kCopiesId, *copies);
    const bool deviceCopies = GSettingValues::Get(group365, kDeviceCollatesId) == uint16_t{1} &&
                              (GSettingValues::Get(group364, kCollateId) == uint16_t{1} ||
                               GSettingValues::Get(group365, kMassStorageId) == uint16_t{1});
    Put(group362, kDeviceCopiesId, deviceCopies ? *copies : uint16_t{1});
    Put(group363, kPageCopiesId, deviceCopies ? uint16_t{1} : *copies);
}

void GJobContext::SelectGrayConversion(int32_t mode, const uint8_t* data, size_t length) {
    grayConversion_.Select(mode, data, length);
}
