#include "ui/framework/GPaperIdMaps.h"

#include <algorithm>
#include <memory>

#include "model/MPersistentIterator.h"
#include "model/MPersistentObject.h"
#include "paper/GCustomMediaSize.h"

namespace {
// Inclusive ranges of paper ids.
struct PaperIdRange {
    int16_t first;
    int16_t last;
};

constexpr PaperIdRange kEnvelopePapers[] = {{8, 16}, {50, 50}, {52, 52}, {59, 60}, {73, 73}};
constexpr PaperIdRange kCustomSizePapers[] = {{41, 44}, {51, 51}, {56, 56}, {58, 58},
                                              {62, 62}, {65, 66}, {68, 71}};

template <size_t N> bool PaperIdInRanges(int16_t paperId, const PaperIdRange (&ranges)[N]) {
    return std::any_of(std::begin(ranges), std::end(ranges),
                       [paperId](const PaperIdRange& r) { return paperId >= r.first && paperId <= r.last; });
}
} // namespace

int32_t IsPaperSizeInGroup(int16_t paperId) {
    return PaperIdInRanges(paperId, kEnvelopePapers) ? 1 : 0;
}

GCustomSizeMatch MapPaperIdToCustomSize(int16_t paperId, const RWCString& paperName,
                                        MPersistentObject* customSizes) {
    GCustomSizeMatch match;
    if (customSizes == nullptr || !PaperIdInRanges(paperId, kCustomSizePapers)) return match;
    const std::unique_ptr<MPersistentIterator> sizes = customSizes->CreateIterator();
    while (sizes != nullptr && sizes->Advance()) {
        const auto* size = dynamic_cast<const GCustomMediaSize*>(sizes->Current());
        if (size == nullptr || size->GetName() != paperName) continue;
        match.paperId = size->GetPaperId();
        match.name = size->GetName();
        break;
    }
    return match;
}
