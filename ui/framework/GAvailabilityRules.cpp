#include "ui/framework/GAvailabilityRules.h"

#include <memory>

#include "driver/GetWriterKind.h"
#include "ui/framework/GBookletRule.h"
#include "ui/framework/GDuplexRules.h"
#include "ui/framework/GFinisherRules.h"
#include "ui/framework/GFirstPageSourceRule.h"
#include "ui/framework/GFormToTrayRules.h"
#include "ui/framework/GHardDiskRule.h"
#include "ui/framework/GOutputBinRule.h"
#include "ui/framework/GPagesPerSheetRule.h"
#include "ui/framework/GPaperSourceRule.h"
#include "ui/framework/GPermissionRules.h"
#include "ui/framework/GPjlRules.h"
#include "ui/framework/GPrinterStateRules.h"
#include "ui/framework/GRenderingModeRule.h"
#include "ui/framework/GScalingRules.h"
#include "ui/framework/GUIModel.h"

namespace {
template <typename Rule, typename... Args> void Add(GUIModel* model, Args... args) {
    model->AddRule(std::make_unique<Rule>(model, args...));
}
} // namespace

void BuildAvailabilityRules(GUIModel* model, MPersistentObject* printerConfiguration,
                            GPropertyPage* finishingPage) {
    if (model == nullptr) return;
    Add<GFitToPaperTipRule>(model);
    Add<GOutputBinRule>(model);
    Add<GPaperSourceRule>(model);
    Add<GDuplexRule>(model);
    Add<GBookletRule>(model);
    Add<GStapleRule>(model);
    Add<GHighResolutionRule>(model);
    Add<GHardDiskJobRetentionRule>(model);
    Add<GPermissionRule>(model);
    Add<GScaleRule>(model);
    Add<GFitToLetterRule>(model);
    Add<GConfigurationStatusRule>(model);
    Add<GTrueTypeAsBitmapsRule>(model);
    Add<GManualDuplexRule>(model);
    Add<GHardDiskRule>(model);
    Add<GOptimizePQRule>(model);
    Add<GBindRule>(model);
    Add<GFirstPageSourceRule>(model);
    Add<GSendPJLRule>(model);
    Add<GPermissionDependentRule>(model);
    if (GetWriterKind(printerConfiguration) == GWriterKind::kPcl5) Add<GRenderingModeRule>(model);
    Add<GMediaTypeSourceRule>(model);
    Add<GFormToTrayRule>(model);
    Add<GPagesPerSheetRule>(model, static_cast<const GDialog*>(finishingPage));
}
