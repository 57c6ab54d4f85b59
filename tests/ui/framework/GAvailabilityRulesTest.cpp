// The availability rules as the builder makes them, over small settings
// fixtures: per row the levels and reasons they leave in composite 283, the
// settings they write and the conflict dialog they ask; the paper-source
// rule's tray/size table; Cancel undoing a whole change; the builder's
// rules and their order.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <typeinfo>
#include <vector>

#include "tests/ui/framework/AvailabilityRulesTestSupport.h"
#include "tests/ui/framework/ModelPrinterSheet.h"
#include "ui/framework/GAvailabilityRules.h"
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
#include "ui/framework/GResourceLibrary.h"
#include "ui/framework/GScalingRules.h"
#include "ui/framework/GUIStrings.h"
#include "winapi/host/WinHostStore.h"
#include "winapi/host/WinUiDriver.h"

namespace {

using namespace rulestest;
using namespace GSettingId;

// One case: the settings over the quiet ones, the printer, the composite
// 283 values a page set, the user's change (made after the sheet opened,
// then one propagation with firstPass 0; without one the sheet's opening
// propagation with firstPass 1 is the one judged), and what must follow.
struct RuleRow {
    const char* what;
    std::vector<Value> values;
    std::vector<Text> texts;
    uint32_t printer = kPlain;
    std::vector<Value> state;
    std::vector<Value> change;
    std::vector<Text> changeTexts;
    std::vector<Value> expect;
    std::vector<Text> expectTexts = {};
    uint16_t dialog = 0; // the reason the one conflict dialog shows; 0: none
    uint32_t ownerFlags = 0;
    int16_t xDpi = 0; // with a resolution node (249) when not 0
    int16_t yDpi = 0;
};

std::u16string StringOf(uint16_t id) {
    RWWString text;
    LoadResString(id, text);
    return std::u16string(text.Data());
}

class AvailabilityRulesTest : public ::testing::Test {
protected:
    void SetUp() override {
        WinHostStore::Instance().RegisterModule(u"QVUIRES.DLL", QV_RESOURCE_LIBRARY_PATH);
        ASSERT_EQ(LoadResourceLibrary(u"QVUIRES.DLL"), 1);
    }
    void TearDown() override { ReleaseResourceLibrary(); }

    static void Run(const RuleRow& row) {
        SCOPED_TRACE(row.what);
        auto settings = SettingsWith(row.values, row.texts, row.printer);
        if (row.xDpi != 0)
            uitest::AddNode(*settings, kResolution,
                            {{kXResolution, static_cast<uint16_t>(row.xDpi)},
                             {kYResolution, static_cast<uint16_t>(row.yDpi)}});
        uitest::Sheet sheet(std::move(settings), row.ownerFlags);
        FillPrinter(sheet.driver.Configuration(), row.printer);
        GUIModel& model = sheet.Open();
        for (const Value& v : row.state)
            model.RuleLevels().AddIfMissing(v.value, v.id);
        BuildAvailabilityRules(&model, &sheet.driver.Configuration(), nullptr);
        WinUiDriver::ClearRecords();
        const bool userChange = !row.change.empty() || !row.changeTexts.empty();
        if (userChange) {
            model.Propagate(1);
            WinUiDriver::ClearRecords();
            model.BeginUpdate(nullptr);
            for (const Value& v : row.change)
                model.CurrentSettings().SetValue(v.id, v.value);
            for (const Text& t : row.changeTexts)
                model.CurrentSettings().SetString(t.id, t.text);
        }
        model.Propagate(userChange ? 0 : 1);
        for (const Value& v : row.expect)
            EXPECT_EQ(sheet.Value(v.id), v.value)
                << "id 0x" << std::hex << v.id << std::dec << " (" << v.id << ")";
        for (const Text& t : row.expectTexts) {
            RWCString text;
            model.CurrentSettings().GetString(t.id, text);
            EXPECT_STREQ(text.Data(), t.text) << "id " << t.id;
        }
        const std::vector<WinRecordedMessageBox> boxes = WinUiDriver::MessageBoxes();
        ASSERT_EQ(boxes.size(), row.dialog != 0 ? 1u : 0u);
        for (const WinRecordedMessageBox& box : boxes) {
            EXPECT_EQ(box.text, StringOf(row.dialog));
            EXPECT_EQ(box.caption, u"Incompatible Options");
            EXPECT_EQ(box.type, 65u);
        }
    }
};

TEST_F(AvailabilityRulesTest, EachRuleLeavesItsLevelsReasonsAndWrites) {
    const RuleRow rows[] = {
        // Send PJL (19) and the options that need it.
        {"economy mode on a printer taking PJL forces send PJL on",
         {{kEconoMode, 1}, {kSendPjl, 0}},
         {},
         kTakesPjl,
         {},
         {},
         {},
         {{kSendPjl, 1}, {kSendPjlLevel, 1}, {kSendPjlMessage, 5158}}},
        {"economy mode without 611: 579 untouched, level 0",
         {{kEconoMode, 1}, {kSendPjl, 0}},
         {},
         kPlain,
         {},
         {},
         {},
         {{kSendPjl, 0}, {kSendPjlLevel, 0}, {kSendPjlMessage, 5158}}},
        {"another bin than the top bin needs PJL",
         {{kOutputBin, 2}, {kSendPjl, 0}},
         {},
         kTakesPjl,
         {},
         {},
         {},
         {{kSendPjl, 1}, {kSendPjlLevel, 1}, {kSendPjlMessage, 5156}}},
        {"optimise print quality needs PJL",
         {{kSendPjl, 0}, {kOptimisePrintQuality, 1}},
         {},
         kTakesPjl,
         {},
         {},
         {},
         {{kOptimisePqLevel, 1}, {kOptimisePqMessage, 5154}, {kOptimisePrintQuality, 0}}},
        // Duplex (4) and manual duplex (14).
        {"no duplex unit hides duplex whatever else holds",
         {{kDuplexUnitInstalled, 0}, {kPaperSource, 6}, {kDuplex, 1}, {kSendPjl, 0}},
         {{kMediaType, "Transparency"}},
         kTakesPjl | kDuplexPaperList,
         {},
         {},
         {},
         {{kDuplexLevel, 2}, {kDuplexMessage, 0}}},
        {"a size the unit does not print",
         {{kPaper, 8}},
         {},
         kDuplexPaperList,
         {},
         {},
         {},
         {{kDuplexLevel, 1}, {kDuplexMessage, 5111}}},
        {"a printer without a duplex paper list prints every size",
         {{kPaper, 8}},
         {},
         kPlain,
         {},
         {},
         {},
         {{kDuplexLevel, 0}, {kDuplexMessage, 0}}},
        {"card stock",
         {},
         {{kMediaType, "Card Stock"}},
         kPlain,
         {},
         {},
         {},
         {{kDuplexLevel, 1}, {kDuplexMessage, 5112}}},
        {"Tray 1 feeds by hand",
         {{kPaperSource, 6}},
         {},
         kPlain,
         {},
         {},
         {},
         {{kDuplexLevel, 1}, {kDuplexMessage, 5160}}},
        {"PJL off",
         {{kSendPjl, 0}},
         {},
         kTakesPjl,
         {},
         {},
         {},
         {{kDuplexLevel, 1}, {kDuplexMessage, 5154}, {kSendPjlMessage, 5305}}},
        {"picking a size the unit refuses while duplex is on asks, OK turns duplex off",
         {{kDuplex, 1}},
         {},
         kDuplexPaperList,
         {},
         {{kPaper, 8}},
         {},
         {{kDuplex, 0}, {kDuplexLevel, 1}, {kDuplexMessage, 5111}},
         {},
         5102},
        {"manual duplex with duplex on: 5408 even where 5154 applies",
         {{kSendPjl, 0}, {kDuplex, 1}, {kManualDuplex, 3}},
         {},
         kTakesPjl,
         {},
         {},
         {},
         {{kManualDuplexLevel, 1}, {kManualDuplexMessage, 5408}, {kManualDuplex, 0}}},
        {"manual duplex without PJL",
         {{kSendPjl, 0}, {kManualDuplex, 3}},
         {},
         kTakesPjl,
         {},
         {},
         {},
         {{kManualDuplexLevel, 1}, {kManualDuplexMessage, 5154}, {kManualDuplex, 0}}},
        {"turning manual duplex on with labels asks",
         {},
         {{kMediaType, "Labels"}},
         kPlain,
         {},
         {{kManualDuplex, 3}},
         {},
         {{kManualDuplex, 0}, {kManualDuplexLevel, 0}},
         {},
         5112},
        // Rendering mode (21), PCL 5 only.
        {"page as raster with one page turns text as black off",
         {{kRenderingMode, 3}, {kTextAsBlack, 1}},
         {},
         kPcl5,
         {},
         {},
         {},
         {{kTextAsBlack, 0},
          {kTextAsBlackLevel, 1},
          {kRenderingModeMessage, 14123},
          {kTextAsBlackMessage, 14123},
          {kRenderingModeLevel, 0}}},
        {"graphics as raster with 4 pages per sheet goes back to automatic",
         {{kRenderingMode, 2}, {kPagesPerSheet, 4}},
         {},
         kPcl5,
         {},
         {},
         {},
         {{kRenderingMode, 0},
          {kRenderingModeLevel, 1},
          {kRenderingModeMessage, 14122},
          {kRenderingEffectsLevel, 1},
          {kRenderingEffectsMessage, 14122}}},
        {"a watermark keeps raster modes away",
         {},
         {{kSelectedWatermarkName, "Draft"}},
         kPcl5,
         {},
         {},
         {},
         {{kRenderingModeLevel, 1}, {kRenderingModeMessage, 14121}, {kTextAsBlackMessage, 14121}}},
        {"text as black disables the raster choices",
         {{kTextAsBlack, 1}},
         {},
         kPcl5,
         {},
         {},
         {},
         {{kRenderingModeLevel, 1}, {kRenderingModeMessage, 14120}, {kTextAsBlackMessage, 14120}}},
        {"without a PCL 5 writer the rendering mode is not judged",
         {{kRenderingMode, 3}, {kTextAsBlack, 1}},
         {},
         kPlain,
         {},
         {},
         {},
         {{kTextAsBlack, 1}, {kTextAsBlackLevel, -999}}},
        // Configuration status (12), resolution (7), form to tray (22, 23).
        {"no discovery: the automatic configuration is disabled",
         {{kConfigurationStatus, 0}},
         {},
         kPlain,
         {},
         {},
         {},
         {{kAutoConfigurationLevel, 1},
          {kAutoConfigurationMessage, 5144},
          {kConfigurationStatusLevel, 0},
          {kConfigurationStatusMessage, 0}}},
        {"set automatically: Update Now explains",
         {{kConfigurationStatus, 2}},
         {},
         kPlain,
         {},
         {},
         {},
         {{kConfigurationStatusMessage, 5136}, {kConfigurationStatusLevel, 0}, {kAutoConfigurationLevel, 0}}},
        {"1200 by 1200", {}, {}, kPlain, {}, {}, {}, {{kHighResolutionLevel, 1}}, {}, 0, 0, 1200, 1200},
        {"600 by 1200", {}, {}, kPlain, {}, {}, {}, {{kHighResolutionLevel, 0}}, {}, 0, 0, 600, 1200},
        {"no form assignments: nothing raised",
         {},
         {},
         kPlain,
         {},
         {},
         {},
         {{kFormToTrayLevel, 0},
          {kFormToTrayMessage, 0},
          {kPaperTypesInSourceList, 1},
          {kFirstPageSourceLevel, 0}}},
        {"one form assignment",
         {},
         {},
         kFormAssignments,
         {},
         {},
         {},
         {{kPaperTypesInSourceList, 0},
          {kFormToTrayLevel, 1},
          {kFormToTrayMessage, 5171},
          {kPaperSource, 19},
          {kFirstPageSourceLevel, 1}}},
        {"assignments: the paper and type follow them",
         {{kPaper, 23}, {kPrintOnOtherPaper, 1}, {kOtherPaper, 23}},
         {{kMediaType, "Labels"}},
         kFormAssignments,
         {},
         {},
         {},
         {{kPaper, 1}, {kPrintOnOtherPaper, 0}, {kPaperSource, 19}, {kFirstPageSourceLevel, 1}},
         {{kMediaType, ""}}},
        // Order: the pages-per-sheet rule (24) judges what the booklet rule (5) left.
        {"booklet on without a duplex unit: booklet off, no stale 5115",
         {{kDuplexUnitInstalled, 0}, {kBooklet, 1}, {kDuplex, 1}},
         {},
         kPlain,
         {},
         {},
         {},
         {{kBookletLevel, 2},
          {kBooklet, 0},
          {kDuplex, 2},
          {kPagesPerSheetLevel, 0},
          {kPagesPerSheetMessage, 0},
          {kScaleLevel, 0}}},
        // Page size and scaling (1, 10, 11, 13, 24).
        {"printing on other paper: the Paper tab's tip",
         {{kPrintOnOtherPaper, 1}, {kOtherPaper, 23}},
         {},
         kPlain,
         {},
         {},
         {},
         {{kFitToPaperTipLevel, 1},
          {kFitToPaperTipMessage, 5301},
          {kPagesPerSheetMessage, 5135},
          {kScaleMessage, 5135}}},
        {"the tip only on the all-pages tab",
         {{kPrintOnOtherPaper, 1}, {kOtherPaper, 23}},
         {},
         kPlain,
         {{kPaperTab, 1}},
         {},
         {},
         {{kFitToPaperTipLevel, 0}, {kFitToPaperTipMessage, 0}}},
        {"scaled with unscalable TrueType bitmaps",
         {{kScale, 50}, {kTrueTypeAsBitmaps, 1}},
         {},
         kPlain,
         {},
         {},
         {},
         {{kPagesPerSheetLevel, 1},
          {kPagesPerSheetMessage, 5108},
          {kFitToLetterLevel, 1},
          {kFitToLetterMessage, 5108},
          {kTrueTypeAsBitmapsLevel, 1},
          {kTrueTypeAsBitmapsMessage, 5108},
          {kTrueTypeAsBitmaps, 0}}},
        {"scalable bitmaps: only the page as raster stops them",
         {{kTrueTypeAsBitmaps, 1}, {kRenderingMode, 3}},
         {},
         kScalableBitmaps,
         {},
         {},
         {},
         {{kTrueTypeAsBitmapsLevel, 1},
          {kTrueTypeAsBitmapsMessage, 5153},
          {kTrueTypeAsBitmaps, 0},
          {kScaleLevel, 0}}},
        // Booklet (5), staple (6), bind (17), output bin (2).
        {"booklet with a stapler that is not the booklet maker",
         {{kDuplex, 1}, {kStaple, 1}},
         {{kOptionalOutputUnit, kStaplerStackerUnit}},
         kPlain,
         {},
         {},
         {},
         {{kBookletLevel, 1}, {kBookletMessage, 5117}}},
        {"the booklet maker staples booklets and takes them inside out in bin 4",
         {{kDuplex, 1}, {kStaple, 1}, {kBooklet, 1}, {kOutputBin, 4}},
         {{kOptionalOutputUnit, kBookletMakerUnit}},
         kPlain,
         {},
         {},
         {},
         {{kBookletLevel, 0},
          {kBooklet, 1},
          {kBookletSheetOrder, 1},
          {kStapleLevel, 1},
          {kStapleMessage, 5115}}},
        {"booklet off with duplex off: a tip",
         {{kBooklet, 1}},
         {},
         kPlain,
         {},
         {},
         {},
         {{kBookletLevel, 1}, {kBookletMessage, 11902}, {kBooklet, 0}, {kDuplex, 0}}},
        {"the staples do not reach Legal upright",
         {{kStaple, 1}, {kStapleOption, 3}, {kPaper, 6}},
         {{kOptionalOutputUnit, kStaplerStackerUnit}},
         kPlain,
         {},
         {},
         {},
         {{kStapleOptionsLevel, 1},
          {kStapleOptionsMessage, 5118},
          {kStapleOption, 3},
          {kStapleLevel, 0},
          {kStapleMessage, 5303},
          {kStaplerInstalled, 1}}},
        {"an angled staple on Legal upright becomes a straight one",
         {{kStaple, 1}, {kStapleOption, 2}, {kPaper, 6}},
         {{kOptionalOutputUnit, kStaplerStackerUnit}},
         kPlain,
         {},
         {},
         {},
         {{kStapleOption, 1}}},
        {"Legal turned takes the staples",
         {{kStaple, 1}, {kStapleOption, 3}, {kPaper, 6}, {kOrientation, 90}},
         {{kOptionalOutputUnit, kStaplerStackerUnit}},
         kPlain,
         {},
         {},
         {},
         {{kStapleOptionsLevel, 0}, {kStapleOptionsMessage, 0}, {kStapleOption, 3}}},
        {"Letter turned does not",
         {{kStaple, 1}, {kStapleOption, 3}, {kOrientation, 90}},
         {{kOptionalOutputUnit, kStaplerStackerUnit}},
         kPlain,
         {},
         {},
         {},
         {{kStapleOptionsLevel, 1}, {kStapleOptionsMessage, 5118}}},
        {"two pages per sheet turn the sheet once more",
         {{kStaple, 1}, {kStapleOption, 3}, {kPaper, 6}, {kPagesPerSheet, 2}},
         {{kOptionalOutputUnit, kStaplerStackerUnit}},
         kPlain,
         {},
         {},
         {},
         {{kStapleOptionsLevel, 0}}},
        {"turning the staple on for Legal upright asks for landscape, OK leaves it off",
         {{kPaper, 6}},
         {{kOptionalOutputUnit, kStaplerStackerUnit}},
         kPlain,
         {},
         {{kStaple, 1}},
         {},
         {{kStaple, 0}},
         {},
         5161},
        {"turning Letter on its side while stapling asks",
         {{kStaple, 1}},
         {{kOptionalOutputUnit, kStaplerStackerUnit}},
         kPlain,
         {},
         {{kOrientation, 90}},
         {},
         {{kStaple, 0}},
         {},
         5163},
        {"changing duplex while stapling warns, OK keeps the staple",
         {{kStaple, 1}},
         {{kOptionalOutputUnit, kStaplerStackerUnit}},
         kPlain,
         {},
         {{kDuplex, 1}},
         {},
         {{kStaple, 1}},
         {},
         5152},
        {"picking card stock while stapling asks, OK turns the staple off",
         {{kStaple, 1}},
         {{kOptionalOutputUnit, kMailboxUnit}},
         kPlain,
         {},
         {},
         {{kMediaType, "Card Stock"}},
         {{kStaple, 0}, {kStapleLevel, 1}, {kStapleMessage, 5145}},
         {},
         5138},
        {"turning bind on for one side warns, OK keeps it",
         {},
         {{kOptionalOutputUnit, kBinderUnit}},
         kPlain,
         {},
         {{kBind, 1}},
         {},
         {{kBind, 1}, {kBindMessage, 5304}},
         {},
         5407},
        {"staple options follow the staple",
         {{kStaple, 1}, {kStapleOption, 7}},
         {{kOptionalOutputUnit, kStaplerStackerUnit}},
         kPlain,
         {},
         {},
         {},
         {{kStapleOption, 1}, {kStapleOptionsLevel, 0}}},
        {"staple: a size other than Letter, Legal, A4",
         {{kStaple, 1}, {kPaper, 8}},
         {{kOptionalOutputUnit, kStaplerStackerUnit}},
         kPlain,
         {},
         {},
         {},
         {{kStapleLevel, 1}, {kStapleMessage, 5116}}},
        {"no stapling accessory: staple hidden and off",
         {{kStaple, 1}, {kStaplerInstalled, 1}},
         {},
         kPlain,
         {},
         {},
         {},
         {{kStapleLevel, 2}, {kStaple, 0}, {kStaplerInstalled, 0}, {kStapleOption, 7}}},
        {"the mailbox staples with bin processing",
         {{kStaple, 1}},
         {{kOptionalOutputUnit, kMailboxUnit}},
         kPlain,
         {},
         {},
         {},
         {{kStapleLevel, 0}, {kStapleMessage, 5302}},
         {{kRawPjl, "@PJL SET OUTBINPROCESS =0 \r\n"}}},
        {"bind shows its tip while on",
         {{kBind, 1}},
         {{kOptionalOutputUnit, kBinderUnit}},
         kPlain,
         {},
         {},
         {},
         {{kBindLevel, 0}, {kBindMessage, 5304}, {kBinderInstalled, 1}}},
        {"bind needs the duplex unit",
         {{kBind, 1}, {kDuplexUnitInstalled, 0}},
         {{kOptionalOutputUnit, kBinderUnit}},
         kPlain,
         {},
         {},
         {},
         {{kBindLevel, 1}, {kBindMessage, 5405}}},
        {"no binder: bind hidden and off",
         {{kBind, 1}, {kBinderInstalled, 1}},
         {},
         kPlain,
         {},
         {},
         {},
         {{kBindLevel, 2}, {kBind, 0}, {kBinderInstalled, 0}}},
        {"the accessory bin does not stack envelopes",
         {{kOutputBin, 4}, {kPaper, 8}},
         {{kOptionalOutputUnit, kStaplerStackerUnit}},
         kPlain,
         {},
         {},
         {},
         {{kOutputBinLevel, 1}, {kOutputBinMessage, 5142}, {kOutputBin, 1}}},
        {"labels to the accessory bin ask, OK moves them to the top bin",
         {{kOutputBin, 4}},
         {{kMediaType, "Labels"}, {kOptionalOutputUnit, kStaplerStackerUnit}},
         kPlain,
         {},
         {},
         {},
         {{kOutputBin, 1}, {kOutputBinLevel, 0}},
         {},
         5141},
        {"labels to the rear bin without an accessory: no question",
         {{kOutputBin, 2}},
         {},
         kPlain,
         {},
         {},
         {{kMediaType, "Labels"}},
         {{kOutputBin, 2}, {kOutputBinLevel, 0}}},
        {"job retention needs job storage",
         {{kJobStorageEnabled, 0}, {kJobRetention, 2}},
         {},
         kPlain,
         {},
         {},
         {},
         {{kJobRetention, 0}}},
        // The Paper tab's other sources (18).
        {"other pages from the first page's tray",
         {{kDifferentFirstPage, 1}, {kPaperSource, 6}, {kOtherPagesPaperSource, 6}},
         {{kMediaType, "Bond"}},
         kPlain,
         {{kPaperTab, 1}},
         {},
         {},
         {{kPaperTypeTipLevel, 1}, {kPaperTypeTipMessage, 5165}, {kSourceTabScratch, 0}},
         {{kOtherPagesMediaType, "Bond"}}},
        {"back cover from the first page's tray",
         {{kBackCover, 2}, {kBackCoverSource, 6}, {kPaperSource, 6}},
         {},
         kPlain,
         {{kPaperTab, 2}},
         {},
         {},
         {{kPaperTypeTipLevel, 1}, {kPaperTypeTipMessage, 5168}}},
        {"back cover from the other pages' tray",
         {{kBackCover, 2}, {kDifferentFirstPage, 1}, {kOtherPagesPaperSource, 1}, {kBackCoverSource, 1}},
         {},
         kPlain,
         {{kPaperTab, 2}},
         {},
         {},
         {{kPaperTypeTipLevel, 1}, {kPaperTypeTipMessage, 5166}}},
        {"automatic selection is never the same tray",
         {{kBackCover, 2}, {kBackCoverSource, 19}},
         {},
         kPlain,
         {{kPaperTab, 2}},
         {},
         {},
         {{kPaperTypeTipLevel, 0}, {kPaperTypeTipMessage, 0}}},
        // The hard disk (8) and permissions (9, 20).
        {"without the hard disk nothing is retained nor collated",
         {{kHardDiskInstalled, 0},
          {kJobRetention, 3},
          {kCollationFollowsHardDisk, 1},
          {kCollationInPrinter, 1}},
         {},
         kPlain,
         {},
         {},
         {},
         {{kJobRetention, 0}, {kCollationInPrinter, 0}}},
        {"a sheet that may not change settings",
         {{kEditableUnderLock, 0}},
         {},
         kPlain,
         {},
         {},
         {},
         {{kCustomSizesLevel, 1},
          {kCustomSizesMessage, 5137},
          {kQuickSetsLevel, 1},
          {kQuickSetsMessage, 5137},
          {kPermissionDependentLevel, 1},
          {kPermissionDependentMessage, 5170}},
         {},
         0,
         1},
    };
    for (const RuleRow& row : rows)
        Run(row);
}

// --- The paper-source rule's trays -----------------------------------------------------

TEST_F(AvailabilityRulesTest, TrayTakesTheSizesOfItsTable) {
    const struct {
        int16_t tray;
        bool largeInputTray;
        std::vector<int16_t> takes;
        std::vector<int16_t> refuses;
    } cases[] = {
        {1, false, {1, 6, 23, 39}, {8, 17, 21}},
        {13, true, {1, 23}, {6, 21, 39}},
        {13, false, {1, 6, 21, 22, 23, 39}, {8, 17}},
        {3, true, {1, 6, 21, 22, 23, 39}, {8}},
        {5, false, {8, 13, 14, 15, 16, 41}, {1, 23}},
        {6, false, {1, 8, 17, 999}, {}},
        {18, false, {1, 8, 17, 999}, {}},
        {19, false, {1, 8, 17, 999}, {}},
        {2, false, {}, {1, 6, 23}},
    };
    for (const auto& c : cases) {
        for (const int16_t paper : c.takes)
            EXPECT_TRUE(GPaperSourceRule::TrayTakesSize(c.tray, paper, c.largeInputTray))
                << "tray " << c.tray << " paper " << paper;
        for (const int16_t paper : c.refuses)
            EXPECT_FALSE(GPaperSourceRule::TrayTakesSize(c.tray, paper, c.largeInputTray))
                << "tray " << c.tray << " paper " << paper;
    }
}

TEST_F(AvailabilityRulesTest, TheRuleMovesASourceThatCannotTakeThePaper) {
    const RuleRow rows[] = {
        {"a new size Tray 2 cannot take asks, OK moves to Tray 1",
         {{kPaperSource, 1}},
         {},
         kPlain,
         {},
         {{kPaper, 8}},
         {},
         {{kPaperSource, 6}},
         {},
         5104},
        {"a tray that cannot take the size asks from the tray's side",
         {},
         {},
         kPlain,
         {},
         {{kPaperSource, 5}},
         {},
         {{kPaperSource, 6}},
         {},
         5106},
        {"a new type Tray 2 cannot take",
         {{kPaperSource, 1}},
         {},
         kPlain,
         {},
         {},
         {{kMediaType, "Labels"}},
         {{kPaperSource, 6}},
         {},
         5103},
        {"a tray that cannot take the type",
         {},
         {{kMediaType, "Transparency"}},
         kPlain,
         {},
         {{kPaperSource, 3}},
         {},
         {{kPaperSource, 6}},
         {},
         5105},
        {"envelopes go through the envelope feeder",
         {{kPaperSource, 5}, {kPaper, 8}},
         {{kMediaType, "Envelope"}},
         kPlain,
         {},
         {},
         {},
         {{kPaperSource, 5}}},
        {"with the large input tray, Legal from tray 13 moves without asking at opening",
         {{kPaperSource, 13}, {kPaper, 6}},
         {{kOptionalInputUnit, kLargeInputTrayUnit}},
         kPlain,
         {},
         {},
         {},
         {{kPaperSource, 6}}},
        {"without it tray 13 takes Legal",
         {{kPaperSource, 13}, {kPaper, 6}},
         {},
         kPlain,
         {},
         {},
         {},
         {{kPaperSource, 13}}},
        {"the other pages' source is checked while they differ",
         {{kDifferentFirstPage, 1}, {kOtherPagesPaperSource, 1}, {kPaper, 8}},
         {},
         kPlain,
         {},
         {},
         {},
         {{kOtherPagesPaperSource, 6}, {kPaperSource, 19}}},
        {"the back cover's own source",
         {{kBackCover, 2}, {kBackCoverSource, 1}, {kPaper, 8}},
         {},
         kPlain,
         {},
         {},
         {},
         {{kBackCoverSource, 6}}},
    };
    for (const RuleRow& row : rows)
        Run(row);
}

// --- Cancel ----------------------------------------------------------------------------------

TEST_F(AvailabilityRulesTest, CancelInAConflictDialogUndoesTheWholeChange) {
    uitest::Sheet sheet(SettingsWith({{kDuplex, 1}}, {}, kDuplexPaperList));
    FillPrinter(sheet.driver.Configuration(), kDuplexPaperList);
    GUIModel& model = sheet.Open();
    BuildAvailabilityRules(&model, &sheet.driver.Configuration(), nullptr);
    model.Propagate(1);
    model.BeginUpdate(nullptr);
    model.CurrentSettings().SetValue(kOrientation, 90);
    model.BeginUpdate(nullptr);
    model.CurrentSettings().SetValue(kPaper, 8);
    WinUiDriver::ClearRecords();
    WinUiDriver::QueueMessageBoxAnswer(IDCANCEL);
    model.Propagate(0);
    const std::vector<WinRecordedMessageBox> boxes = WinUiDriver::MessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, StringOf(GDuplexRule::kAskSizeConflict));
    EXPECT_EQ(sheet.Value(kPaper), 1);
    EXPECT_EQ(sheet.Value(kOrientation), 0);
    EXPECT_EQ(sheet.Value(kDuplex), 1);
    EXPECT_TRUE(model.ChangeRecords().empty());
}

// --- The builder -----------------------------------------------------------------------------

std::vector<std::string> RuleNames(const GUIModel& model) {
    std::vector<std::string> names;
    for (const std::unique_ptr<GConstraintRule>& rule : model.Rules())
        names.push_back(typeid(*rule).name());
    return names;
}

TEST_F(AvailabilityRulesTest, TheBuilderMakesTheRulesInOrderPagesPerSheetLast) {
    std::vector<std::string> expected = {typeid(GFitToPaperTipRule).name(),
                                         typeid(GOutputBinRule).name(),
                                         typeid(GPaperSourceRule).name(),
                                         typeid(GDuplexRule).name(),
                                         typeid(GBookletRule).name(),
                                         typeid(GStapleRule).name(),
                                         typeid(GHighResolutionRule).name(),
                                         typeid(GHardDiskJobRetentionRule).name(),
                                         typeid(GPermissionRule).name(),
                                         typeid(GScaleRule).name(),
                                         typeid(GFitToLetterRule).name(),
                                         typeid(GConfigurationStatusRule).name(),
                                         typeid(GTrueTypeAsBitmapsRule).name(),
                                         typeid(GManualDuplexRule).name(),
                                         typeid(GHardDiskRule).name(),
                                         typeid(GOptimizePQRule).name(),
                                         typeid(GBindRule).name(),
                                         typeid(GFirstPageSourceRule).name(),
                                         typeid(GSendPJLRule).name(),
                                         typeid(GPermissionDependentRule).name(),
                                         typeid(GMediaTypeSourceRule).name(),
                                         typeid(GFormToTrayRule).name(),
                                         typeid(GPagesPerSheetRule).name()};
    for (const uint32_t printer : {static_cast<uint32_t>(kPlain), static_cast<uint32_t>(kPcl5)}) {
        uitest::Sheet sheet(SettingsWith({}, {}, printer));
        FillPrinter(sheet.driver.Configuration(), printer);
        GUIModel& model = sheet.Open();
        BuildAvailabilityRules(&model, &sheet.driver.Configuration(), nullptr);
        if (printer == kPcl5) expected.insert(expected.begin() + 20, typeid(GRenderingModeRule).name());
        EXPECT_EQ(RuleNames(model), expected) << "printer options " << printer;
    }
    EXPECT_EQ(expected.size(), 24u);
}

// The fresh settings of the driver carry the paper id 260 in the printing
// group, in place of the media the sheet's double copies.
void AddPaperId(uitest::ModelPrinterSheet& sheet, uint16_t paper) {
    MPersistentObject* printing = sheet.Settings()->FindById(kPrintingGroup);
    ASSERT_NE(printing, nullptr);
    printing->Add(new GValueAttribute(paper, kPaper));
}

// The model printers' own data: the writer decides the rendering-mode
// rule, the installed options hide what the printer lacks, and the paper
// source follows the input units the settings install.
TEST_F(AvailabilityRulesTest, TheModelPrintersOpenWithTheirOwnOptions) {
    const struct {
        const char* printer;
        size_t rules;
        int duplexLevel;
    } printers[] = {{"QVCOLOR", 23, 0}, {"QVMONO", 24, 2}, {"QVCOLORPS", 23, 0}};
    for (const auto& p : printers) {
        SCOPED_TRACE(p.printer);
        uitest::ModelPrinterSheet sheet(p.printer);
        AddPaperId(sheet, 1);
        GUIModel& model = *sheet.model;
        BuildAvailabilityRules(&model, sheet.driver.GetPrinterConfiguration(), nullptr);
        WinUiDriver::ClearRecords();
        model.Propagate(1);
        EXPECT_EQ(model.Rules().size(), p.rules);
        EXPECT_EQ(uitest::ValueOf(sheet.Settings(), kDuplexLevel), p.duplexLevel);
        EXPECT_EQ(uitest::ValueOf(sheet.Settings(), kStapleLevel), 2) << "no stapling accessory installed";
        EXPECT_EQ(uitest::ValueOf(sheet.Settings(), kBindLevel), 2);
        EXPECT_TRUE(WinUiDriver::MessageBoxes().empty());
    }
    const struct {
        int16_t feeder;
        int source;
    } feeders[] = {{1, 5}, {0, 19}};
    for (const auto& f : feeders) {
        uitest::ModelPrinterSheet sheet("QVCOLOR");
        AddPaperId(sheet, 8);
        GUIModel& model = *sheet.model;
        BuildAvailabilityRules(&model, sheet.driver.GetPrinterConfiguration(), nullptr);
        ASSERT_EQ(model.CurrentSettings().SetValue(kEnvelopeFeederInstalled, f.feeder), 1);
        model.CurrentSettings().SetValue(kPaperSource, 5);
        model.Propagate(1);
        EXPECT_EQ(uitest::ValueOf(sheet.Settings(), kPaperSource), f.source)
            << "envelope feeder " << f.feeder;
    }
}

} // namespace
