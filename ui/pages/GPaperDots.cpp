#include "ui/pages/GPaperDots.h"

#include <memory>

#include "model/GAttributeComposite.h"
#include "paper/GCustomMediaSize.h"
#include "paper/GMedia.h"
#include "ui/framework/GPaperSizeFeature.h"
#include "ui/framework/GUIModel.h"

namespace {

GPaperDots DotsOfMedia(const GMedia& media) {
    return {static_cast<uint16_t>(media.GetSize().x), static_cast<uint16_t>(media.GetSize().y),
            media.GetXResolution(), media.GetYResolution()};
}

} // namespace

std::optional<GPaperDots> PaperDotsOf(GUIModel* model, uint16_t paperId, int32_t orientation, uint16_t dpi) {
    if (paperId >= GCustomMediaSize::kFirstCustomPaperId && paperId <= GCustomMediaSize::kLastCustomPaperId) {
        const GPaperSizeFeature paper(model->CurrentSettings());
        const GCustomMediaSize* entry = paper.FindCustomEntry(paperId);
        if (entry == nullptr) return std::nullopt;
        const std::unique_ptr<GMedia> media =
            paper.MakeMedia(*entry, model->CurrentSettingsTree(), model->Defaults().Composite(), dpi, dpi);
        if (!media) return std::nullopt;
        return DotsOfMedia(*media);
    }
    const GMedia* media = model->Defaults().FindMediaSizeById(paperId, orientation, dpi, dpi);
    if (media == nullptr) return std::nullopt;
    return DotsOfMedia(*media);
}
