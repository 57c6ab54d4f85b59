#include "driver/GMediaNameEnumeration.h"

#include <memory>

#include "driver/GDriverContext.h"
#include "model/GEnumAttribute.h"
#include "model/GResourceMappingList.h"
#include "model/GSettingIds.h"
#include "model/GValueAttribute.h"
#include "model/MPersistentIterator.h"
#include "paper/GCustomMediaSize.h"
#include "paper/GMedia.h"
#include "paper/GMediaPool.h"

namespace {

// Hands the names to the call-back and counts the calls until it asks to stop.
class MediaNameWalk {
public:
    MediaNameWalk(GDriverContext& context, GMediaNameCallback callback, void* data)
        : context_(context), callback_(callback), data_(data) {}

    // false once the call-back asked to stop.
    bool Offer(uint16_t paperId, const RWCString& name) {
        ++calls_;
        stopped_ = callback_(&context_, paperId, RWWString(name, RWWString::MultiByte), data_) == 0;
        return !stopped_;
    }
    bool Stopped() const { return stopped_; }
    int32_t Calls() const { return calls_; }

private:
    GDriverContext& context_;
    GMediaNameCallback callback_;
    void* data_;
    int32_t calls_ = 0;
    bool stopped_ = false;
};

bool IsFormPaper(GResourceMappingList* table, int16_t paperId) {
    return table == nullptr || table->FindBySecond(static_cast<uint16_t>(paperId)) != nullptr;
}

void OfferStandardPapers(MediaNameWalk& walk, GMediaPool& pool, GResourceMappingList* table,
                         const GMediaQuery& query) {
    GShortPair minimum = GMediaPool::kAnySizeMinimum;
    GShortPair maximum = GMediaPool::kAnySizeMaximum;
    const GMedia* smallest =
        pool.FindMedia(GMediaPool::kSmallestSheet, query.orientation, query.xDpi, query.yDpi);
    const GMedia* largest =
        pool.FindMedia(GMediaPool::kLargestSheet, query.orientation, query.xDpi, query.yDpi);
    if (smallest != nullptr && largest != nullptr) {
        minimum = smallest->GetSize();
        maximum = largest->GetSize();
    }
    const auto media = pool.CreateFilterIterator(query.orientation, query.xDpi, query.yDpi, minimum, maximum);
    while (media->Advance()) {
        const auto* paper = dynamic_cast<const GMedia*>(media->Current());
        // The custom-size limits are bounds, no papers.
        if (paper == nullptr || paper->GetPaperId() <= 0 || !IsFormPaper(table, paper->GetPaperId()))
            continue;
        if (!walk.Offer(static_cast<uint16_t>(paper->GetPaperId()), paper->GetName())) return;
    }
}

void OfferCustomSizes(MediaNameWalk& walk, MPersistentObject* settings) {
    auto* sizes = settings == nullptr
                      ? nullptr
                      : dynamic_cast<GEnumAttribute*>(settings->FindById(GSettingId::kCustomPaperSizes));
    if (sizes == nullptr) return;
    const std::unique_ptr<MPersistentIterator> entries = sizes->CreateIterator();
    while (entries->Advance()) {
        const auto* size = dynamic_cast<const GCustomMediaSize*>(entries->Current());
        // The unnamed entry is the sheet's own custom size, not a saved paper.
        if (size == nullptr || size->GetName().IsNull()) continue;
        if (!walk.Offer(size->GetPaperId(), size->GetName())) return;
    }
}

} // namespace

GMediaQuery GMediaQueryOf(MPersistentObject* settings) {
    GMediaQuery query;
    if (settings == nullptr) return query;
    if (const auto* angle =
            dynamic_cast<const GValueAttribute*>(settings->FindById(GSettingId::kOrientation)))
        query.orientation = static_cast<int16_t>(angle->GetValue());
    MPersistentObject* resolution = settings->FindById(GSettingId::kResolution);
    const auto* x =
        resolution == nullptr
            ? nullptr
            : dynamic_cast<const GValueAttribute*>(resolution->FindById(GSettingId::kXResolution));
    const auto* y =
        resolution == nullptr
            ? nullptr
            : dynamic_cast<const GValueAttribute*>(resolution->FindById(GSettingId::kYResolution));
    if (x != nullptr && y != nullptr) {
        query.xDpi = x->GetValue();
        query.yDpi = y->GetValue();
    }
    return query;
}

int32_t EnumerateMediaNames(GDriverContext& context, GMediaNameCallback callback, void* data,
                            uint32_t customSizes, MPersistentObject* settings) {
    GMediaPool* pool = context.GetMediaPool();
    if (callback == nullptr || pool == nullptr) return 0;
    MediaNameWalk walk(context, callback, data);
    auto* table = dynamic_cast<GResourceMappingList*>(context.GetResourceMappings());
    OfferStandardPapers(walk, *pool, table, GMediaQueryOf(settings));
    if (customSizes != 0 && !walk.Stopped()) OfferCustomSizes(walk, settings);
    return walk.Calls();
}
