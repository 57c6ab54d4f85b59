// The PostScript tab as its builder makes it over the PostScript colour
// model printer: the TrueType send mode and its hold on "Send TrueType as
// Bitmaps", bitmaps forced by the printer, a language without outline
// fonts, the PostScript output options, and the Advanced PS dialog with its
// Cancel and the rules' hold on "Send PJL - Job Commands".
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "model/GSettingIds.h"
#include "model/GValueAttribute.h"
#include "tests/ui/framework/DialogTestSupport.h"
#include "tests/ui/framework/ModelPrinterSheet.h"
#include "tests/ui/framework/ResourceLibraryDoubles.h"
#include "tests/ui/framework/UIModelTestSupport.h"
#include "tests/ui/pages/BuiltPageFixture.h"
#include "tests/ui/pages/SparePageTestSupport.h"
#include "ui/framework/GModalDialog.h"
#include "ui/framework/GPropertyPage.h"
#include "ui/pages/GTrueTypeModeWrapper.h"
#include "ui/pages/PostScriptPageBuilder.h"
#include "winapi/WinUser.h"
#include "winapi/host/WinUiActions.h"
#include "winapi/host/WinUiDriver.h"

namespace {

constexpr int kSendMode = 6514;
constexpr int kSubstitution = 6515;
constexpr int kOptimisation = 6523;
constexpr int kMirror = 6041;
constexpr int kNegative = 6042;
constexpr int kAdvancedButton = 6530;
constexpr WORD kAdvancedDialog = 6700;
// The Advanced PS boxes in the order of their settings 577, 578, 579, 580, 581.
constexpr int kAdvancedBoxes[] = {6704, 6705, 6706, 6701, 6702};
constexpr uint32_t kAdvancedIds[] = {GSettingId::kCtrlDBeforeJob, GSettingId::kCtrlDAfterJob,
                                     GSettingId::kSendPjl, GSettingId::kCompressBitmaps,
                                     GSettingId::kPostScriptErrorPage};

const std::u16string kOutlines = u"Outlines (Type 1)";
const std::u16string kTrueType = u"TrueType (Type 42)";
const std::u16string kBitmaps = u"Bitmaps (Type 3)";

std::u16string Selected(HWND dialog, int id) {
    const LONG_PTR index = WinUiDriver::Selection(dialog, id);
    const std::vector<std::u16string> items = WinUiDriver::Items(dialog, id);
    return index >= 0 && static_cast<size_t>(index) < items.size() ? items[static_cast<size_t>(index)] : u"";
}

class PostScriptPageTest : public pagetest::BuiltPageFixture {
protected:
    PostScriptPageTest() : BuiltPageFixture("QVCOLORPS") {}
    HWND Open() {
        return OpenBuilt(
            [](PROPSHEETPAGEW& record, GUIModel* model) { return BuildPostScriptPage(record, model, 1); });
    }
    // The printer configuration's setting 958, read when the page is built.
    void ForceBitmaps() {
        auto* forced = dynamic_cast<GValueAttribute*>(
            sheet_.driver.GetPrinterConfiguration()->FindById(GSettingId::kTrueTypeAsBitmapsForced));
        ASSERT_NE(forced, nullptr);
        forced->SetValue(1);
    }
};

TEST_F(PostScriptPageTest, TheBuilderFillsTemplate6500WithItsChoicesAndTheirHelpInOrder) {
    HWND page = Open();
    EXPECT_EQ(record_.record.pszTemplate, MAKEINTRESOURCEW(6500));
    EXPECT_EQ(record_.link.pageObject, static_cast<void*>(page_.get()));
    EXPECT_EQ(page_->PageHelpId(), 800);
    EXPECT_EQ(WinUiDriver::WindowText(page), u"  PS");
    std::vector<std::pair<uint32_t, uint32_t>> help;
    for (const GControlHelpPair* row = page_->HelpTable(); row != nullptr && row->controlId != 0; ++row)
        help.emplace_back(row->controlId, row->helpId);
    const uint32_t none = GWrapper::kNoHelp;
    EXPECT_EQ(help, (std::vector<std::pair<uint32_t, uint32_t>>{{6528, none},
                                                                {6514, 313},
                                                                {6529, none},
                                                                {6515, 803},
                                                                {6527, none},
                                                                {6523, 805},
                                                                {6041, 808},
                                                                {6042, 809},
                                                                {6530, 817},
                                                                {11525, none},
                                                                {1013, none},
                                                                {1015, none}}));
    EXPECT_EQ(WinUiDriver::Items(page, kSendMode),
              (std::vector<std::u16string>{kOutlines, kTrueType, kBitmaps}));
    EXPECT_EQ(WinUiDriver::ItemData(page, kSendMode), (std::vector<ULONG_PTR>{2, 0, 1}));
    EXPECT_EQ(WinUiDriver::Items(page, kSubstitution),
              (std::vector<std::u16string>{u"This Printer (all Fonts)", u"PS Level 2 (35 fonts)",
                                           u"No Substitutions"}));
    EXPECT_EQ(WinUiDriver::ItemData(page, kSubstitution), (std::vector<ULONG_PTR>{0, 2, 1}));
    EXPECT_EQ(WinUiDriver::Items(page, kOptimisation),
              (std::vector<std::u16string>{u"Faster Printing", u"Document Portability"}));
    // The printer's defaults: TrueType sent as TrueType, its fonts, faster printing.
    EXPECT_EQ(Selected(page, kSendMode), kTrueType);
    EXPECT_EQ(Selected(page, kSubstitution), u"This Printer (all Fonts)");
    EXPECT_EQ(Selected(page, kOptimisation), u"Faster Printing");
    EXPECT_TRUE(pagetest::WritePagePicture(page, "postscript-page.png"));

    const std::unique_ptr<GModalDialog> advanced = BuildAdvancedPSDialog(Model(), 1);
    EXPECT_EQ(advanced->TemplateId(), 6700);
    EXPECT_EQ(advanced->PageHelpId(), 816);
    help.clear();
    for (const GControlHelpPair* row = advanced->HelpTable(); row != nullptr && row->controlId != 0; ++row)
        help.emplace_back(row->controlId, row->helpId);
    EXPECT_EQ(help, (std::vector<std::pair<uint32_t, uint32_t>>{
                        {6704, 830}, {6705, 831}, {6706, 832}, {6701, 828}, {6702, 829}, {6707, none}}));
}

// The send mode and "Send TrueType as Bitmaps" (293) together; the
// substitution on its own.
TEST_F(PostScriptPageTest, TheSendModeHoldsTrueTypeAsBitmapsAndTheSubstitutionIsStored) {
    HWND page = Open();
    const struct {
        std::u16string text;
        int mode, asBitmaps;
    } modes[] = {{kBitmaps, 1, 1}, {kTrueType, 0, 0}, {kOutlines, 2, 0}, {kBitmaps, 1, 1}, {kOutlines, 2, 0}};
    for (const auto& m : modes) {
        SCOPED_TRACE(std::string(m.text.begin(), m.text.end()));
        ASSERT_TRUE(WinUiDriver::SelectText(page, kSendMode, m.text));
        EXPECT_EQ(Stored(GSettingId::kTrueTypeSendMode), m.mode);
        EXPECT_EQ(Stored(GSettingId::kTrueTypeAsBitmaps), m.asBitmaps);
        EXPECT_EQ(Stored(GSettingId::kFontSubstitution), 0);
    }
    const struct {
        std::u16string text;
        int substitution;
    } substitutions[] = {
        {u"No Substitutions", 1}, {u"PS Level 2 (35 fonts)", 2}, {u"This Printer (all Fonts)", 0}};
    for (const auto& s : substitutions) {
        ASSERT_TRUE(WinUiDriver::SelectText(page, kSubstitution, s.text));
        EXPECT_EQ(Stored(GSettingId::kFontSubstitution), s.substitution);
        EXPECT_EQ(Stored(GSettingId::kTrueTypeSendMode), 2);
    }
    // Settings changed elsewhere are shown when the page comes back.
    Store(GSettingId::kTrueTypeSendMode, 1);
    Store(GSettingId::kFontSubstitution, 2);
    Activate();
    EXPECT_EQ(Selected(page, kSendMode), kBitmaps);
    EXPECT_EQ(Selected(page, kSubstitution), u"PS Level 2 (35 fonts)");
}

TEST_F(PostScriptPageTest, BitmapsForcedByThePrinterAreTheOnlyChoiceAndKeepTrueTypeAsBitmaps) {
    ForceBitmaps();
    ASSERT_EQ(Stored(GSettingId::kTrueTypeSendMode), 0);
    ASSERT_EQ(Stored(GSettingId::kTrueTypeAsBitmaps), 0);
    HWND page = Open();
    EXPECT_EQ(WinUiDriver::Items(page, kSendMode), std::vector<std::u16string>{kBitmaps});
    EXPECT_EQ(Selected(page, kSendMode), kBitmaps);
    // The page opens sending bitmaps, and says so in 293.
    EXPECT_EQ(Stored(GSettingId::kTrueTypeSendMode), 1);
    EXPECT_EQ(Stored(GSettingId::kTrueTypeAsBitmaps), 1);
    // Whatever mode is written, 293 stays on.
    GTrueTypeModeFeature feature(Model());
    ASSERT_TRUE(feature.BitmapsForced());
    for (int16_t mode : {GTrueTypeModeFeature::kTrueType, GTrueTypeModeFeature::kOutlines}) {
        EXPECT_EQ(feature.SetSendMode(mode), 1);
        EXPECT_EQ(Stored(GSettingId::kTrueTypeSendMode), mode);
        EXPECT_EQ(Stored(GSettingId::kTrueTypeAsBitmaps), 1);
        EXPECT_EQ(feature.SendMode(), GTrueTypeModeFeature::kBitmaps);
    }
}

TEST_F(PostScriptPageTest, EachOutputOptionStoresOnlyItsOwnSetting) {
    HWND page = Open();
    const struct {
        const char* what;
        bool select; // the combo box's second entry, else a click
        int id;
        int optimisation, mirror, negative;
    } steps[] = {{"document portability", true, kOptimisation, 1, 0, 0},
                 {"mirror on", false, kMirror, 1, 1, 0},
                 {"negative on", false, kNegative, 1, 1, 1},
                 {"mirror off", false, kMirror, 1, 0, 1}};
    for (const auto& s : steps) {
        SCOPED_TRACE(s.what);
        ASSERT_TRUE(s.select ? WinUiDriver::SelectText(page, s.id, u"Document Portability")
                             : WinUiDriver::Click(page, s.id));
        EXPECT_EQ(Stored(GSettingId::kPostScriptOptimisation), s.optimisation);
        EXPECT_EQ(Stored(GSettingId::kMirrorImage), s.mirror);
        EXPECT_EQ(Stored(GSettingId::kNegativeImage), s.negative);
    }
    Store(GSettingId::kPostScriptOptimisation, 0);
    Store(GSettingId::kMirrorImage, 1);
    Store(GSettingId::kNegativeImage, 2); // only 1 is on
    Activate();
    EXPECT_EQ(Selected(page, kOptimisation), u"Faster Printing");
    EXPECT_EQ(WinUiDriver::CheckState(page, kMirror), BST_CHECKED);
    EXPECT_EQ(WinUiDriver::CheckState(page, kNegative), BST_UNCHECKED);
}

class AdvancedPSDialogTest : public PostScriptPageTest {
protected:
    // Presses "Advanced..." with the dialog's script: the checks of what it
    // shows, every box clicked, then the dialog ended with `end`; what the
    // button answered.
    LRESULT Press(std::vector<UINT> shown, int end, const char* picture = nullptr) {
        WinUiScript script;
        script.push_back(WinUiActions::Do("the boxes show the settings", [shown](HWND dialog) {
            for (size_t i = 0; i < shown.size(); ++i)
                EXPECT_EQ(WinUiDriver::CheckState(dialog, kAdvancedBoxes[i]), shown[i]) << kAdvancedBoxes[i];
            return true;
        }));
        for (int box : kAdvancedBoxes)
            script.push_back(WinUiActions::Click(box));
        if (picture != nullptr)
            script.push_back(WinUiActions::Do("picture", [picture](HWND dialog) {
                EXPECT_TRUE(pagetest::WritePagePicture(dialog, picture));
                return true;
            }));
        script.push_back(WinUiActions::Click(end));
        WinUiDriver::QueueDialogScript(kAdvancedDialog, std::move(script));
        return SendMessageW(window_, WM_COMMAND, MAKEWPARAM(kAdvancedButton, BN_CLICKED),
                            reinterpret_cast<LPARAM>(WinUiDriver::Item(window_, kAdvancedButton)));
    }
    std::vector<int> Values() {
        std::vector<int> values;
        for (uint32_t id : kAdvancedIds)
            values.push_back(Stored(id));
        return values;
    }
};

TEST_F(AdvancedPSDialogTest, CancelGivesBackEveryBoxAndOkKeepsThem) {
    Open();
    // The printer's defaults: PJL job commands and compressed bitmaps on.
    ASSERT_EQ(Values(), (std::vector<int>{0, 0, 1, 1, 0}));
    const std::string before = uitest::Saved(*sheet_.Settings());
    const std::vector<UINT> defaults = {BST_UNCHECKED, BST_UNCHECKED, BST_CHECKED, BST_CHECKED,
                                        BST_UNCHECKED};
    Press(defaults, IDCANCEL, "advanced-ps.png");
    EXPECT_EQ(uitest::Saved(*sheet_.Settings()), before);
    EXPECT_EQ(Values(), (std::vector<int>{0, 0, 1, 1, 0}));
    Press(defaults, IDOK);
    EXPECT_EQ(Values(), (std::vector<int>{1, 1, 0, 0, 1}));
    // The dialog opens again on what was kept.
    Press({BST_CHECKED, BST_CHECKED, BST_UNCHECKED, BST_UNCHECKED, BST_CHECKED}, IDCANCEL);
    EXPECT_EQ(Values(), (std::vector<int>{1, 1, 0, 0, 1}));
}

// The rules' level for sending PJL job commands: 1 disables that box
// alone; every other level leaves it usable.
TEST_F(AdvancedPSDialogTest, LevelOneDisablesOnlyTheSendPjlBox) {
    Open();
    for (int16_t level : {0, 1, 2, 0}) {
        SCOPED_TRACE(level);
        ASSERT_EQ(Model()->RuleLevels().SetValue(GSettingId::kSendPjlLevel, level), 1);
        WinUiDriver::QueueDialogScript(
            kAdvancedDialog,
            {WinUiActions::Do(
                 "which boxes are usable",
                 [level](HWND dialog) {
                     for (int box : kAdvancedBoxes)
                         EXPECT_EQ(WinUiDriver::IsEnabled(dialog, box), box != 6706 || level != 1) << box;
                     if (level == 1) {
                         EXPECT_TRUE(pagetest::WritePagePicture(dialog, "advanced-ps-level-1.png"));
                     }
                     return true;
                 }),
             WinUiActions::Click(IDCANCEL)});
        SendMessageW(window_, WM_COMMAND, MAKEWPARAM(kAdvancedButton, BN_CLICKED),
                     reinterpret_cast<LPARAM>(WinUiDriver::Item(window_, kAdvancedButton)));
    }
}

// A sheet the user may not change offers none of the boxes.
TEST_F(AdvancedPSDialogTest, ALockedSheetOffersNoBox) {
    sheet_.data.flags = 1; // no permission to change the settings
    Open();
    WinUiDriver::QueueDialogScript(
        kAdvancedDialog, {WinUiActions::Do("no box is usable",
                                           [](HWND dialog) {
                                               for (int box : kAdvancedBoxes)
                                                   EXPECT_FALSE(WinUiDriver::IsEnabled(dialog, box)) << box;
                                               return true;
                                           }),
                          WinUiActions::Click(IDCANCEL)});
    SendMessageW(window_, WM_COMMAND, MAKEWPARAM(kAdvancedButton, BN_CLICKED),
                 reinterpret_cast<LPARAM>(WinUiDriver::Item(window_, kAdvancedButton)));
}

// Languages whose resources leave a TrueType text empty: its entry is left
// out; without outline fonts the page opens sending bitmaps.
TEST(TrueTypeLanguageTest, AnEmptyTextLeavesItsEntryOutAndNoOutlinesMeansBitmaps) {
    const struct {
        const char16_t* library;
        const char* module;
        std::vector<std::u16string> items;
        int mode, asBitmaps; // after the page opened
    } cases[] = {{u"TYPE1LESS.DLL", "/libqvrestype1less.so", {kTrueType, kBitmaps}, 1, 1},
                 {u"TYPE42LESS.DLL", "/libqvrestype42less.so", {kOutlines, kBitmaps}, 0, 0}};
    RegisterResourceLibraries();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.module);
        WinHostStore::Instance().RegisterModule(c.library, std::string(QV_TEST_MODULE_DIR) + c.module);
        const HeldResourceLibrary library(c.library);
        ASSERT_EQ(library.Loaded(), 1);
        uitest::ModelPrinterSheet sheet("QVCOLORPS");
        GUIModel* model = sheet.model.get();
        ASSERT_EQ(uitest::ValueOf(sheet.Settings(), GSettingId::kTrueTypeSendMode), 0);
        const GControlHelpPair table[] = {
            {6528, GWrapper::kNoHelp}, {6514, 313}, {6529, GWrapper::kNoHelp}, {6515, 803}, {0, 0}};
        sparetest::SparePage page(model, ResourceModule(), 6500);
        page.Add(std::make_unique<GTrueTypeModeWrapper>(new GTrueTypeModeFeature(model), table));
        HWND dialog = page.Open();
        EXPECT_EQ(WinUiDriver::Items(dialog, kSendMode), c.items);
        EXPECT_EQ(uitest::ValueOf(sheet.Settings(), GSettingId::kTrueTypeSendMode), c.mode);
        EXPECT_EQ(uitest::ValueOf(sheet.Settings(), GSettingId::kTrueTypeAsBitmaps), c.asBitmaps);
        if (c.mode == 1) {
            EXPECT_EQ(Selected(dialog, kSendMode), kBitmaps);
        }
        ASSERT_TRUE(WinUiDriver::SelectText(dialog, kSendMode, c.items.front()));
        EXPECT_EQ(uitest::ValueOf(sheet.Settings(), GSettingId::kTrueTypeAsBitmaps), 0);
    }
}

} // namespace
