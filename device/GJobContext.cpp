#include "device/GJobContext.h"

#include "device/GPeripheral.h"
#include "driver/GSettingValues.h"
#include "job/GCommandComposite.h"
#include "job/GErrorCommand.h"
#include "job/GJobAbort.h"
#include "model/GValueAttribute.h"
#include "model/MPersistentIterator.h"

namespace {

// Stores value in the group's setting id, adding the setting when the group
// has none.
void Put(MPersistentObject* group, uint32_t id, uint16_t value) {
    if (group == nullptr || GSettingValues::Set(group, id, value)) return;
    group->Add(new GValueAttribute(value, id));
}

// Walks reply and the lists inside it for error commands: whether there
// is one, and the first non-zero code into *code.
bool FindErrors(MPersistentObject* reply, uint16_t* code) {
    if (reply == nullptr) return false;
    if (auto* error = dynamic_cast<GErrorCommand*>(reply)) {
        if (*code == 0) *code = error->GetErrorCode();
        return true;
    }
    auto* list = dynamic_cast<GCommandComposite*>(reply);
    if (list == nullptr) return false;
    bool found = false;
    std::unique_ptr<MPersistentIterator> children = list->CreateIterator();
    while (children->Advance())
        found = FindErrors(children->Current(), code) || found;
    return found;
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

uint16_t GJobContext::EmitCommand(const GCountedPtr& command) {
    const uint16_t claimed = plugHolder_.Offer(dynamic_cast<const GCommand*>(command.Get()));
    if (claimed != 0) return claimed;
    GPeripheral* tree = GetConfigurationTree();
    if (tree == nullptr) return kNoDevice;
    const GCountedPtr reply = tree->Process(command);
    uint16_t status = 0;
    if (!FindErrors(reply.Get(), &status)) return 0;
    tree->Process(GCountedPtr(new GJobAbort()));
    jobStatus_ = kJobFailed;
    return status;
}
