#include "ui/pages/SheetTabs.h"

#include <memory>

#include "driver/GDriver.h"
#include "driver/GUIData.h"
#include "driver/GetWriterKind.h"
#include "model/GAttributeComposite.h"
#include "model/GSettingIds.h"
#include "ui/framework/GPropertyPage.h"
#include "ui/framework/GResourceLibrary.h"
#include "ui/framework/GSettingsAccessor.h"
#include "ui/pages/BasicsPageBuilder.h"
#include "ui/pages/ColourPageBuilder.h"
#include "ui/pages/FinishingPageBuilder.h"
#include "ui/pages/JobStoragePageBuilder.h"
#include "ui/pages/PaperPageBuilder.h"
#include "ui/pages/PostScriptPageBuilder.h"

namespace {

constexpr uint32_t kDocument = GUIData::kDocumentSheet;
constexpr uint32_t kDevice = GUIData::kDeviceSheet;
// Every page has help.
constexpr uint32_t kHasHelp = 1;

bool HasJobStorage(const SheetFacts& facts) {
    return facts.jobStorage;
}
bool HasPostScriptWriter(const SheetFacts& facts) {
    return facts.writerKind == GWriterKind::kPostScript;
}
bool IsColourPrinter(const SheetFacts& facts) {
    return facts.colour;
}

// The tabs in sheet order.
const SheetTab kTabs[] = {
    {SheetTabs::kFinishingTemplate, 300, kDocument, nullptr, nullptr, &BuildFinishingPage}, // Finishing
    {6000, 500, kDocument, nullptr, nullptr, nullptr},                                      // Effects
    {2000, 200, kDocument, nullptr, &BuildPaperPage, nullptr},                              // Paper
    {15000, 1000, kDocument, &HasJobStorage, &BuildJobStoragePage, nullptr},                // Job Storage
    {4000, 400, kDocument, nullptr, nullptr, nullptr},                                      // Destination
    {6500, 800, kDocument, &HasPostScriptWriter, &BuildPostScriptPage, nullptr},            // PostScript
    {1000, 100, kDocument, nullptr, &BuildBasicsPage, nullptr},                             // Basics
    {14000, 900, kDocument, &IsColourPrinter, nullptr, &BuildColourPage},                   // Colour
    {12000, 700, kDevice, nullptr, nullptr, nullptr},                                       // NT Forms
    {7000, 600, kDevice, nullptr, nullptr, nullptr},                                        // Configure
};

bool SheetHas(const SheetTab& tab, const SheetFacts& facts) {
    return (tab.sheetKinds & facts.kind) != 0 && (tab.shown == nullptr || tab.shown(facts));
}

GPropertyPage* BuildTab(const SheetTab& tab, PROPSHEETPAGEW& slot, GUIModel* model,
                        MPersistentObject* printerConfiguration) {
    if (tab.build != nullptr) return tab.build(slot, model, kHasHelp);
    if (tab.buildForPrinter != nullptr)
        return tab.buildForPrinter(slot, model, kHasHelp, printerConfiguration);
    return std::make_unique<GPropertyPage>(&slot, ResourceModule(), tab.templateId, model, kHasHelp,
                                           tab.pageHelpId)
        .release();
}

} // namespace

namespace SheetTabs {

SheetFacts FactsOf(const GUIData& data) {
    SheetFacts facts;
    facts.kind = data.kind;
    if (GDriverContext* context = data.driver) {
        facts.colour = context->IsColour() == 1;
        facts.writerKind = GetWriterKind(context->GetPrinterConfiguration());
    }
    int16_t jobStorage = 0;
    GSettingsAccessor(data.settings, nullptr, 1).GetValue(GSettingId::kJobStorageEnabled, jobStorage);
    facts.jobStorage = jobStorage != 0;
    return facts;
}

int16_t Count(const SheetFacts& facts) {
    int16_t count = 0;
    for (const SheetTab& tab : kTabs)
        if (SheetHas(tab, facts)) ++count;
    return count;
}

GPropertyPage* Fill(PROPSHEETPAGEW* first, const SheetFacts& facts, GUIModel* model,
                    MPersistentObject* printerConfiguration) {
    GPropertyPage* finishing = nullptr;
    int16_t filled = 0;
    for (const SheetTab& tab : kTabs) {
        if (!SheetHas(tab, facts)) continue;
        GPropertyPage* page = BuildTab(tab, first[filled], model, printerConfiguration);
        if (tab.templateId == kFinishingTemplate) finishing = page;
        ++filled;
    }
    return finishing;
}

} // namespace SheetTabs
