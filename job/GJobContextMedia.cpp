// GJobContext: paper ids as media in the resolution and orientation a page
// needs.
#include <algorithm>

#include "driver/GSettingValues.h"
#include "job/GJobContext.h"
#include "model/GSettingIds.h"
#include "model/MPersistentIterator.h"
#include "paper/GCustomMedia.h"
#include "paper/GCustomMediaSize.h"
#include "paper/GMedia.h"
#include "paper/GMediaPool.h"
#include "paper/NormalizeAngle.h"

namespace {

constexpr uint16_t kDefaultResolution = 600;

bool IsCustomPaper(uint32_t paperId) {
    return paperId >= GCustomMediaSize::kFirstCustomPaperId &&
           paperId <= GCustomMediaSize::kLastCustomPaperId;
}

// The custom size with paperId in list 276 of settings, or null.
const GCustomMediaSize* FindCustomSize(MPersistentObject* settings, uint32_t paperId) {
    MPersistentObject* list =
        settings != nullptr ? settings->FindById(GSettingId::kCustomPaperSizes) : nullptr;
    if (list == nullptr) return nullptr;
    const std::unique_ptr<MPersistentIterator> sizes = list->CreateIterator();
    while (sizes->Advance()) {
        const auto* size = dynamic_cast<const GCustomMediaSize*>(sizes->Current());
        if (size != nullptr && size->GetPaperId() == paperId) return size;
    }
    return nullptr;
}

// A margin of margin ten-thousandths of an inch in dots of resolution.
int32_t MarginDots(uint16_t margin, uint16_t resolution) {
    return static_cast<int32_t>(static_cast<uint32_t>(margin) * resolution / 10000);
}

int16_t Clamp16(int32_t value) {
    return static_cast<int16_t>(std::clamp<int32_t>(value, 0, INT16_MAX));
}

} // namespace

std::unique_ptr<GMedia> GJobContext::MakeMedia(uint32_t paperId) {
    MPersistentObject* settings = GetDocumentSettings();
    MPersistentObject* resolution =
        settings != nullptr ? settings->FindById(GSettingId::kResolution) : nullptr;
    const uint16_t xDpi =
        GSettingValues::Get(resolution, GSettingId::kXResolution).value_or(kDefaultResolution);
    const uint16_t yDpi =
        GSettingValues::Get(resolution, GSettingId::kYResolution).value_or(kDefaultResolution);
    const int16_t orientation = GSettingValues::GetSigned(settings, GSettingId::kOrientation).value_or(0);
    return MakeMediaFor(paperId, xDpi, yDpi, orientation);
}

std::unique_ptr<GMedia> GJobContext::MakeMediaFor(uint32_t paperId, uint16_t xDpi, uint16_t yDpi,
                                                  int32_t orientation) {
    std::unique_ptr<GMedia> media;
    if (IsCustomPaper(paperId)) {
        if (const GCustomMediaSize* custom = FindCustomSize(GetDocumentSettings(), paperId))
            media = MakeCustomMedia(*custom, GetPrinterConfiguration(), xDpi, yDpi, orientation);
    } else if (GMediaPool* pool = GetMediaPool()) {
        if (const GMedia* found = pool->FindMedia(static_cast<int16_t>(paperId), orientation, xDpi, yDpi))
            media = std::make_unique<GMedia>(*found);
    }
    if (media != nullptr &&
        GSettingValues::Get(GetDocumentSettings(), GSettingId::kEdgeToEdge) == uint16_t{1})
        ShrinkMedia(media);
    return media;
}

void GJobContext::ShrinkMedia(std::unique_ptr<GMedia>& media) {
    if (media == nullptr) return;
    MPersistentObject* configuration = GetPrinterConfiguration();
    const uint16_t first = GSettingValues::Get(configuration, GSettingId::kShrinkSideMargin).value_or(0);
    const uint16_t second = GSettingValues::Get(configuration, GSettingId::kShrinkTopMargin).value_or(0);
    const int32_t angle = NormalizeAngle(media->GetOrientation());
    const bool turned = angle == 90 || angle == 270;
    const int32_t side = MarginDots(turned ? second : first, media->GetXResolution());
    const int32_t top = MarginDots(turned ? first : second, media->GetYResolution());
    // Margins wider than the sheet leave no imageable area, never a
    // negative one.
    const GShortPair imageable{Clamp16(media->GetSize().x - 2 * side), Clamp16(media->GetSize().y - 2 * top)};
    const GShortPair origin{Clamp16(side), Clamp16(top)};
    media = std::make_unique<GMedia>(media->GetName(), media->GetSize(), imageable, origin,
                                     media->GetOrientation(), media->GetPaperId(), media->GetXResolution(),
                                     media->GetYResolution(), GSettingId::kPoolMedia, 0, nullptr,
                                     media->GetMediaType().Data());
}

void GJobContext::RotateMedia(GMedia& media, int32_t orientation) {
    if (NormalizeAngle(media.GetOrientation()) == NormalizeAngle(orientation)) return;
    const auto paperId = static_cast<uint16_t>(media.GetPaperId());
    std::unique_ptr<GMedia> turned;
    if (IsCustomPaper(paperId)) {
        if (const GCustomMediaSize* custom = FindCustomSize(GetDocumentSettings(), paperId)) {
            turned = MakeCustomMedia(*custom, GetPrinterConfiguration(), media.GetXResolution(),
                                     media.GetYResolution(), orientation);
        }
    } else {
        turned = MakeMediaFor(paperId, media.GetXResolution(), media.GetYResolution(), orientation);
    }
    if (turned == nullptr) return;
    turned->SetId(media.GetId());
    media = *turned;
}
