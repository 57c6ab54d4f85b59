#include "driver/GNTDriverBase.h"

#include "model/GAttributeComposite.h"

GNTDriverBase::GNTDriverBase() = default;

GNTDriverBase::~GNTDriverBase() = default;

int32_t GNTDriverBase::LoadDevMode(const DEVMODEW*) {
    return 0;
}
int32_t GNTDriverBase::CommitSettings(GAttributeComposite*, int32_t) {
    return 0;
}
std::unique_ptr<GAttributeComposite> GNTDriverBase::RestoreSettingsComposite(uint32_t) {
    return nullptr;
}
int32_t GNTDriverBase::StoreSettingsComposite(const GAttributeComposite*) {
    return 0;
}
void GNTDriverBase::SyncSettingsWithPrinterData(GAttributeComposite*) {}
void GNTDriverBase::InitAppFlags() {}
uint32_t GNTDriverBase::GetDevModeSize(int32_t) {
    return kDevModeSize;
}
int32_t GNTDriverBase::IsDevmodeAppflagEnabled() {
    return 1;
}
int32_t GNTDriverBase::IsRemotePrinter() {
    return 0;
}
RWWString GNTDriverBase::GetLocalJobStorageKey() {
    return RWWString();
}
int32_t GNTDriverBase::SetLocalJobStorage(uint32_t) {
    return 0;
}
RWWString GNTDriverBase::GetLocalWatermarkPoolKey() {
    return RWWString();
}
int32_t GNTDriverBase::SaveLocalWatermarkPool(const GAttributeComposite&) {
    return 0;
}
int32_t GNTDriverBase::SaveLocalWatermarks(GAttributeComposite&) {
    return 0;
}
void GNTDriverBase::MergeLocalWatermarks(GAttributeComposite&) {}
RWWString GNTDriverBase::GetPrinterUniqueId() {
    return RWWString();
}
void GNTDriverBase::SetCachedPrinterSettings(std::unique_ptr<GAttributeComposite>) {}
std::unique_ptr<GAttributeComposite> GNTDriverBase::NewDefaultSettings() {
    return nullptr;
}
std::unique_ptr<GAttributeComposite> GNTDriverBase::GetCurrentSettings() {
    return nullptr;
}
void GNTDriverBase::RebuildPaperSizeList(GAttributeComposite&) {}
int32_t GNTDriverBase::IsFormAtPositionUsable(uint32_t) {
    return 0;
}
int32_t GNTDriverBase::PaperNumberToMediaId(uint16_t, uint16_t&) {
    return 0;
}
int32_t GNTDriverBase::MediaIdToPaperNumber(uint16_t, uint16_t&) {
    return 0;
}
int32_t GNTDriverBase::AddOrUpdateForm(GCustomMediaSize&, GAttributeComposite*) {
    return 0;
}
int32_t GNTDriverBase::DeleteForm(const RWWString&) {
    return 0;
}
int32_t GNTDriverBase::EnumerateUsableForms(FormCallback, void*) {
    return 0;
}
int32_t GNTDriverBase::EnumerateFittingForms(FormCallback, void*) {
    return 0;
}
uint16_t GNTDriverBase::GetStandardMediaId(uint16_t mediaId, MPersistentObject*) {
    return mediaId;
}
RWWString GNTDriverBase::GetResourceModulePath() {
    return RWWString();
}
int32_t GNTDriverBase::EnumerateBuiltInForms(FormNameCallback, void*) {
    return 0;
}
int32_t GNTDriverBase::IsFormBuiltIn(const RWWString&) {
    return 0;
}
int32_t GNTDriverBase::MediaToPaperNumber(uint16_t, uint16_t&) {
    return 0;
}
MPersistentObject* GNTDriverBase::GetDevModeSettings() const {
    return devMode_ != nullptr ? devMode_->GetSettings() : nullptr;
}
int32_t GNTDriverBase::PaperIdToDmPaper(uint32_t, uint16_t&) {
    return 0;
}
int32_t GNTDriverBase::DmPaperToPaperId(int16_t, uint16_t&) {
    return 0;
}
int32_t GNTDriverBase::AcceptsPaper(int32_t, int32_t, int32_t, int32_t, int16_t) {
    return 0;
}
int32_t GNTDriverBase::AcceptsResolution(int32_t, int32_t) {
    return 0;
}
int32_t GNTDriverBase::AcceptsBin(int16_t) {
    return 0;
}
uint32_t GNTDriverBase::MapPaperIdForSettings(MPersistentObject*, uint32_t paperId) {
    return paperId;
}
GAttributeComposite* GNTDriverBase::MergeMatchingValues(const GAttributeComposite&,
                                                        GAttributeComposite* into) {
    return into;
}
void GNTDriverBase::FillResourceMappingList(GResourceMappingList&) {}
int32_t GNTDriverBase::FormIndexToPaperId(uint32_t, uint16_t&) {
    return 0;
}
int32_t GNTDriverBase::PaperIdToFormIndex(uint16_t, uint32_t&) {
    return 0;
}
int32_t GNTDriverBase::AcceptsForm(const FORM_INFO_1W&, uint32_t, int32_t, int32_t) {
    return 0;
}
