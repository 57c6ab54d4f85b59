// The Custom Paper Size dialog (template 8000) run from the Paper tab's
// "Custom..." button, played as a user would: lengths in the user's units
// and decimal separator, arrows, units, and the saved custom sizes.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "model/GEnumAttribute.h"
#include "paper/GCustomMediaSize.h"
#include "tests/ui/pages/PaperPageTestSupport.h"
#include "ui/pages/GCustomPaperSizeFeature.h"
#include "winapi/host/WinUiActions.h"

namespace {

using namespace papertest;

constexpr WORD kDialog = 8000;
constexpr int kName = 2050;
constexpr int kNameButton = 2051;
constexpr int kUnits = 2052;
constexpr int kWidth = 11411;
constexpr int kHeight = 11421;
constexpr int kHeightArrows = 11422;
constexpr int kInchLabel = 11430;
constexpr int kMillimetreLabel = 11432;
constexpr int kClose = 8;

class CustomPaperSizeDialogTest : public PaperPageTest {
protected:
    // Opens the page and runs the dialog with these actions, then Close.
    void Run(WinUiScript actions) {
        if (window_ == nullptr) Open();
        actions.push_back(WinUiActions::Click(kClose));
        WinUiDriver::QueueDialogScript(kDialog, std::move(actions));
        ASSERT_TRUE(WinUiDriver::Click(window_, kCustomButton));
    }
    // An action that reads what the dialog shows.
    static WinUiAction Look(std::function<void(HWND)> look) {
        return WinUiActions::Do("look", [look](HWND dialog) {
            look(dialog);
            return true;
        });
    }
    // Types a length and leaves the field.
    static std::vector<WinUiAction> Enter(int field, const char16_t* text) {
        return {WinUiActions::Type(field, text), WinUiActions::Focus(field == kWidth ? kHeight : kWidth)};
    }
    GCustomMediaSize Edited() { return GCustomPaperSizeFeature(sheet_.model.get()).Edited(); }
    GSizePair EditedSize() {
        GSizePair size;
        Edited().GetSize(size);
        return size;
    }
    GEnumAttribute& Saved() { return *sheet_.model->CurrentSettings().FindEnum276(); }
    // The saved custom sizes by name.
    std::vector<std::string> SavedNames() {
        std::vector<std::string> names;
        const std::unique_ptr<MPersistentIterator> entries = Saved().CreateIterator();
        while (entries->Advance())
            if (const auto* size = dynamic_cast<const GCustomMediaSize*>(entries->Current()))
                names.emplace_back(size->GetName().Data(), size->GetName().Length());
        return names;
    }
    // Limits wide enough to type a landscape size (the printer's own stop
    // at 8.5 by 14 inches).
    void WidenLimits() {
        sheet_.model->AddUIStateAttribute(
            new GCustomMediaSize(0, "MaxSize", 0, 1700, 1700, GSettingId::kCustomSizeMaximum));
    }
    std::vector<std::u16string> BoxTexts() {
        std::vector<std::u16string> texts;
        for (const WinRecordedMessageBox& box : WinUiDriver::MessageBoxes())
            texts.push_back(box.text);
        return texts;
    }
    static std::u16string String(uint16_t id) {
        RWWString text;
        LoadResString(id, text);
        return std::u16string(text.Data(), text.Length());
    }
};

TEST_F(CustomPaperSizeDialogTest, LengthsAreReadAndShownWithTheUsersDecimalSeparator) {
    SetUserLocale(u"1", u",");
    std::u16string width;
    WinUiScript script = Enter(kWidth, u"8,5");
    script.push_back(Look([&](HWND dialog) { width = WinUiDriver::Text(dialog, kWidth); }));
    Run(script);
    EXPECT_EQ(EditedSize().x, 850u);
    EXPECT_EQ(width, u"8,50");
}

TEST_F(CustomPaperSizeDialogTest, AnArrowStepsATenthOfAnInchOnItsGridOrOneMillimetre) {
    const struct {
        const char16_t* measure;
        const char16_t* typed;
        int steps;
        const char16_t* shown;
    } cases[] = {{u"1", u"8.55", 1, u"8.60"},
                 {u"1", u"8.55", -1, u"8.40"},
                 {u"1", u"5", 2, u"5.20"},
                 {u"0", u"200", 1, u"201"},
                 {u"0", u"200", -3, u"197"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.steps << " steps, " << (c.measure[0] == u'1' ? "inches" : "mm"));
        SetUserLocale(c.measure, u".");
        std::u16string shown;
        Run({WinUiActions::Type(kHeight, c.typed), WinUiActions::Spin(kHeightArrows, c.steps),
             Look([&](HWND dialog) { shown = WinUiDriver::Text(dialog, kHeight); })});
        EXPECT_EQ(shown, c.shown);
        Close();
    }
}

TEST_F(CustomPaperSizeDialogTest, TheUnitsButtonShowsTheSizeInMillimetresAndBack) {
    std::u16string width;
    std::u16string button;
    bool millimetreLabel = false;
    bool inchLabel = true;
    WinUiScript script = Enter(kWidth, u"8.50");
    script.push_back(WinUiActions::Click(kUnits));
    script.push_back(Look([&](HWND dialog) {
        width = WinUiDriver::Text(dialog, kWidth);
        button = WinUiDriver::Text(dialog, kUnits);
        millimetreLabel = WinUiDriver::IsVisible(dialog, kMillimetreLabel);
        inchLabel = WinUiDriver::IsVisible(dialog, kInchLabel);
    }));
    Run(script);
    EXPECT_EQ(width, u"216");
    EXPECT_EQ(button, u"&Use Inches");
    EXPECT_TRUE(millimetreLabel);
    EXPECT_FALSE(inchLabel);
    EXPECT_EQ(Stored(GSettingId::kMeasurementUnits), 2);
    EXPECT_EQ(Edited().GetUnit(), 3u);
    EXPECT_EQ(EditedSize().x, 215900u);
}

// The dialog starts from Letter (8.5 by 11 inches); heights run from 5 to
// 14 inches (127 to 355.6 mm).
TEST_F(CustomPaperSizeDialogTest, HugeAndStrangeEntriesNeverWrap) {
    const struct {
        const char16_t* measure;
        const char16_t* typed;
        uint32_t height;
    } cases[] = {{u"0", u"99999999", 355600}, // clamped, not 1000 times it wrapped
                 {u"0", u"4294968", 355600},  // past 2^32 thousandths
                 {u"0", u"2147483648", 279400},
                 {u"0", u"+100", 279400},
                 {u"0", u"-100", 279400},
                 {u"0", u"abc", 279400},
                 {u"1", u"1e308", 1400},
                 {u"1", u"-2", 1100},
                 {u"1", u"nan", 1100},
                 {u"1", u"inf", 1100},
                 {u"1", u"0", 500},
                 {u"1", u"00000000000009.5", 900}}; // the 16th character is not read
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << (&c - cases));
        SetUserLocale(c.measure, u".");
        Run(Enter(kHeight, c.typed));
        EXPECT_EQ(Edited().GetUnit(), c.measure[0] == u'1' ? 0u : 3u);
        EXPECT_EQ(EditedSize().y, c.height);
        Close();
    }
}

TEST_F(CustomPaperSizeDialogTest, ALandscapeSizeIsSavedUprightAndShownSwapped) {
    WidenLimits();
    std::u16string width;
    std::u16string height;
    std::u16string button;
    WinUiScript script = Enter(kWidth, u"11");
    for (WinUiAction& action : Enter(kHeight, u"8.5"))
        script.push_back(action);
    script.push_back(WinUiActions::Type(kName, u"Wide"));
    script.push_back(WinUiActions::Click(kNameButton));
    script.push_back(Look([&](HWND dialog) {
        width = WinUiDriver::Text(dialog, kWidth);
        height = WinUiDriver::Text(dialog, kHeight);
        button = WinUiDriver::Text(dialog, kNameButton);
    }));
    Run(script);
    EXPECT_EQ(width, u"8.50");
    EXPECT_EQ(height, u"11.00");
    EXPECT_EQ(button, u"D&elete");
    ASSERT_EQ(SavedNames(), std::vector<std::string>{"Wide"});
    GSizePair size;
    GCustomPaperSizeFeature feature(sheet_.model.get());
    const GCustomMediaSize* wide = feature.FindSaved(RWCString("Wide"));
    ASSERT_NE(wide, nullptr);
    wide->GetSize(size);
    EXPECT_EQ(size.x, 850u);
    EXPECT_EQ(size.y, 1100u);
    EXPECT_GE(wide->GetPaperId(), 16385);
    EXPECT_EQ(Stored(GSettingId::kPaper), wide->GetPaperId()) << "Close with a saved size chosen takes it";
}

TEST_F(CustomPaperSizeDialogTest, AnEmptyNameSavesAsUntitled) {
    Run({WinUiActions::Type(kName, u"   "), WinUiActions::Click(kNameButton)});
    EXPECT_EQ(SavedNames(), std::vector<std::string>{"Untitled"});
}

TEST_F(CustomPaperSizeDialogTest, ADuplicateNameIsReplacedOnlyWhenTheUserSaysYes) {
    for (const int answer : {IDNO, IDYES}) {
        SCOPED_TRACE(answer);
        Saved().Add(new GCustomMediaSize(16390, "Card", 0, 400, 600));
        WinUiDriver::ClearRecords();
        WinUiDriver::QueueMessageBoxAnswer(answer);
        WinUiScript script = Enter(kWidth, u"5");
        script.push_back(WinUiActions::Type(kName, u"Card"));
        script.push_back(WinUiActions::Click(kNameButton));
        Run(script);
        ASSERT_EQ(BoxTexts(), std::vector<std::u16string>{String(11008)});
        EXPECT_EQ(WinUiDriver::MessageBoxes()[0].caption, String(11011));
        EXPECT_EQ(SavedNames(), std::vector<std::string>{"Card"});
        GSizePair size;
        GCustomPaperSizeFeature(sheet_.model.get()).FindSaved(RWCString("Card"))->GetSize(size);
        EXPECT_EQ(size.x, answer == IDYES ? 500u : 400u);
        Close();
        Saved().RemoveAll();
    }
}

TEST_F(CustomPaperSizeDialogTest, AFullListSavesNothingAndSaysSo) {
    for (uint16_t id = 16385; id <= 17383; ++id)
        Saved().Add(new GCustomMediaSize(id, RWCString(std::to_string(id).c_str()), 0, 500, 700));
    Run({WinUiActions::Type(kName, u"One more"), WinUiActions::Click(kNameButton)});
    EXPECT_EQ(BoxTexts(), std::vector<std::u16string>{String(11010)});
    EXPECT_EQ(SavedNames().size(), 999u);
    EXPECT_EQ(GCustomPaperSizeFeature(sheet_.model.get()).FindSaved(RWCString("One more")), nullptr);
}

TEST_F(CustomPaperSizeDialogTest, DeletingTheChosenSizeAsksAndResetsTheNameToUntitled) {
    for (const int answer : {IDCANCEL, IDOK}) {
        SCOPED_TRACE(answer);
        Saved().RemoveAll();
        Saved().Add(new GCustomMediaSize(16390, "Card", 0, 400, 600));
        WinUiDriver::ClearRecords();
        WinUiDriver::QueueMessageBoxAnswer(answer);
        std::u16string name;
        std::u16string button;
        Run({WinUiActions::SelectText(kName, u"Card"), WinUiActions::Click(kNameButton),
             Look([&](HWND dialog) {
                 name = WinUiDriver::Text(dialog, kName);
                 button = WinUiDriver::Text(dialog, kNameButton);
             })});
        ASSERT_EQ(WinUiDriver::MessageBoxes().size(), 1u);
        EXPECT_EQ(WinUiDriver::MessageBoxes()[0].text, String(13600));
        EXPECT_EQ(WinUiDriver::MessageBoxes()[0].caption, String(13601));
        if (answer == IDOK) {
            EXPECT_TRUE(SavedNames().empty());
            EXPECT_EQ(name, u"Untitled");
            EXPECT_EQ(button, u"Sa&ve");
        } else {
            EXPECT_EQ(SavedNames(), std::vector<std::string>{"Card"});
            EXPECT_EQ(name, u"Card");
        }
        Close();
    }
}

TEST_F(CustomPaperSizeDialogTest, ASizeOutsideThePrintersRangeIsRefusedAndNothingIsSaved) {
    WidenLimits();
    std::u16string name;
    WinUiScript script = Enter(kHeight, u"16");
    script.push_back(WinUiActions::Type(kName, u"Poster"));
    script.push_back(WinUiActions::Click(kNameButton));
    script.push_back(Look([&](HWND dialog) { name = WinUiDriver::Text(dialog, kName); }));
    Run(script);
    EXPECT_EQ(BoxTexts(), std::vector<std::u16string>{String(11007)});
    EXPECT_EQ(WinUiDriver::MessageBoxes()[0].caption, u"Custom Paper Problem");
    EXPECT_TRUE(SavedNames().empty());
    EXPECT_EQ(name, u"Untitled");
}

TEST_F(CustomPaperSizeDialogTest, ASavedSizeIsListedOnThePaperTabAndInTheNextDialog) {
    Run({WinUiActions::Type(kName, u"Menu"), WinUiActions::Click(kNameButton)});
    const GCustomMediaSize* menu = GCustomPaperSizeFeature(sheet_.model.get()).FindSaved(RWCString("Menu"));
    ASSERT_NE(menu, nullptr);
    const std::vector<std::u16string> sizes = WinUiDriver::Items(window_, kSizeList);
    EXPECT_NE(std::find(sizes.begin(), sizes.end(), u"Menu"), sizes.end());
    std::vector<std::u16string> names;
    Run({Look([&](HWND dialog) { names = WinUiDriver::Items(dialog, kName); })});
    EXPECT_EQ(names, std::vector<std::u16string>{u"Menu"});
}

TEST_F(CustomPaperSizeDialogTest, TheDialogIsWrittenAsPicturesInInchesAndInMillimetres) {
    qvtest::TempFolder folder;
    const auto write = [&](const std::string& name) {
        return Look([&, name](HWND dialog) {
            const std::string path = folder.PicturePath(name);
            EXPECT_TRUE(WinUiDriver::RenderToPng(dialog, path));
        });
    };
    Run({WinUiActions::Type(kName, u"Menu"), write("custom-size-inches.png"), WinUiActions::Click(kUnits),
         write("custom-size-millimetres.png")});
}

} // namespace
