// The Finishing tab (template 3000) as its builder makes it, played as a
// user would on the colour model printer: both sides and the flip, the
// booklet list, pages per sheet with its arrows, staple and bind, and the
// place of the Document Options group.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "model/GAttributeComposite.h"
#include "model/GBookletComposite.h"
#include "tests/ui/pages/FinishingPageTestSupport.h"
#include "ui/pages/GBookletFeature.h"
#include "winapi/WinDialog.h"

namespace {

using namespace finishingtest;

using FinishingPageScriptTest = FinishingPageTest;

using pagetest::Digits;

// Eleven options and tips, the trailer of three.
TEST_F(FinishingPageScriptTest, TheBuilderFillsTheRecordWithTemplate3000AndItsControls) {
    Open();
    EXPECT_EQ(record_.record.pszTemplate, MAKEINTRESOURCEW(3000));
    EXPECT_EQ(record_.record.pfnDlgProc, &PropertyPageProc);
    EXPECT_EQ(page_->ControlCount(), 17u);
    EXPECT_EQ(WinUiDriver::WindowText(window_), u"Finishing");
    // The joined help table names each option's topic.
    const GControlHelpPair* help = page_->HelpTable();
    ASSERT_NE(help, nullptr);
    std::vector<std::pair<uint32_t, uint32_t>> topics;
    for (; help->controlId != 0; ++help)
        if (help->helpId != GWrapper::kNoHelp) topics.emplace_back(help->controlId, help->helpId);
    const std::vector<std::pair<uint32_t, uint32_t>> expected = {
        {3011, 302}, {3012, 303}, {3024, 301}, {3025, 301}, {3015, 323}, {3016, 323},
        {3017, 323}, {3019, 324}, {3041, 325}, {3027, 305}, {3042, 343}, {3029, 306},
        {3031, 310}, {3032, 315}, {3033, 312}, {3034, 321}};
    EXPECT_EQ(topics, expected);
}

TEST_F(FinishingPageScriptTest, ATypedNumberOfPagesIsStoredAsTheNumberThatFitsASheet) {
    HWND page = Open();
    const struct {
        const char16_t* typed;
        int stored;
    } entries[] = {{u"3", 4},  {u"0", 1},   {u"2", 2},   {u"5", 6}, {u"7", 6}, {u"8", 9},
                   {u"12", 9}, {u"13", 16}, {u"99", 16}, {u"9", 9}, {u"1", 1}};
    for (const auto& e : entries) {
        SCOPED_TRACE(testing::Message() << e.stored);
        ASSERT_TRUE(WinUiDriver::Type(page, kPagesField, e.typed));
        EXPECT_EQ(Stored(GSettingId::kPagesPerSheet), e.stored);
        ASSERT_TRUE(WinUiDriver::Focus(page, kBookletList)); // leaving shows the stored number
        EXPECT_EQ(WinUiDriver::Text(page, kPagesField), Digits(e.stored));
    }
    // Text that is no number stores nothing.
    Store(GSettingId::kPagesPerSheet, 4);
    SetDlgItemTextW(page, kPagesField, u"x");
    EXPECT_EQ(Stored(GSettingId::kPagesPerSheet), 4);
    SetDlgItemTextW(page, kPagesField, u"");
    EXPECT_EQ(Stored(GSettingId::kPagesPerSheet), 4);
}

TEST_F(FinishingPageScriptTest, TheArrowsStepThroughTheNumbersThatFitAndWrapAround) {
    HWND page = Open();
    const int up[] = {2, 4, 6, 9, 16, 1};
    for (const int expected : up) {
        ASSERT_TRUE(WinUiDriver::Spin(page, kPagesArrows, 1));
        EXPECT_EQ(Stored(GSettingId::kPagesPerSheet), expected);
        EXPECT_EQ(WinUiDriver::Text(page, kPagesField), Digits(expected));
    }
    ASSERT_TRUE(WinUiDriver::Spin(page, kPagesArrows, -1));
    EXPECT_EQ(Stored(GSettingId::kPagesPerSheet), 16);
    ASSERT_TRUE(WinUiDriver::Spin(page, kPagesArrows, -1));
    EXPECT_EQ(Stored(GSettingId::kPagesPerSheet), 9);
    // A number between the allowed ones steps to its neighbours.
    Store(GSettingId::kPagesPerSheet, 3);
    ASSERT_TRUE(WinUiDriver::Spin(page, kPagesArrows, 1));
    EXPECT_EQ(Stored(GSettingId::kPagesPerSheet), 6);
}

TEST_F(FinishingPageScriptTest, BordersAndOrderAreUsableAndStoredOnlyForMoreThanOnePage) {
    Store(GSettingId::kPageOrder, 3);
    HWND page = Open();
    EXPECT_FALSE(WinUiDriver::IsEnabled(page, kBorders));
    EXPECT_FALSE(WinUiDriver::IsEnabled(page, kOrderList));
    EXPECT_EQ(Stored(GSettingId::kPageOrder), 0) << "one page has no order";
    EXPECT_EQ(WinUiDriver::Items(page, kOrderList),
              (std::vector<std::u16string>{u"Right, then Down", u"Down, then Right", u"Left, then Down",
                                           u"Down, then Left"}));
    ASSERT_TRUE(WinUiDriver::Type(page, kPagesField, u"4"));
    EXPECT_TRUE(WinUiDriver::IsEnabled(page, kBorders));
    ASSERT_TRUE(WinUiDriver::Click(page, kBorders));
    ASSERT_TRUE(WinUiDriver::SelectText(page, kOrderList, u"Down, then Left"));
    EXPECT_EQ(Stored(GSettingId::kPageBorders), 1);
    EXPECT_EQ(Stored(GSettingId::kPageOrder), 3);
    ASSERT_TRUE(WinUiDriver::Type(page, kPagesField, u"1"));
    EXPECT_FALSE(Checked(kBorders));
    EXPECT_FALSE(WinUiDriver::IsEnabled(page, kOrderList));
    EXPECT_EQ(Stored(GSettingId::kPageOrder), 0);
}

TEST_F(FinishingPageScriptTest, FlipPagesUpStoresTheEdgeThatFitsTheOrientation) {
    const struct {
        int16_t orientation;
        bool flip;
        int edge;
    } cases[] = {{0, true, 1},   {0, false, 2},  {90, true, 2},  {90, false, 1},
                 {180, true, 1}, {270, true, 2}, {270, false, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.orientation << (c.flip ? " flip" : ""));
        Store(GSettingId::kOrientation, c.orientation);
        Store(GSettingId::kDuplex, 0);
        HWND page = Open();
        EXPECT_FALSE(WinUiDriver::IsEnabled(page, kFlipUp)) << "one-sided";
        ASSERT_TRUE(WinUiDriver::Click(page, kBothSides));
        EXPECT_TRUE(WinUiDriver::IsEnabled(page, kFlipUp));
        if (c.flip) {
            ASSERT_TRUE(WinUiDriver::Click(page, kFlipUp));
        }
        EXPECT_EQ(Stored(GSettingId::kDuplex), c.edge);
        // Shown again from the setting, the page tells the same choice.
        Activate();
        EXPECT_TRUE(Checked(kBothSides));
        EXPECT_EQ(Checked(kFlipUp), c.flip);
    }
}

TEST_F(FinishingPageScriptTest, BothSidesOffSwitchesTheBookletOffAndABookletLeavesNoFlip) {
    Store(GSettingId::kDuplex, 1);
    Store(GSettingId::kBooklet, 1);
    HWND page = Open();
    EXPECT_TRUE(Checked(kBothSides));
    EXPECT_FALSE(Checked(kFlipUp)) << "a booklet is on";
    EXPECT_FALSE(WinUiDriver::IsEnabled(page, kFlipUp));
    EXPECT_EQ(WinUiDriver::Text(page, kBookletList), u"Letter (Left Binding)");
    ASSERT_TRUE(WinUiDriver::Click(page, kBothSides));
    EXPECT_EQ(Stored(GSettingId::kDuplex), 0);
    EXPECT_EQ(Stored(GSettingId::kBooklet), 0);
    EXPECT_EQ(WinUiDriver::Text(page, kBookletList), u"Off");

    // Choosing a booklet while both sides are on takes the flip away.
    ASSERT_TRUE(WinUiDriver::Click(page, kBothSides));
    ASSERT_TRUE(WinUiDriver::Click(page, kFlipUp));
    ASSERT_TRUE(WinUiDriver::SelectText(page, kBookletList, u"Letter (Right Binding)"));
    EXPECT_EQ(Stored(GSettingId::kBooklet), 2);
    EXPECT_EQ(Stored(GSettingId::kBookletPaper), kLetter);
    EXPECT_FALSE(Checked(kFlipUp));
    EXPECT_FALSE(WinUiDriver::IsEnabled(page, kFlipUp));
    ASSERT_TRUE(WinUiDriver::SelectText(page, kBookletList, u"Off"));
    EXPECT_EQ(Stored(GSettingId::kBooklet), 0);
    EXPECT_EQ(Stored(GSettingId::kBookletPaper), kLetter) << "off writes the binding only";
    EXPECT_TRUE(WinUiDriver::IsEnabled(page, kFlipUp));
}

class BookletChoicesTest : public FinishingPageTest {
protected:
    // The printer's own choices: per paper its list.
    void AddTable(const std::vector<std::vector<uint16_t>>& entries) {
        auto* table = new GAttributeComposite(GSettingId::kBookletChoices);
        for (const std::vector<uint16_t>& entry : entries) {
            auto* list = new GBookletComposite(entry[0], 0);
            for (size_t at = 1; at + 1 < entry.size(); at += 2)
                ASSERT_TRUE(list->AppendPair(entry[at], entry[at + 1]));
            table->Add(list);
        }
        Model()->Defaults().Composite()->Add(table);
    }
    std::vector<ULONG_PTR> Offered(int16_t paper) {
        Store(GSettingId::kPaper, paper);
        return WinUiDriver::ItemData(Open(), kBookletList);
    }
};

TEST_F(BookletChoicesTest, WithoutThePrintersTableTheChoicesFollowThePaperAndTheLargeSheets) {
    // The colour model printer has no 11x17 or A3.
    EXPECT_EQ(Offered(kLetter), (std::vector<ULONG_PTR>{0, 1, 5, 9}));
    EXPECT_EQ(Offered(kLegal), (std::vector<ULONG_PTR>{0, 9}));
    EXPECT_EQ(Offered(kA4), (std::vector<ULONG_PTR>{0, 3, 7}));
    AddLargeSheets(Model());
    EXPECT_EQ(Offered(kLetter), (std::vector<ULONG_PTR>{0, 1, 5, 9, 10, 2, 6}));
    EXPECT_EQ(Offered(kLegal), (std::vector<ULONG_PTR>{0, 9, 10}));
    EXPECT_EQ(Offered(kA4), (std::vector<ULONG_PTR>{0, 3, 7, 4, 8}));
    EXPECT_EQ(WinUiDriver::Items(window_, kBookletList),
              (std::vector<std::u16string>{u"Off", u"A4 (Left Binding)", u"A4 (Right Binding)",
                                           u"A3 (Left Binding)", u"A3 (Right Binding)"}));
}

TEST_F(BookletChoicesTest, ThePrintersTableGivesTheChoicesOfThePaperAndOnlyOffForAPaperItLacks) {
    // Letter: A4 left, 11x17 left (no large sheets), Letter right, then
    // the end mark; a choice past the end mark is not offered.
    AddTable({{kA4, 3, 7}, {kLetter, 3, 2, 5, 0xFFFF, 7, 1}, {kLetter, 1, 1}});
    EXPECT_EQ(Offered(kLetter), (std::vector<ULONG_PTR>{0, 3, 5}));
    EXPECT_EQ(Offered(kA4), (std::vector<ULONG_PTR>{0, 3, 7}));
    EXPECT_EQ(Offered(kLegal), (std::vector<ULONG_PTR>{0}));
    EXPECT_EQ(WinUiDriver::Items(window_, kBookletList), (std::vector<std::u16string>{u"Off"}));
    // Choices whose names the resources lack are left out.
    AddLargeSheets(Model());
    Model()->Defaults().Composite()->RemoveById(GSettingId::kBookletChoices);
    AddTable({{kLetter, 11, 12, 13, 14, 2, 0xFFFF}});
    EXPECT_EQ(Offered(kLetter), (std::vector<ULONG_PTR>{0, 2}));
}

// Each choice writes its binding and sheet and reads back as itself; other
// settings read as the choice they name, or off.
TEST_F(BookletChoicesTest, ChoicesAndTheTwoSettingsMapBothWays) {
    GBookletFeature booklet(Model());
    const int expectedBinding[] = {0, 1, 1, 1, 1, 2, 2, 2, 2, 1, 2, 1, 2, 1, 2};
    const int expectedPaper[] = {0, 1, 21, 23, 22, 1, 21, 23, 22, 6, 6, 39, 39, 40, 40};
    for (int16_t choice = 1; choice < GBookletFeature::kChoiceCount; ++choice) {
        SCOPED_TRACE(choice);
        ASSERT_EQ(booklet.SetValue(choice), 1);
        EXPECT_EQ(Stored(GSettingId::kBooklet), expectedBinding[choice]);
        EXPECT_EQ(Stored(GSettingId::kBookletPaper), expectedPaper[choice]);
        EXPECT_EQ(booklet.GetValue(), choice);
    }
    const struct {
        int16_t binding, paper, choice;
    } settings[] = {{0, 1, 0},  {3, 1, 1}, {-1, 6, 9}, {2, 40, 14},
                    {1, 41, 0}, {1, 0, 0}, {1, 17, 0}, {2, 17, 0}};
    for (const auto& c : settings) {
        Store(GSettingId::kBooklet, c.binding);
        Store(GSettingId::kBookletPaper, c.paper);
        EXPECT_EQ(booklet.GetValue(), c.choice) << c.binding << " " << c.paper;
    }
    EXPECT_EQ(booklet.SetValue(15), 0);
    EXPECT_EQ(booklet.SetValue(-1), 0);
}

TEST_F(FinishingPageScriptTest, StapleAndBindStoreTheirBoxAndFollowTheirLevels) {
    HWND page = Open();
    ASSERT_TRUE(WinUiDriver::Click(page, kStaple));
    ASSERT_TRUE(WinUiDriver::Click(page, kBind));
    EXPECT_EQ(Stored(GSettingId::kStaple), 1);
    EXPECT_EQ(Stored(GSettingId::kBind), 1);
    ASSERT_TRUE(WinUiDriver::Click(page, kBind));
    EXPECT_EQ(Stored(GSettingId::kBind), 0);
    SetLevel(GSettingId::kStapleLevel, GFeature::kDisabled);
    SetLevel(GSettingId::kBindLevel, GFeature::kHidden);
    Activate();
    EXPECT_FALSE(WinUiDriver::IsEnabled(page, kStaple));
    EXPECT_TRUE(WinUiDriver::IsVisible(page, kStaple));
    EXPECT_FALSE(WinUiDriver::IsVisible(page, kBind));
    // Each option's level reaches its own control only.
    SetLevel(GSettingId::kDuplexLevel, GFeature::kHidden);
    SetLevel(GSettingId::kBookletLevel, GFeature::kDisabled);
    SetLevel(GSettingId::kPagesPerSheetLevel, GFeature::kDisabled);
    Activate();
    EXPECT_FALSE(WinUiDriver::IsVisible(page, kBothSides));
    EXPECT_FALSE(WinUiDriver::IsVisible(page, kFlipUp));
    EXPECT_FALSE(WinUiDriver::IsEnabled(page, kBookletList));
    EXPECT_FALSE(WinUiDriver::IsEnabled(page, kPagesField));
    EXPECT_FALSE(WinUiDriver::IsEnabled(page, kBorders));
}

// The tips beside the options show the hint their option's rule left.
TEST_F(FinishingPageScriptTest, EachTipShowsTheHintOfItsOwnOption) {
    const struct {
        int tip;
        uint32_t level, message;
    } tips[] = {{3013, GSettingId::kDuplexLevel, GSettingId::kDuplexMessage},
                {3026, GSettingId::kBookletLevel, GSettingId::kBookletMessage},
                {3028, GSettingId::kStapleLevel, GSettingId::kStapleMessage},
                {3043, GSettingId::kBindLevel, GSettingId::kBindMessage},
                {3018, GSettingId::kPagesPerSheetLevel, GSettingId::kPagesPerSheetMessage}};
    HWND page = Open();
    for (const auto& shown : tips) {
        SCOPED_TRACE(shown.tip);
        for (const auto& tip : tips) {
            SetLevel(tip.level, 0);
            SetLevel(tip.message, tip.tip == shown.tip ? 5301 : 0);
        }
        Activate();
        for (const auto& tip : tips)
            EXPECT_EQ(WinUiDriver::IsVisible(page, tip.tip), tip.tip == shown.tip) << tip.tip;
    }
}

// The group's top in pixels for a top in dialog units.
LONG PixelsOf(HWND page, LONG units) {
    RECT rect{0, units, 0, 0};
    MapDialogRect(page, &rect);
    return rect.top;
}

TEST_F(FinishingPageScriptTest, TheDocumentOptionsGroupStartsWhereThePrintersOptionsBegin) {
    const struct {
        int16_t duplexUnit, stapler, binder, finisher, manualDuplex;
        int16_t bookletLevel, manualLevel;
        LONG top;
    } cases[] = {{1, 0, 0, 0, 0, 0, 0, 46},  {1, 1, 1, 1, 0, 0, 0, 46},  {0, 1, 0, 0, 0, 0, 0, 118},
                 {0, 0, 1, 0, 0, 0, 0, 118}, {0, 0, 0, 1, 0, 0, 0, 118}, {0, 0, 0, 1, 3, 0, 0, 46},
                 {0, 0, 0, 0, 0, 0, 0, 157}, {0, 0, 0, 0, 3, 0, 0, 46},  {0, 0, 0, 0, 3, 2, 0, 157},
                 {0, 0, 0, 0, 3, 0, 2, 157}, {0, 0, 0, 0, 3, 1, 1, 46}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.duplexUnit << c.stapler << c.binder << c.finisher << " manual "
                                        << c.manualDuplex << " levels " << c.bookletLevel << c.manualLevel);
        Store(GSettingId::kDuplexUnitInstalled, c.duplexUnit);
        Store(GSettingId::kStaplerInstalled, c.stapler);
        Store(GSettingId::kBinderInstalled, c.binder);
        Store(GSettingId::kFinisherInstalled, c.finisher);
        SetPrinterValue(GSettingId::kManualDuplex, static_cast<uint16_t>(c.manualDuplex));
        SetLevel(GSettingId::kBookletLevel, c.bookletLevel);
        SetLevel(GSettingId::kManualDuplexLevel, c.manualLevel);
        HWND page = Open();
        EXPECT_EQ(WinUiDriver::Rect(page, kDocumentOptions).top, PixelsOf(page, c.top));
        EXPECT_TRUE(WinUiDriver::IsVisible(page, kDocumentOptions));
        // Only the top edge moves: the group still ends at the template's bottom.
        const RECT rect = WinUiDriver::Rect(page, kDocumentOptions);
        RECT template_{7, 46, 187, 260};
        MapDialogRect(page, &template_);
        EXPECT_EQ(rect.left, template_.left);
        EXPECT_EQ(rect.right, template_.right);
        EXPECT_EQ(rect.bottom, template_.bottom);
    }
}

} // namespace
