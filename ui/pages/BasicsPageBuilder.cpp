#include "ui/pages/BasicsPageBuilder.h"

#include <memory>

#include "ui/framework/GPropertyPage.h"
#include "ui/framework/GResourceLibrary.h"
#include "ui/pages/GAboutButtonWrapper.h"
#include "ui/pages/GCopiesWrapper.h"
#include "ui/pages/GOrientationWrapper.h"
#include "ui/pages/GPageTrailer.h"

namespace {

constexpr uint16_t kBasicsTemplate = 1000;
constexpr uint16_t kBasicsPageHelp = 100;
const GControlHelpPair kCopiesControls[] = {{1021, 101}, {1022, 101}, {1024, 101}, {1023, 101}, {0, 0}};
const GControlHelpPair kOrientationControls[] = {{1031, 102}, {1032, 103}, {1033, 104}, {0, 0}};
const GControlHelpPair kAboutButton[] = {{1050, 105}, {0, 0}};

} // namespace

GPropertyPage* BuildBasicsPage(PROPSHEETPAGEW& slot, GUIModel* model, uint32_t hasHelp) {
    auto page = std::make_unique<GPropertyPage>(&slot, ResourceModule(), kBasicsTemplate, model, hasHelp,
                                                kBasicsPageHelp);
    page->AddControl(std::make_unique<GCopiesWrapper>(new GCopiesFeature(model), kCopiesControls));
    page->AddControl(
        std::make_unique<GOrientationWrapper>(new GOrientationFeature(model), kOrientationControls));
    page->AddControl(std::make_unique<GAboutButtonWrapper>(new GAboutFeature(model), kAboutButton));
    AddPageTrailer(*page, model);
    page->BuildHelpTable();
    return page.release();
}
