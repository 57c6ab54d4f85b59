// The Basics tab as its builder makes it over the colour model printer: the
// copies field kept within the printer's range, the orientation buttons with
// their effect on the binding edge, the About controls, the page-wide
// feature tips and a sheet the user may not change.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "model/GRangeAttribute.h"
#include "model/GSettingIds.h"
#include "model/GValueAttribute.h"
#include "paper/GMedia.h"
#include "paper/GMediaPool.h"
#include "tests/support/TempFolder.h"
#include "tests/ui/framework/DialogTestSupport.h"
#include "tests/ui/framework/ModelPrinterSheet.h"
#include "tests/ui/framework/ResourceLibraryDoubles.h"
#include "tests/ui/framework/UIModelTestSupport.h"
#include "tests/ui/pages/BuiltPageFixture.h"
#include "tests/winapi/PngReader.h"
#include "ui/framework/GPropertyPage.h"
#include "ui/framework/GResourceLibrary.h"
#include "ui/pages/BasicsPageBuilder.h"
#include "winapi/WinUser.h"
#include "winapi/host/WinUiActions.h"
#include "winapi/host/WinUiDriver.h"

namespace {

constexpr int kCopiesEdit = 1021;
constexpr int kCopiesUpDown = 1022;
constexpr int kPluralLabel = 1023;
constexpr int kSingularLabel = 1024;
constexpr int kPortrait = 1031;
constexpr int kLandscape = 1032;
constexpr int kTurn = 1033;
constexpr int kAboutButton = 1050;
constexpr int kCommonAbout = 11525;
constexpr int kFirstPageTip = 1013;
constexpr int kSecondPageTip = 1015;
constexpr WORD kAboutBox = 11520;
constexpr uint16_t kLetter = 1;
// The owner flag of a sheet whose user may not change the settings.
constexpr uint32_t kNoPermission = 1;

class BasicsPageTest : public pagetest::BuiltPageFixture {
protected:
    void SetUp() override {
        BuiltPageFixture::SetUp();
        // Fresh settings of a real sheet carry the user's paper (Letter).
        MPersistentObject* printing = sheet_.Settings()->FindById(GSettingId::kPrintingGroup);
        ASSERT_NE(printing, nullptr);
        printing->Add(new GValueAttribute(kLetter, GSettingId::kPaper));
    }
    HWND Open() {
        return OpenBuilt(
            [](PROPSHEETPAGEW& record, GUIModel* model) { return BuildBasicsPage(record, model, 1); });
    }
    // The printer's copies range (its value 1), before the page is built.
    void SetCopiesRange(int16_t minimum, int16_t maximum, uint16_t step) {
        const GRangeAttribute range(minimum, maximum, step, 1, GSettingId::kCopiesRange);
        ASSERT_EQ(Model()->Defaults().Composite()->ReplaceById(GSettingId::kCopiesRange, &range), 1);
    }
    // The copies field gets the text, as typed or pasted, and loses the focus.
    void Enter(HWND dialog, const std::u16string& text, bool pasted) {
        if (pasted) {
            ASSERT_TRUE(WinUiDriver::Focus(dialog, kCopiesEdit));
            SetDlgItemTextW(dialog, kCopiesEdit, text.c_str());
        } else {
            ASSERT_TRUE(WinUiDriver::Type(dialog, kCopiesEdit, text));
        }
        ASSERT_TRUE(WinUiDriver::Focus(dialog, kAboutButton));
    }
};

TEST_F(BasicsPageTest, TheBuilderFillsTemplate1000WithItsControlsAndTheirHelpInOrder) {
    Open();
    EXPECT_EQ(record_.record.pszTemplate, MAKEINTRESOURCEW(1000));
    EXPECT_EQ(record_.record.pfnDlgProc, &PropertyPageProc);
    EXPECT_EQ(record_.link.pageObject, static_cast<void*>(page_.get()));
    EXPECT_EQ(page_->PageHelpId(), 100);
    EXPECT_EQ(WinUiDriver::WindowText(window_), u"Basics");
    std::vector<std::pair<uint32_t, uint32_t>> help;
    for (const GControlHelpPair* row = page_->HelpTable(); row != nullptr && row->controlId != 0; ++row)
        help.emplace_back(row->controlId, row->helpId);
    const uint32_t none = GWrapper::kNoHelp;
    EXPECT_EQ(help, (std::vector<std::pair<uint32_t, uint32_t>>{{1021, 101},
                                                                {1022, 101},
                                                                {1024, 101},
                                                                {1023, 101},
                                                                {1031, 102},
                                                                {1032, 103},
                                                                {1033, 104},
                                                                {1050, 105},
                                                                {11525, none},
                                                                {1013, none},
                                                                {1015, none}}));
}

TEST_F(BasicsPageTest, ATypedCountIsKeptWithinTheRangeAndTheLabelFollowsIt) {
    const struct {
        const char* what;
        int16_t minimum, maximum;
        std::u16string text;
        bool pasted;
        int stored;
        std::u16string shown;
    } cases[] = {
        {"above the range", 1, 99, u"150", false, 99, u"99"},
        {"within", 1, 99, u"42", false, 42, u"42"},
        {"one copy", 1, 99, u"1", false, 1, u"1"},
        {"below the range", 1, 99, u"0", false, 1, u"1"},
        {"not a number", 1, 99, u"abc", true, 3, u"3"},
        {"nothing", 1, 99, u"", false, 3, u"3"},
        {"past 16 bits", 1, 99, u"65538", false, 99, u"99"},
        {"a negative minimum", -5, 10, u"20", false, 10, u"10"},
        {"below a negative minimum", -5, 10, u"-8", true, -5, u"-5"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SetCopiesRange(c.minimum, c.maximum, 1);
        Store(GSettingId::kCopies, 3);
        HWND dialog = Open();
        Enter(dialog, c.text, c.pasted);
        EXPECT_EQ(Stored(GSettingId::kCopies), c.stored);
        EXPECT_EQ(WinUiDriver::Text(dialog, kCopiesEdit), c.shown);
        EXPECT_EQ(WinUiDriver::IsVisible(dialog, kSingularLabel), c.stored == 1);
        EXPECT_EQ(WinUiDriver::IsVisible(dialog, kPluralLabel), c.stored != 1);
        EXPECT_EQ(WinUiDriver::Text(dialog, c.stored == 1 ? kSingularLabel : kPluralLabel),
                  c.stored == 1 ? u"&Copy" : u"&Copies");
        Close();
    }
}

TEST_F(BasicsPageTest, ATypedCountIsTakenWhenTheTabIsLeft) {
    SetCopiesRange(1, 99, 1);
    HWND dialog = Open();
    ASSERT_TRUE(WinUiDriver::Type(dialog, kCopiesEdit, u"42"));
    EXPECT_EQ(Stored(GSettingId::kCopies), 1) << "typing alone stores nothing";
    NMHDR header{nullptr, 0, PSN_KILLACTIVE};
    SendMessageW(dialog, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header));
    EXPECT_EQ(Stored(GSettingId::kCopies), 42);
}

TEST_F(BasicsPageTest, TheArrowsTakeTheTypedCountFirstThenStepWithinTheRange) {
    const struct {
        const char* what;
        bool ranged;
        int16_t minimum, maximum;
        uint16_t step;
        std::u16string typed;
        int presses;
        int stored;
    } cases[] = {
        {"a step of 5", true, 1, 99, 5, u"7", 1, 12},
        {"down", true, 1, 99, 5, u"20", -1, 15},
        {"never past the maximum", true, 1, 99, 5, u"97", 1, 99},
        {"never below the minimum", true, 1, 99, 5, u"3", -1, 1},
        {"no wrap near 32767", true, 1, 32767, 10, u"32765", 1, 32767},
        {"without a range", false, 0, 0, 0, u"", 1, 1},
        {"without a range, down", false, 0, 0, 0, u"", -1, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.ranged)
            SetCopiesRange(c.minimum, c.maximum, c.step);
        else
            Model()->Defaults().Composite()->RemoveById(GSettingId::kCopiesRange);
        Store(GSettingId::kCopies, 1);
        HWND dialog = Open();
        if (!c.typed.empty()) {
            ASSERT_TRUE(WinUiDriver::Type(dialog, kCopiesEdit, c.typed));
        }
        ASSERT_TRUE(WinUiDriver::Spin(dialog, kCopiesUpDown, c.presses));
        EXPECT_EQ(Stored(GSettingId::kCopies), c.stored);
        EXPECT_EQ(WinUiDriver::Text(dialog, kCopiesEdit), pagetest::Digits(c.stored))
            << "the field shows the count";
        Close();
    }
}

// Each row: the control clicked, then the orientation, the binding edge and
// the turn box the page shows.
struct BasicsClick {
    int control;
    int orientation;
    int binding;
    bool turned;
};

TEST_F(BasicsPageTest, TheOrientationButtonsSetTheDegreesAndMoveTheBindingEdgeBetweenFamilies) {
    const struct {
        const char* what;
        int16_t binding;
        std::vector<BasicsClick> clicks;
    } cases[] = {
        {"short edge",
         1,
         {{kTurn, 180, 1, true},
          {kLandscape, 90, 2, false},
          {kTurn, 270, 2, true},
          {kPortrait, 0, 1, false},
          {kTurn, 180, 1, true},
          {kPortrait, 180, 1, true}}},
        {"one-sided", 0, {{kLandscape, 90, 0, false}, {kTurn, 270, 0, true}, {kPortrait, 0, 0, false}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Store(GSettingId::kOrientation, 0);
        Store(GSettingId::kDuplex, c.binding);
        HWND dialog = Open();
        for (const BasicsClick& click : c.clicks) {
            SCOPED_TRACE(testing::Message() << "click " << click.control << " to " << click.orientation);
            ASSERT_TRUE(WinUiDriver::Click(dialog, click.control));
            EXPECT_EQ(Stored(GSettingId::kOrientation), click.orientation);
            EXPECT_EQ(Stored(GSettingId::kDuplex), click.binding);
            EXPECT_EQ(WinUiDriver::CheckState(dialog, kTurn), click.turned ? BST_CHECKED : BST_UNCHECKED);
            const bool landscape = click.orientation == 90 || click.orientation == 270;
            EXPECT_EQ(WinUiDriver::CheckState(dialog, landscape ? kLandscape : kPortrait), BST_CHECKED);
        }
        Close();
    }
}

TEST_F(BasicsPageTest, APaperThatCannotTurnKeepsPortraitUnturned) {
    auto* pool =
        static_cast<GMediaPool*>(Model()->Defaults().FindTyped(GSettingId::kMediaPool, GMediaPool::kClassId));
    ASSERT_NE(pool, nullptr);
    const int16_t paper = static_cast<int16_t>(Stored(GSettingId::kPaper));
    const uint16_t resolution = Model()->FirstSquareResolution();
    ASSERT_NE(pool->FindMedia(paper, 180, resolution), nullptr);
    while (GMedia* turned = pool->FindMedia(paper, 180, resolution))
        ASSERT_NE(pool->Remove(turned), nullptr);
    Store(GSettingId::kOrientation, 180);
    HWND dialog = Open();
    EXPECT_EQ(WinUiDriver::CheckState(dialog, kPortrait), BST_CHECKED);
    EXPECT_EQ(WinUiDriver::CheckState(dialog, kTurn), BST_UNCHECKED);
    EXPECT_FALSE(WinUiDriver::IsEnabled(dialog, kTurn));
    ASSERT_TRUE(WinUiDriver::Click(dialog, kPortrait));
    EXPECT_EQ(Stored(GSettingId::kOrientation), 0);
    ASSERT_TRUE(WinUiDriver::Click(dialog, kLandscape));
    EXPECT_TRUE(WinUiDriver::IsEnabled(dialog, kTurn)) << "landscape turns";
    ASSERT_TRUE(WinUiDriver::Click(dialog, kTurn));
    EXPECT_EQ(Stored(GSettingId::kOrientation), 270);
    ASSERT_TRUE(WinUiDriver::Click(dialog, kPortrait));
    EXPECT_EQ(Stored(GSettingId::kOrientation), 0);
    EXPECT_FALSE(WinUiDriver::IsEnabled(dialog, kTurn));
    EXPECT_EQ(WinUiDriver::CheckState(dialog, kTurn), BST_UNCHECKED);
}

TEST_F(BasicsPageTest, WithoutPermissionEveryControlIsShownDisabledAndNoTipIsShown) {
    Model()->RuleLevels().SetValue(GSettingId::kQuickSetsLevel, 0);
    Model()->RuleLevels().SetValue(GSettingId::kQuickSetsMessage, 5301);
    const int controls[] = {kCopiesEdit, kCopiesUpDown, kSingularLabel, kPortrait,
                            kLandscape,  kTurn,         kAboutButton,   kCommonAbout};
    for (uint32_t flags : {0u, kNoPermission}) {
        SCOPED_TRACE(flags);
        sheet_.data.flags = flags;
        HWND dialog = Open();
        for (int id : controls) {
            EXPECT_TRUE(WinUiDriver::IsVisible(dialog, id)) << id;
            EXPECT_EQ(WinUiDriver::IsEnabled(dialog, id), flags == 0) << id;
        }
        for (int tip : {kFirstPageTip, kSecondPageTip})
            EXPECT_EQ(WinUiDriver::IsVisible(dialog, tip), flags == 0) << tip;
        Close();
    }
}

TEST_F(BasicsPageTest, TheRulesLevelGreysOrHidesTheCopies) {
    HWND dialog = Open();
    const struct {
        int16_t level;
        bool visible, enabled;
    } cases[] = {{1, true, false}, {2, false, false}, {0, true, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.level);
        Model()->RuleLevels().SetValue(GSettingId::kCopiesLevel, c.level);
        Activate();
        for (int id : {kCopiesEdit, kCopiesUpDown}) {
            EXPECT_EQ(WinUiDriver::IsVisible(dialog, id), c.visible) << id;
            EXPECT_EQ(WinUiDriver::IsEnabled(dialog, id), c.enabled) << id;
        }
        EXPECT_EQ(WinUiDriver::IsVisible(dialog, kSingularLabel), c.visible) << "one copy";
        EXPECT_FALSE(WinUiDriver::IsVisible(dialog, kPluralLabel)) << "never beside the other label";
    }
}

TEST_F(BasicsPageTest, BothAboutControlsRunTheAboutBoxAndPropagateNothing) {
    std::vector<std::string> log;
    Model()->AddRule(std::make_unique<uitest::LoggingRule>(Model(), "rule", log));
    HWND dialog = Open();
    for (int control : {kAboutButton, kCommonAbout}) {
        SCOPED_TRACE(control);
        std::u16string title;
        WinUiDriver::QueueDialogScript(kAboutBox, {WinUiActions::Do("look",
                                                                    [&](HWND box) {
                                                                        title = WinUiDriver::WindowText(box);
                                                                        return true;
                                                                    }),
                                                   WinUiActions::End(IDOK)});
        const size_t before = log.size();
        ASSERT_TRUE(WinUiDriver::Click(dialog, control));
        EXPECT_EQ(title, u"About This Driver");
        EXPECT_EQ(log.size(), before) << "no rule ran";
        if (control == kAboutButton) {
            EXPECT_EQ(WinUiDriver::Focused(), WinUiDriver::Item(dialog, control));
        }
    }
}

TEST_F(BasicsPageTest, APageTipShowsOnlyAHintTheStringsHaveAndAClickShowsIt) {
    const struct {
        int16_t level;
        int16_t message;
        bool shown;
    } cases[] = {{1, 11902, false}, {1, 5301, false}, {0, 5111, false}, {0, 5301, true}, {2, 5301, true}};
    HWND dialog = Open();
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "level " << c.level << " message " << c.message);
        Model()->RuleLevels().SetValue(GSettingId::kQuickSetsLevel, c.level);
        Model()->RuleLevels().SetValue(GSettingId::kQuickSetsMessage, c.message);
        Activate();
        EXPECT_EQ(WinUiDriver::IsVisible(dialog, kFirstPageTip), c.shown);
        EXPECT_EQ(WinUiDriver::IsVisible(dialog, kSecondPageTip), c.shown);
    }
    WinUiDriver::ClearRecords();
    ASSERT_TRUE(WinUiDriver::Click(dialog, kSecondPageTip));
    const std::vector<WinRecordedMessageBox> boxes = WinUiDriver::MessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text,
              u"Although your document will be formatted for the paper size indicated, it will be "
              u"printed \non the paper size specified on the \"Effects\" tab.");
    EXPECT_EQ(boxes[0].caption, u"Feature Tip");
    EXPECT_EQ(boxes[0].type, MB_ICONINFORMATION);
    EXPECT_EQ(WinUiDriver::Cursor(), LoadCursorW(ResourceModule(), MAKEINTRESOURCEW(11270))) << "the hand";
}

TEST_F(BasicsPageTest, TheTabIsWrittenAsPictures) {
    qvtest::TempFolder folder;
    const struct {
        const char* name;
        int16_t orientation;
        uint32_t flags;
    } pictures[] = {{"basics-portrait.png", 0, 0},
                    {"basics-landscape-turned-locked.png", 270, kNoPermission}};
    for (const auto& p : pictures) {
        SCOPED_TRACE(p.name);
        Store(GSettingId::kOrientation, p.orientation);
        sheet_.data.flags = p.flags;
        HWND dialog = Open();
        const std::string path = folder.PicturePath(p.name);
        ASSERT_TRUE(WinUiDriver::RenderToPng(dialog, path));
        PngImage image;
        ASSERT_TRUE(ReadPng(path, image));
        RECT client{};
        GetClientRect(dialog, &client);
        EXPECT_EQ(image.width, static_cast<uint32_t>(client.right));
        EXPECT_EQ(image.height, static_cast<uint32_t>(client.bottom));
        Close();
    }
}

} // namespace
