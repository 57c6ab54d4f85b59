// The control wrapper base on DIALOGS.DLL's page 200: which windows and ids
// it owns, how the feature states show and hide its controls (and that a
// state already applied sends nothing), the lock of its feature, and how
// attaching starts afresh.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "tests/ui/framework/DialogTestSupport.h"
#include "ui/framework/GResourceLibrary.h"
#include "winapi/WinDialog.h"
#include "winapi/WinWindow.h"
#include "winapi/host/WinUiDriver.h"

namespace {

using dialogtest::CheckBoxDouble;
using dialogtest::kCollateBoxId;
using dialogtest::kDuplexBoxId;
using dialogtest::kEditId;
using dialogtest::StateFeature;

INT_PTR PlainDialogProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

const GControlHelpPair kBoxes[] = {{kDuplexBoxId, 1203}, {kCollateBoxId, GWrapper::kNoHelp}, {0, 0}};
const GControlHelpPair kNothing[] = {{0, 0}};

class GWrapperTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterResourceLibraries();
        library_ = std::make_unique<HeldResourceLibrary>(kDialogsResourceLibrary);
        ASSERT_EQ(library_->Loaded(), 1);
        dialog_ = CreateDialogParamW(ResourceModule(), MAKEINTRESOURCEW(dialogtest::kPageTemplate), nullptr,
                                     &PlainDialogProc, 0);
        ASSERT_NE(dialog_, nullptr);
    }
    void TearDown() override { DestroyWindow(dialog_); }

    // Both boxes' enabled and visible states, as "ev ev" (1 or 0 each).
    std::string Boxes() const {
        std::string seen;
        for (int id : {kDuplexBoxId, kCollateBoxId}) {
            if (!seen.empty()) seen += ' ';
            seen += WinUiDriver::IsEnabled(dialog_, id) ? '1' : '0';
            seen += WinUiDriver::IsVisible(dialog_, id) ? '1' : '0';
        }
        return seen;
    }

    std::unique_ptr<HeldResourceLibrary> library_;
    uitest::Sheet sheet_{uitest::Tree({{253, 0}})};
    HWND dialog_ = nullptr;
    std::vector<std::string> log_;
};

TEST_F(GWrapperTest, AWrapperOwnsTheWindowsAndIdsOfItsTableOnly) {
    StateFeature feature(&sheet_.Open(), 253);
    CheckBoxDouble boxes("boxes", &feature, kBoxes, log_);
    CheckBoxDouble none("none", &feature, kNothing, log_);
    EXPECT_EQ(boxes.OwnsWindow(GetDlgItem(dialog_, kDuplexBoxId)), 0u); // not attached yet
    boxes.Attach(dialog_);
    none.Attach(dialog_);
    const struct {
        int id;
        uint32_t boxes;
    } cases[] = {{kDuplexBoxId, 1}, {kCollateBoxId, 1}, {kEditId, 0}, {IDOK, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        EXPECT_EQ(boxes.OwnsWindow(GetDlgItem(dialog_, c.id)), c.boxes);
        EXPECT_EQ(boxes.OwnsId(static_cast<uint16_t>(c.id)), c.boxes);
        EXPECT_EQ(none.OwnsWindow(GetDlgItem(dialog_, c.id)), 0u);
        EXPECT_EQ(none.OwnsId(static_cast<uint16_t>(c.id)), 0u);
    }
    EXPECT_EQ(boxes.OwnsWindow(dialog_), 0u);
    EXPECT_EQ(boxes.OwnsId(0), 0u);
    EXPECT_EQ(boxes.ControlId(1), static_cast<uint32_t>(kCollateBoxId));
    EXPECT_EQ(boxes.ControlId(2), 0u);
    EXPECT_EQ(boxes.IsSame(&boxes), 1u);
    EXPECT_EQ(boxes.IsSame(&none), 0u);
    // The empty table only notes the states: every control stays as it is.
    none.SetState(GFeature::kHidden);
    EXPECT_EQ(Boxes(), "11 11");
}

TEST_F(GWrapperTest, TheTableIsCopiedUpToItsTerminatingRow) {
    StateFeature feature(&sheet_.Open(), 253);
    GControlHelpPair table[] = {{kDuplexBoxId, 5}, {0, 77}, {kEditId, 9}};
    CheckBoxDouble boxes("boxes", &feature, table, log_);
    table[0] = {kEditId, 6}; // the wrapper keeps its own copy
    const GControlHelpPair* copy = boxes.ControlTable();
    EXPECT_EQ(copy[0].controlId, static_cast<uint32_t>(kDuplexBoxId));
    EXPECT_EQ(copy[0].helpId, 5u);
    EXPECT_EQ(copy[1].controlId, 0u);
    EXPECT_EQ(boxes.ControlCount(), 1);
}

TEST_F(GWrapperTest, StatesShowAndHideAndAStateAppliedAgainSendsNothing) {
    StateFeature feature(&sheet_.Open(), 253);
    CheckBoxDouble boxes("boxes", &feature, kBoxes, log_);
    boxes.Attach(dialog_);
    const struct {
        uint16_t state;
        const char* boxes;
    } steps[] = {{0, "11 11"}, {1, "01 01"}, {2, "00 00"}, {0, "11 11"}, {7, "11 11"}, {1, "01 01"}};
    for (const auto& step : steps) {
        SCOPED_TRACE(step.state);
        boxes.SetState(step.state);
        EXPECT_EQ(Boxes(), step.boxes);
    }
    boxes.SetState(2);
    // A user of the platform shows and enables the first box behind the
    // wrapper's back: the same state again sends nothing, so it stays.
    ShowWindow(GetDlgItem(dialog_, kDuplexBoxId), SW_SHOW);
    EnableWindow(GetDlgItem(dialog_, kDuplexBoxId), TRUE);
    boxes.SetState(2);
    EXPECT_EQ(Boxes(), "11 00");
    // Attaching forgets what was applied: the next state is sent again.
    boxes.Attach(dialog_);
    boxes.SetState(2);
    EXPECT_EQ(Boxes(), "00 00");
}

TEST_F(GWrapperTest, SingleControlsFollowTheWrapperAsAWhole) {
    StateFeature feature(&sheet_.Open(), 253);
    CheckBoxDouble boxes("boxes", &feature, kBoxes, log_);
    boxes.Attach(dialog_);
    boxes.SetState(GFeature::kHidden);
    boxes.EnableControl(0, 1);
    boxes.ShowControl(0, 1);
    EXPECT_EQ(Boxes(), "00 00"); // hidden and disabled as a whole: no single control comes back
    boxes.SetState(GFeature::kEnabled);
    boxes.EnableControl(1, 0);
    boxes.ShowControl(1, 0);
    EXPECT_EQ(Boxes(), "11 00");
}

TEST_F(GWrapperTest, ALockedFeatureKeepsItsControlsDisabled) {
    for (const uint32_t flags : {1u, 3u}) {
        SCOPED_TRACE(flags);
        uitest::Sheet locked(uitest::Tree({{253, 0}}), flags);
        StateFeature feature(&locked.Open(), 253);
        CheckBoxDouble boxes("boxes", &feature, kBoxes, log_);
        boxes.Attach(dialog_);
        boxes.SetState(GFeature::kEnabled);
        EXPECT_EQ(Boxes(), "01 01");
        boxes.EnableControl(0, 1);
        EXPECT_EQ(Boxes(), "01 01");
    }
}

TEST_F(GWrapperTest, InitRefreshesThenShowsAndACommandTakesTheValue) {
    StateFeature feature(&sheet_.Open(), 253);
    CheckBoxDouble boxes("boxes", &feature, kBoxes, log_);
    boxes.Attach(dialog_);
    feature.state = GFeature::kDisabled;
    ASSERT_EQ(feature.SetValue(1), 1);
    boxes.Init(4);
    EXPECT_EQ(Boxes(), "01 01"); // Refresh applied the feature's state
    EXPECT_EQ(WinUiDriver::CheckState(dialog_, kDuplexBoxId), BST_CHECKED);
    CheckDlgButton(dialog_, kDuplexBoxId, BST_UNCHECKED);
    EXPECT_EQ(boxes.GWrapper::HandleMessage(WM_HSCROLL, 0, 0), 0);
    EXPECT_EQ(sheet_.Value(253), 1);
    EXPECT_EQ(boxes.GWrapper::HandleMessage(WM_COMMAND, kDuplexBoxId, 0), 1);
    EXPECT_EQ(sheet_.Value(253), 0);
    EXPECT_EQ(log_, (std::vector<std::string>{"boxes.Init4", "boxes.Take"}));
}

TEST_F(GWrapperTest, MessagesOfTheWrapperAreOwnedByItsDialog) {
    StateFeature feature(&sheet_.Open(), 253);
    CheckBoxDouble boxes("boxes", &feature, kBoxes, log_);
    boxes.Attach(dialog_);
    WinUiDriver::QueueMessageBoxAnswer(IDCANCEL);
    EXPECT_EQ(boxes.ShowMessage(u"Text", u"Caption", MB_OKCANCEL), IDCANCEL);
    const auto boxesShown = WinUiDriver::MessageBoxes();
    ASSERT_EQ(boxesShown.size(), 1u);
    EXPECT_EQ(boxesShown[0].owner, dialog_);
    EXPECT_EQ(boxesShown[0].text, u"Text");
    EXPECT_EQ(boxesShown[0].type, static_cast<UINT>(MB_OKCANCEL));
}

} // namespace
