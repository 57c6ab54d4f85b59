// The Paper tab (template 2000) as its builder makes it, played as a user
// would on the colour model printer: source, first page, back cover, size
// and type, and the size text in the user's units.
#include <gtest/gtest.h>

#include "model/GEnumAttribute.h"
#include "paper/GCustomMediaSize.h"
#include "tests/ui/pages/PaperPageTestSupport.h"
#include "tests/winapi/PngReader.h"
#include "ui/pages/GMediaTypeFeature.h"
#include "winapi/host/WinUiActions.h"

namespace {

using namespace papertest;

constexpr int kTray1 = 6;
constexpr int kTray2 = 1;
constexpr int kAutomatic = 19;
constexpr int kLegal = 6;

using PaperPageScriptTest = PaperPageTest;

// Seven options, three tips among them and the trailer of three.
TEST_F(PaperPageScriptTest, TheBuilderFillsTheRecordWithTemplate2000AndThirteenControls) {
    Open();
    EXPECT_EQ(record_.record.pszTemplate, MAKEINTRESOURCEW(2000));
    EXPECT_EQ(record_.record.pfnDlgProc, &PropertyPageProc);
    EXPECT_EQ(page_->ControlCount(), 13u);
    EXPECT_EQ(WinUiDriver::WindowText(window_), u"Paper");
}

TEST_F(PaperPageScriptTest, WithTheFirstPageNotDifferentATrayIsTheSourceOfEveryPageAndTheBackCover) {
    HWND page = Open();
    EXPECT_EQ(WinUiDriver::Items(page, kTabStrip).size(), 0u); // an owner-drawn strip, no list
    ASSERT_TRUE(WinUiDriver::SelectText(page, kSourceList, u"Tray 2"));
    EXPECT_EQ(Stored(GSettingId::kPaperSource), kTray2);
    EXPECT_EQ(Stored(GSettingId::kOtherPagesPaperSource), kTray2);
    EXPECT_EQ(Stored(GSettingId::kBackCoverSource), kTray2);
}

TEST_F(PaperPageScriptTest, TheFirstPageBoxShowsItsTabsAndSwitchedOffCopiesTheFirstPageToTheOthers) {
    HWND page = Open();
    ASSERT_TRUE(WinUiDriver::Click(page, kFirstPageBox));
    EXPECT_EQ(Stored(GSettingId::kDifferentFirstPage), 1);
    ASSERT_TRUE(WinUiDriver::SelectText(page, kSourceList, u"Tray 1"));
    EXPECT_EQ(Stored(GSettingId::kPaperSource), kTray1);
    EXPECT_EQ(Stored(GSettingId::kOtherPagesPaperSource), kAutomatic) << "the first page alone";
    ClickTab(1);
    EXPECT_EQ(uitest::ValueOf(sheet_.model->RuleLevels().Composite(), GSettingId::kPaperTab), 1);
    ASSERT_TRUE(WinUiDriver::SelectText(page, kSourceList, u"Tray 2"));
    ASSERT_TRUE(WinUiDriver::SelectText(page, kTypeList, u"Bond"));
    EXPECT_EQ(Stored(GSettingId::kOtherPagesPaperSource), kTray2);
    EXPECT_EQ(Text(GSettingId::kOtherPagesMediaType), "Bond");
    EXPECT_EQ(Stored(GSettingId::kPaperSource), kTray1);
    EXPECT_EQ(Text(GSettingId::kMediaType), "");

    ASSERT_TRUE(WinUiDriver::Click(page, kFirstPageBox));
    EXPECT_EQ(Stored(GSettingId::kDifferentFirstPage), 0);
    EXPECT_EQ(Stored(GSettingId::kOtherPagesPaperSource), kTray1);
    EXPECT_EQ(Text(GSettingId::kOtherPagesMediaType), "");
    EXPECT_EQ(uitest::ValueOf(sheet_.model->RuleLevels().Composite(), GSettingId::kPaperTab), 0);
}

TEST_F(PaperPageScriptTest, TheBackCoverButtonsShowOnlyOnTheBackCoverTab) {
    HWND page = Open();
    const auto coverShown = [&] {
        return WinUiDriver::IsVisible(page, kNoBackCover) &&
               WinUiDriver::IsVisible(page, kBackCoverFromFirst) &&
               WinUiDriver::IsVisible(page, kBackCoverAlternate);
    };
    EXPECT_FALSE(WinUiDriver::IsVisible(page, kNoBackCover));
    ASSERT_TRUE(WinUiDriver::Click(page, kFirstPageBox));
    EXPECT_FALSE(coverShown()) << "first page tab";
    ClickTab(1);
    EXPECT_FALSE(WinUiDriver::IsVisible(page, kNoBackCover)) << "other pages tab";
    ClickTab(2);
    EXPECT_TRUE(coverShown());
    EXPECT_TRUE(WinUiDriver::IsVisible(page, 2060)) << "the blank-page note";
    ASSERT_TRUE(WinUiDriver::Click(page, kBackCoverAlternate));
    EXPECT_EQ(Stored(GSettingId::kBackCover), 2);
    ASSERT_TRUE(WinUiDriver::SelectText(page, kSourceList, u"Tray 1"));
    EXPECT_EQ(Stored(GSettingId::kBackCoverSource), kTray1);
    ClickTab(0);
    EXPECT_FALSE(WinUiDriver::IsVisible(page, kBackCoverAlternate));
}

TEST_F(PaperPageScriptTest, APaperTypeAsSourceTakesTheAutomaticTrayAndFixesTheTypeOfBothPages) {
    SetPrinterValue(GSettingId::kPaperTypesAsSources, 1);
    HWND page = Open();
    ASSERT_TRUE(WinUiDriver::SelectText(page, kSourceList, u"Tray 2"));
    ASSERT_TRUE(WinUiDriver::SelectText(page, kSourceList, u"Transparency"));
    EXPECT_EQ(Text(GSettingId::kMediaType), "Transparency");
    EXPECT_EQ(Text(GSettingId::kOtherPagesMediaType), "Transparency");
    EXPECT_EQ(Stored(GSettingId::kPaperSource), kAutomatic);
    EXPECT_EQ(Stored(GSettingId::kOtherPagesPaperSource), kAutomatic);
    EXPECT_FALSE(WinUiDriver::IsEnabled(page, kTypeList));
    // Written as changes of the update, so the rules and a Cancel see them.
    EXPECT_EQ(sheet_.model->CurrentSettings().WasChanged(GSettingId::kMediaType), 1);

    ASSERT_TRUE(WinUiDriver::SelectText(page, kSourceList, u"Tray 1"));
    EXPECT_TRUE(WinUiDriver::IsEnabled(page, kTypeList));
    EXPECT_EQ(Text(GSettingId::kMediaType), "Transparency") << "a tray leaves the type as it is";
}

TEST_F(PaperPageScriptTest, ManualFeedShowsTheNoticeUntilTheUserTicksDoNotShow) {
    HWND page = Open();
    bool shown = false;
    WinUiDriver::QueueDialogScript(11535, {WinUiActions::Do("seen",
                                                            [&](HWND) {
                                                                shown = true;
                                                                return true;
                                                            }),
                                           WinUiActions::Click(11530), WinUiActions::Click(IDOK)});
    ASSERT_TRUE(WinUiDriver::SelectText(page, kSourceList, u"Manual Feed"));
    EXPECT_TRUE(shown);
    EXPECT_EQ(Stored(GSettingId::kPaperSource), 18);
    ASSERT_TRUE(WinUiDriver::SelectText(page, kSourceList, u"Tray 1"));
    shown = false;
    WinUiDriver::QueueDialogScript(11535, {WinUiActions::Do("seen", [&](HWND) {
                                       shown = true;
                                       return true;
                                   })});
    ASSERT_TRUE(WinUiDriver::SelectText(page, kSourceList, u"Manual Feed"));
    EXPECT_FALSE(shown) << "not again once the box was ticked";
    WinUiDriver::ClearRecords(); // the script left unplayed
}

TEST_F(PaperPageScriptTest, ReadingTheTypeStateWritesNothing) {
    SetPrinterValue(GSettingId::kPaperTypesAsSources, 1);
    Open();
    ASSERT_EQ(sheet_.model->RuleLevels().SetValue(GSettingId::kLastPaperSource, 11111), 1);
    const std::string before = uitest::Saved(*sheet_.Settings());
    GMediaTypeFeature type(sheet_.model.get());
    EXPECT_EQ(type.GetState(), GFeature::kDisabled);
    EXPECT_TRUE(uitest::Saved(*sheet_.Settings()) == before);
    type.EnforceSourceType();
    EXPECT_EQ(Text(GSettingId::kMediaType), "Card Stock");
}

TEST_F(PaperPageScriptTest, TheSizeListSelectsNothingForASizeItDoesNotHoldAndWritesNothing) {
    Store(GSettingId::kPaper, 31000); // no paper of the printer
    HWND page = Open();
    EXPECT_EQ(WinUiDriver::Selection(page, kSizeList), -1);
    Activate();
    EXPECT_EQ(Stored(GSettingId::kPaper), 31000);
    ASSERT_TRUE(WinUiDriver::SelectText(page, kSizeList, u"Legal"));
    EXPECT_EQ(Stored(GSettingId::kPaper), kLegal);
    EXPECT_EQ(WinUiDriver::Text(page, kSizeList), u"Legal");
}

TEST_F(PaperPageScriptTest, TheSizeTextOfLetterFollowsTheUnitsAndThePagesPerSheet) {
    const struct {
        const char16_t* measure;
        int16_t units;
        int16_t pagesPerSheet;
        const char16_t* text;
    } cases[] = {{u"1", 0, 1, u"8.5 by 11 inches"}, {u"0", 0, 1, u"216 by 279 mm."},
                 {u"1", 0, 2, u"11 by 8.5 inches"}, {u"0", 0, 6, u"279 by 216 mm."},
                 {u"0", 1, 1, u"8.5 by 11 inches"}, {u"1", 2, 1, u"216 by 279 mm."},
                 {u"1", 0, 4, u"8.5 by 11 inches"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "units " << c.units << " pages " << c.pagesPerSheet);
        SetUserLocale(c.measure, u".");
        Store(GSettingId::kPaper, 1);
        Store(GSettingId::kMeasurementUnits, c.units);
        Store(GSettingId::kPagesPerSheet, c.pagesPerSheet);
        Open();
        EXPECT_EQ(SizeText(), c.text);
        Close();
    }
}

TEST_F(PaperPageScriptTest, AClickOnTheSizeTextSwitchesThePageUnits) {
    SetUserLocale(u"0", u".");
    HWND page = Open();
    EXPECT_EQ(SizeText(), u"216 by 279 mm.");
    ASSERT_TRUE(WinUiDriver::Click(page, kSizeText));
    EXPECT_EQ(Stored(GSettingId::kMeasurementUnits), 1);
    EXPECT_EQ(SizeText(), u"8.5 by 11 inches");
    ASSERT_TRUE(WinUiDriver::Click(page, kSizeText));
    EXPECT_EQ(Stored(GSettingId::kMeasurementUnits), 2);
}

TEST_F(PaperPageScriptTest, TheTypeListOffersTheListedTypesOnlyAndShowsAUserDefinedOne) {
    HWND page = Open();
    const std::vector<ULONG_PTR> ids = WinUiDriver::ItemData(page, kTypeList);
    const std::vector<ULONG_PTR> expected = {11101, 11102, 11103, 11104, 11105, 11106, 11107,
                                             11108, 11109, 11110, 11111, 11119, 11120};
    EXPECT_EQ(ids, expected);
    ASSERT_TRUE(WinUiDriver::SelectText(page, kTypeList, u"Cardstock"));
    EXPECT_EQ(Text(GSettingId::kMediaType), "Card Stock");
    EXPECT_EQ(Text(GSettingId::kOtherPagesMediaType), "Card Stock");
    Close();

    SetText(GSettingId::kMediaType, "Foo");
    page = Open();
    EXPECT_EQ(WinUiDriver::Text(page, kTypeList), u"Foo");
    Close();
    SetText(GSettingId::kMediaType, "Rough");
    page = Open();
    EXPECT_EQ(WinUiDriver::Selection(page, kTypeList), -1);
    EXPECT_EQ(Text(GSettingId::kMediaType), "Rough") << "shown, never rewritten";
}

TEST_F(PaperPageScriptTest, ASizeOutsideTheLayoutRangeAsksFirstAndCancelUndoesEverything) {
    // A saved custom size narrower than the smallest sheet (3 by 5 inches).
    sheet_.model->CurrentSettings().FindEnum276()->Add(new GCustomMediaSize(16390, "Strip", 0, 200, 600));
    for (const int answer : {IDCANCEL, IDOK}) {
        SCOPED_TRACE(answer);
        Store(GSettingId::kPaper, 1);
        Store(GSettingId::kPagesPerSheet, 4);
        Store(GSettingId::kScale, 80);
        HWND page = Open();
        const std::string before = uitest::Saved(*sheet_.Settings());
        WinUiDriver::ClearRecords();
        WinUiDriver::QueueMessageBoxAnswer(answer);
        ASSERT_TRUE(WinUiDriver::SelectText(page, kSizeList, u"Strip"));
        const std::vector<WinRecordedMessageBox> boxes = WinUiDriver::MessageBoxes();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].caption, u"For Your Information");
        EXPECT_EQ(boxes[0].type & 0xF, static_cast<UINT>(MB_OKCANCEL));
        EXPECT_NE(boxes[0].text.find(u"\"Pages Per Sheet\" to 1"), std::u16string::npos);
        if (answer == IDCANCEL) {
            EXPECT_TRUE(uitest::Saved(*sheet_.Settings()) == before);
        } else {
            EXPECT_EQ(Stored(GSettingId::kPaper), 16390);
            EXPECT_EQ(Stored(GSettingId::kPagesPerSheet), 1);
            EXPECT_EQ(Stored(GSettingId::kScale), 100);
            EXPECT_EQ(Stored(GSettingId::kBooklet), 0);
        }
        Close();
    }
}

TEST_F(PaperPageScriptTest, TheTabIsWrittenAsPicturesOfAllPagesFirstPageAndBackCover) {
    qvtest::TempFolder folder;
    HWND page = Open();
    const auto write = [&](const std::string& name) {
        const std::string path = folder.PicturePath(name);
        ASSERT_TRUE(WinUiDriver::RenderToPng(page, path));
        PngImage image;
        ASSERT_TRUE(ReadPng(path, image));
        RECT client{};
        GetClientRect(page, &client);
        EXPECT_EQ(image.width, static_cast<uint32_t>(client.right));
    };
    write("paper-all-pages.png");
    ASSERT_TRUE(WinUiDriver::Click(page, kFirstPageBox));
    write("paper-first-page.png");
    ClickTab(2);
    write("paper-back-cover.png");
}

} // namespace
