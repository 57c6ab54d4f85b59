#include "ui/pages/GDebugPageBuilder.h"

#include <memory>

#include "ui/framework/GPropertyPage.h"
#include "ui/framework/GResourceLibrary.h"
#include "ui/pages/GImageCompressionWrapper.h"

namespace {

constexpr uint16_t kDebugTemplate = 10000;
// The page has no help topic of its own.
constexpr uint16_t kDebugPageHelp = 0;
const GControlHelpPair kImageCompressionControls[] = {
    {10021, GWrapper::kNoHelp}, {10022, GWrapper::kNoHelp}, {0, 0}};

} // namespace

GPropertyPage* BuildDebugPage(PROPSHEETPAGEW& slot, GUIModel* model, uint32_t hasHelp) {
    auto page = std::make_unique<GPropertyPage>(&slot, ResourceModule(), kDebugTemplate, model, hasHelp,
                                                kDebugPageHelp);
    page->AddControl(std::make_unique<GImageCompressionWrapper>(new GImageCompressionFeature(model),
                                                                kImageCompressionControls));
    return page.release();
}
