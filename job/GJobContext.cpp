#include "job/GJobContext.h"

#include "driver/GSettingValues.h"
#include "job/GJobAbort.h"
#include "model/GBinaryData.h"
#include "model/GCapabilities.h"
#include "model/GSettingIds.h"
#include "model/GValueAttribute.h"
#include "model/MPersistentIterator.h"
#include "pipeline/GCommandComposite.h"
#include "pipeline/GErrorCommand.h"
#include "pipeline/GPeripheral.h"

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

GJobContext::GJobContext() = default;

GJobContext::~GJobContext() = default;

void GJobContext::SetDocument(const RWWString& name, const RWWString& secondName, const RWCString& data) {
    documentName_ = name;
    secondName_ = secondName;
    documentData_ = data;
    documentPending_ = 1;
}

MPersistentObject* GJobContext::FindGroup(uint32_t id) const {
    MPersistentObject* settings = GetDocumentSettings();
    return settings != nullptr ? settings->FindById(id) : nullptr;
}

GCapabilities* GJobContext::FindCapability(uint32_t id) {
    MPersistentObject* configuration = GetPrinterConfiguration();
    MPersistentObject* node =
        configuration != nullptr ? configuration->FindById(GSettingId::kCapabilitySets) : nullptr;
    return node != nullptr ? dynamic_cast<GCapabilities*>(node->FindById(id)) : nullptr;
}

GPeripheral* GJobContext::GetConfigurationTree() {
    return dynamic_cast<GPeripheral*>(GetConfiguration());
}

GAttribute* GJobContext::MakeOriginTransform(int16_t, int16_t) {
    return nullptr;
}

void GJobContext::ApplyCollation(MPersistentObject* group364, MPersistentObject* group362,
                                 MPersistentObject* group363, MPersistentObject* group365) {
    const std::optional<uint16_t> copies = GSettingValues::Get(group364, GSettingId::kCopies);
    if (!copies.has_value()) return;
    Put(group362, GSettingId::kCopies, *copies);
    const bool deviceCopies =
        GSettingValues::Get(group365, GSettingId::kCollationInPrinter) == uint16_t{1} &&
        (GSettingValues::Get(group364, GSettingId::kCollate) == uint16_t{1} ||
         GSettingValues::Get(group365, GSettingId::kIgnoreApplicationCollation) == uint16_t{1});
    Put(group362, GSettingId::kDeviceCopies, deviceCopies ? *copies : uint16_t{1});
    Put(group363, GSettingId::kPageCopies, deviceCopies ? uint16_t{1} : *copies);
}

void GJobContext::SelectGrayConversion(int32_t mode, const uint8_t* data, size_t length) {
    grayConversion_.Select(mode, data, length);
}

void GJobContext::SelectGrayConversion(int32_t mode) {
    MPersistentObject* tree = GetConfiguration();
    MPersistentObject* group = tree != nullptr ? tree->FindById(GSettingId::kGreyConversionTables) : nullptr;
    const uint32_t id =
        mode == GGrayConversion::kWeighted ? GSettingId::kWeightedGrey : GSettingId::kGreyTables;
    const auto* data = group != nullptr ? dynamic_cast<GBinaryData*>(group->FindById(id)) : nullptr;
    if (data == nullptr) {
        grayConversion_.Select(GGrayConversion::kDefault, nullptr, 0);
        return;
    }
    grayConversion_.Select(mode, data->GetData(), data->GetLength());
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

uint16_t GJobContext::SubmitCommand(const GCountedPtr& command) {
    // A refused command is dropped with the caller's hold.
    uint16_t status = CheckReadyToSend();
    if (status == 0) status = FlushPageStart();
    if (status != 0) return status;
    return EmitCommand(command);
}

uint16_t GJobContext::FlushPageStart() {
    if (pageStartPending_ == 0) return 0;
    const uint16_t status = EmitCommand(MakePageStart());
    pageStartPending_ = 0;
    pageOpen_ = 1;
    return status;
}

uint16_t GJobContext::BeginDocument() {
    if (documentPending_ == 0) {
        jobStatus_ = kJobFailed;
        return kNoDocumentPending;
    }
    GPeripheral* tree = GetConfigurationTree();
    if (deviceOpen_ != 0 && tree != nullptr) tree->Reset();
    const uint16_t status = EmitCommand(StartDocument(documentName_, secondName_));
    deviceOpen_ = 1;
    if (status != 0) jobStatus_ = kJobFailed;
    documentStarted_ = 1;
    documentPending_ = 0;
    return status;
}

void GJobContext::ResetCache() {
    GDriverContext::ResetCache();
    outputFlag_ = 0;
    pageScaling_ = 0;
    if (deviceOpen_ != 0) {
        if (GPeripheral* tree = GetConfigurationTree()) tree->Reset();
        deviceOpen_ = 0;
    }
    SetUpJob();
    documentPending_ = 0;
    documentStarted_ = 0;
    documentName_ = RWWString();
    secondName_ = RWWString();
    greyScaleMode_ = 0;
    pageScaled_ = 0;
    scalingSettings_.Reset();
}

void GJobContext::ResetRenderState() {
    jobStatus_ = 0;
    jobValue_ = 0;
    scalingSettings_.Reset();
}
