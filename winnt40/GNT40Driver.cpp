#include "winnt40/GNT40Driver.h"

#include "driver/GJobHookHolder.h"
#include "driver/GPrinterIdentity.h"
#include "driver/GSheetContextBlock.h"
#include "model/GAttributeComposite.h"

GNT40Driver::GNT40Driver(HANDLE printer, const RWWString& printerName, const RWWString& driverName,
                         const RWWString& portName, uint32_t)
    : GDriverContext(printerName, driverName, portName), printer_(printer),
      jobHookHolder_(std::make_unique<GJobHookHolder>()) {}

GNT40Driver::~GNT40Driver() = default;

void GNT40Driver::NoteHostPath() {}
std::unique_ptr<GPrinterIdentity> GNT40Driver::MakeIdentity() const {
    return std::make_unique<GPrinterIdentity>(printer_, GetPrinterName(), GetDriverName(), GetPortName(), 0);
}
void GNT40Driver::Retarget(const GPrinterIdentity& identity) {
    printer_ = identity.GetPrinterHandle();
    GDriverContext::ResetCache(identity);
}
HANDLE GNT40Driver::GetActiveHandle() const {
    return useAdminHandle_ == 1 ? adminHandle_ : printer_;
}
int32_t GNT40Driver::OpenAdminHandle() {
    return 0;
}
void GNT40Driver::CloseAdminHandle() {}
void GNT40Driver::UseAdminHandle(uint32_t) {}
int32_t GNT40Driver::IsPrinterDataWritable() {
    return 0;
}
int32_t GNT40Driver::WriteDefaultDevMode() {
    return 0;
}
GSheetContextBlock* GNT40Driver::CreateSheetBlock() {
    return nullptr;
}
void GNT40Driver::FreeSheetBlock(GSheetContextBlock* block) {
    delete block;
}
void GNT40Driver::CopyFontFilesFromServer() {}
void GNT40Driver::DeleteFontFiles() {}
RWWString GNT40Driver::ReadFontSourcePath(uint32_t) {
    return RWWString();
}
RWWString GNT40Driver::ConfineToDriverFolder(const RWWString&) {
    return RWWString();
}
RWWString GNT40Driver::GetResourceModuleName() {
    return resourceModuleName_;
}
RWWString GNT40Driver::GetModuleRelativePath() {
    return RWWString();
}
int32_t GNT40Driver::AddMissingForms() {
    return 0;
}
void GNT40Driver::AddDefaultWatermarks(GAttributeComposite&) {}
int32_t GNT40Driver::MediaToPaperNumber(uint16_t, uint16_t&) {
    return 0;
}
int32_t GNT40Driver::FormMatchesMedia(const FORM_INFO_1W&, const GMedia&, int32_t, int32_t, HMODULE) {
    return 0;
}
void GNT40Driver::GetPrinterNameAndHandle(RWWString& name, HANDLE& printer, uint32_t& word) const {
    name = GetPrinterName();
    printer = printer_;
    word = 0;
}
void GNT40Driver::StoreMassStorageFontSettings() {}
RWWString GNT40Driver::GetHostPath() const {
    return RWWString(hostPath_.data());
}
