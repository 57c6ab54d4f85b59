#include "ui/pages/JobStoragePageBuilder.h"

#include <memory>

#include "ui/framework/GPropertyPage.h"
#include "ui/framework/GResourceLibrary.h"
#include "ui/pages/GDisplayJobIdWrapper.h"
#include "ui/pages/GJobStorageWrapper.h"
#include "ui/pages/GPageTrailer.h"

namespace {

constexpr uint16_t kJobStorageTemplate = 15000;
constexpr uint16_t kJobStoragePageHelp = 1000;
constexpr uint32_t kNone = GWrapper::kNoHelp;

// In the order of GJobStorageWrapper::Row.
const GControlHelpPair kJobStorageControls[] = {
    {11553, 413},   {11558, 421},   {11554, 415},   {11557, 416},   {11555, 417},   {11568, 420},
    {11559, 418},   {11560, 419},   {11561, 419},   {11569, kNone}, {11562, kNone}, {11556, 414},
    {11570, kNone}, {11566, kNone}, {11571, kNone}, {5410, 430},    {5411, 431},    {5415, kNone},
    {5412, 432},    {5413, 433},    {5414, kNone},  {11552, kNone}, {11551, kNone}, {5416, kNone},
    {11575, kNone}, {11573, 422},   {11574, kNone}, {11576, kNone}, {0, 0}};
const GControlHelpPair kDisplayJobIdControls[] = {{5417, 434}, {0, 0}};

} // namespace

GPropertyPage* BuildJobStoragePage(PROPSHEETPAGEW& slot, GUIModel* model, uint32_t hasHelp) {
    auto page = std::make_unique<GPropertyPage>(&slot, ResourceModule(), kJobStorageTemplate, model, hasHelp,
                                                kJobStoragePageHelp);
    page->AddControl(
        std::make_unique<GJobStorageWrapper>(new GJobStorageFeature(model), kJobStorageControls));
    page->AddControl(
        std::make_unique<GDisplayJobIdWrapper>(new GDisplayJobIdFeature(model), kDisplayJobIdControls));
    AddPageTrailer(*page, model);
    page->BuildHelpTable();
    return page.release();
}
