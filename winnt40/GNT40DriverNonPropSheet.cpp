// GNT40Driver: the job-mode escape at the end of a document and the page
// run without a property sheet that it may ask for.
#include <memory>

#include "driver/GSettingValues.h"
#include "driver/GSheetContextBlock.h"
#include "model/GSettingIds.h"
#include "winapi/WinGdiDraw.h"
#include "winnt40/GCPSOSUI.h"
#include "winnt40/GNT40Driver.h"
#include "winnt40/PropertySheetGlueExports.h"

namespace {

bool IsManualDuplexJob(MPersistentObject* settings) {
    return GSettingValues::IsNonZero(settings, GSettingId::kDuplex) &&
           GSettingValues::IsNonZero(settings, GSettingId::kManualDuplex);
}

} // namespace

int32_t GNT40Driver::SendJobModeEscape(HDC dc, uint32_t mode) {
    MPersistentObject* settings = GetCachedPrinterSettings();
    if (!IsManualDuplexJob(settings)) return 1;
    const uint32_t words[3] = {~static_cast<uint32_t>(kEscapeJobMode), mode, 0};
    char block[sizeof words];
    for (size_t i = 0; i < 3; ++i)
        for (size_t b = 0; b < 4; ++b)
            block[i * 4 + b] = static_cast<char>(words[i] >> (8 * b));
    const int answer = ExtEscape(dc, kEscapeJobMode, sizeof block, block, 0, nullptr);
    if (mode == 1 && answer == 1 && settings->FindById(GSettingId::kManualDuplexPjlLine) == nullptr)
        RunNonPropPageSheet();
    return 1;
}

int32_t GNT40Driver::RunNonPropPageSheet() {
    if (!IsManualDuplexJob(GetCachedPrinterSettings())) return 1;
    if (GSheetContextBlock* block = CreateSheetBlock()) {
        block->hostSheet = block->module;
        block->hostCallBack = &NonPropPageSheet;
        block->kind = GSheetContextBlock::kDocumentSheet;
        block->flags = 0;
        {
            const auto glue = std::make_unique<GCPSOSUI>();
            glue->Run(block, GCPSOSUI::kSinglePageMode);
            glue->End(block);
        }
        FreeSheetBlock(block);
    }
    if (IsAdminHandleOpen()) CloseAdminHandle();
    return 1;
}
