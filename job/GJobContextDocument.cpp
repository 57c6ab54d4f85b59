// GJobContext: the document and page commands of a job and the page scale.
#include "job/GJobContext.h"

#include "driver/GSettingValues.h"
#include "job/GDocumentEnd.h"
#include "job/GDocumentStart.h"
#include "job/GPageEnd.h"
#include "job/GPageStart.h"
#include "model/GSettingIds.h"
#include "model/GState.h"
#include "pipeline/GNoCommand.h"
#include "pipeline/GPeripheral.h"

namespace {} // namespace

GCountedPtr GJobContext::StartDocument(const RWWString& name, const RWWString& secondName) {
    pageNumber_ = 0;
    lastScaledPage_ = 0;
    std::unique_ptr<GState> settings = BuildJobSettings();
    return GCountedPtr(new GDocumentStart(name, documentData_, secondName, this, settings.release(), 0));
}

GCountedPtr GJobContext::MakeDocumentEnd() {
    return GCountedPtr(new GDocumentEnd());
}

uint32_t GJobContext::FirstSheetLimit(MPersistentObject* pageSettings) const {
    if (!GSettingValues::IsNonZero(pageSettings, GSettingId::kDuplex) ||
        GSettingValues::IsNonZero(FindGroup(GSettingId::kPrintingGroup), GSettingId::kBooklet)) {
        return 1;
    }
    const std::optional<uint16_t> perSheet =
        GSettingValues::Get(FindGroup(GSettingId::kPagesPerSheetGroup), GSettingId::kPagesPerSheet);
    return perSheet.has_value() ? 2u * *perSheet : 2u;
}

GCountedPtr GJobContext::MakePageStart() {
    ++pageNumber_;
    MPersistentObject* group362 = FindGroup(GSettingId::kPrintingGroup);
    MPersistentObject* group364 = FindGroup(GSettingId::kDocumentGroup);
    std::unique_ptr<GState> page = CopyGroup(FindGroup(GSettingId::kPageGroup), GSettingId::kPageGroup);
    for (uint32_t id :
         {GSettingId::kOrientation, GSettingId::kPaper, GSettingId::kResolution, GSettingId::kDuplex})
        AddCopy(*page, group362, id);
    const uint32_t limit = FirstSheetLimit(page.get());
    // Later pages may come from their own source.
    if (pageNumber_ > limit &&
        GSettingValues::Get(group364, GSettingId::kDifferentFirstPage) == uint16_t{1} &&
        firstPageFlag_ == 0) {
        AddCopy(*page, group364, GSettingId::kOtherPagesPaperSource, GSettingId::kPaperSource);
    } else {
        AddCopy(*page, group364, GSettingId::kPaperSource);
    }
    PlaceMedia(*page, group364, limit);
    if (GSettingValues::Get(FindGroup(GSettingId::kInstalledOptionsGroup),
                            GSettingId::kAlternativeLetterheadMode) == uint16_t{1})
        CheckMediaType(page.get(), group362);
    ScalePage(*page);
    return GCountedPtr(new GPageStart(page.release(), 0));
}

void GJobContext::ScalePage(GState& pageSettings) {
    pageScaled_ = 0;
    if (pageScaling_ == 0) return;
    if (!scalingSettings_) scalingSettings_.Reset(BuildJobSettings().release());
    GPeripheral* tree = GetConfigurationTree();
    uint32_t marker = 0;
    pageScale_ = tree != nullptr
                     ? tree->GetDefaultScale(scalingSettings_.Get(), &pageSettings, pageNumber_, &marker)
                     : GScalePair{};
    lastScaledPage_ = pageNumber_;
    const bool unit = pageScale_.x == 1.0f && pageScale_.y == 1.0f;
    const bool none = pageScale_.x == 0.0f && pageScale_.y == 0.0f;
    pageScaled_ = unit || none ? 0 : 1;
}

GCountedPtr GJobContext::MakePageEnd() {
    auto* state = new GState(GSettingId::kPageStateGroup);
    const GCountedPtr hold(state);
    AddCopy(*state, FindGroup(GSettingId::kPageGroup), GSettingId::kPageCopies);
    if (pageScaling_ != 0) lastScaledPage_ = 0;
    pageMark_ = kNoPageMark;
    return GCountedPtr(new GPageEnd(state, 0));
}

uint16_t GJobContext::MarkUnscaledPage() {
    if (pageScaling_ == 0 || lastScaledPage_ == pageNumber_) return 0;
    return SubmitCommand(GCountedPtr(new GNoCommand()));
}
