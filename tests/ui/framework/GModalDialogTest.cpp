// Modal sub-dialogs on DIALOGS.DLL's dialog 300, played with the platform's
// dialog scripts: the snapshot that Cancel restores, the update nesting
// unwound while the dialog runs and restored to the same depth, the owner
// disabled meanwhile, and the end commands.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/ui/framework/DialogTestSupport.h"
#include "ui/framework/GModalDialog.h"
#include "ui/framework/GResourceLibrary.h"
#include "winapi/WinHelp.h"
#include "winapi/host/WinUiActions.h"
#include "winapi/host/WinUiDriver.h"

namespace {

using dialogtest::CheckBoxDouble;
using dialogtest::kDetailsTemplate;
using dialogtest::kMirrorBoxId;
using dialogtest::StateFeature;

constexpr uint16_t kDetailsHelpId = 300;
constexpr int kCloseId = 8;
const GControlHelpPair kMirrorTable[] = {{kMirrorBoxId, 1301}, {0, 0}};
const GControlHelpPair kButtonsTable[] = {
    {IDOK, GWrapper::kNoHelp}, {IDCANCEL, GWrapper::kNoHelp}, {kCloseId, GWrapper::kNoHelp}, {0, 0}};

INT_PTR PlainProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

// A sheet with the mirror setting 253 and the dialog's mirror box on it.
struct DetailsSheet {
    explicit DetailsSheet(std::vector<std::string>& log) {
        GUIModel& model = sheet.Open();
        mirror = std::make_unique<StateFeature>(&model, 253);
        buttons = std::make_unique<StateFeature>(&model, 254);
        dialog = std::make_unique<GModalDialog>(kDetailsTemplate, &model, 1, kDetailsHelpId);
        dialog->AddControl(std::make_unique<CheckBoxDouble>("mirror", mirror.get(), kMirrorTable, log));
        dialog->AddControl(std::make_unique<CheckBoxDouble>("buttons", buttons.get(), kButtonsTable, log));
    }
    GUIModel& Model() { return *sheet.model; }

    uitest::Sheet sheet{uitest::Tree({{253, 0}, {254, 0}})};
    std::unique_ptr<StateFeature> mirror;
    std::unique_ptr<StateFeature> buttons;
    std::unique_ptr<GModalDialog> dialog;
};

class GModalDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterResourceLibraries();
        library_ = std::make_unique<HeldResourceLibrary>(kDialogsResourceLibrary);
        ASSERT_EQ(library_->Loaded(), 1);
        owner_ = CreateDialogParamW(ResourceModule(), MAKEINTRESOURCEW(dialogtest::kPageTemplate), nullptr,
                                    &PlainProc, 0);
        ASSERT_NE(owner_, nullptr);
    }
    void TearDown() override { DestroyWindow(owner_); }

    std::unique_ptr<HeldResourceLibrary> library_;
    HWND owner_ = nullptr;
    std::vector<std::string> log_;
};

TEST_F(GModalDialogTest, CancelWithASnapshotGivesTheSettingsBackAndOkKeepsThem) {
    const struct {
        int button;
        uint32_t withSnapshot;
        bool unchanged;
    } cases[] = {{IDCANCEL, 1, true}, {IDOK, 1, false}, {IDCANCEL, 0, false}, {IDOK, 0, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.button << " snapshot " << c.withSnapshot);
        DetailsSheet details(log_);
        details.Model().BeginUpdate(owner_);
        const std::string before = uitest::Saved(*details.sheet.Settings());
        WinUiDriver::QueueDialogScript(kDetailsTemplate,
                                       {WinUiActions::Click(kMirrorBoxId), WinUiActions::Click(c.button)});
        EXPECT_EQ(details.dialog->Run(owner_, c.withSnapshot), c.button);
        EXPECT_EQ(uitest::Saved(*details.sheet.Settings()) == before, c.unchanged);
        EXPECT_EQ(details.sheet.Value(253), c.unchanged ? 0 : 1);
        EXPECT_EQ(details.Model().IsChanged(), 1u);
        EXPECT_EQ(details.Model().UpdateNesting(), 1);
        EXPECT_EQ(details.Model().SnapshotCount(), 0u);
    }
    EXPECT_TRUE(WinUiDriver::ScriptFailures().empty());
}

TEST_F(GModalDialogTest, TheNestingIsUnwoundWhileTheDialogRunsAndComesBackToTheSameDepth) {
    for (const uint16_t depth : {0, 1, 2, 3}) {
        SCOPED_TRACE(depth);
        DetailsSheet details(log_);
        GUIModel& model = details.Model();
        for (uint16_t i = 0; i < depth; ++i)
            model.BeginUpdate(owner_);
        int seenDepth = -1;
        bool ownerEnabled = true;
        WinUiDriver::QueueDialogScript(kDetailsTemplate,
                                       {WinUiActions::Do("look",
                                                         [&](HWND) {
                                                             seenDepth = model.UpdateNesting();
                                                             ownerEnabled = IsWindowEnabled(owner_) != FALSE;
                                                             return true;
                                                         }),
                                        WinUiActions::Click(IDOK)});
        EXPECT_EQ(details.dialog->Run(owner_, 1), IDOK);
        EXPECT_EQ(seenDepth, 0);
        EXPECT_FALSE(ownerEnabled);
        EXPECT_TRUE(IsWindowEnabled(owner_));
        EXPECT_EQ(model.UpdateNesting(), depth);
        EXPECT_EQ(model.Window(), depth > 0 ? owner_ : nullptr);
        // The changed flag is set; IsChanged tells it only up to nesting 1.
        EXPECT_EQ(model.IsChanged(), depth <= 1 ? 1u : 0u);
    }
}

TEST_F(GModalDialogTest, EndCommandsReachTheirControlFirstWhenTheDialogHasIt) {
    const struct {
        int command;
        std::vector<std::string> log;
    } cases[] = {{IDOK, {"buttons.273", "buttons.Take", "mirror.Init0", "buttons.Init0"}},
                 {IDCANCEL, {"buttons.273", "buttons.Take", "mirror.Init0", "buttons.Init0"}},
                 {kCloseId, {}}}; // the dialog has no Close button
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command);
        DetailsSheet details(log_);
        WinUiDriver::QueueDialogScript(kDetailsTemplate, {WinUiActions::Do("command", [&](HWND dialog) {
                                           log_.clear();
                                           SendMessageW(dialog, WM_COMMAND, static_cast<WPARAM>(c.command),
                                                        0);
                                           return true;
                                       })});
        EXPECT_EQ(details.dialog->Run(nullptr, 0), c.command);
        EXPECT_EQ(log_, c.log);
    }
}

TEST_F(GModalDialogTest, TheHelpButtonOpensTheDialogsHelpContext) {
    DetailsSheet details(log_);
    HWND shown = nullptr;
    WinUiDriver::QueueDialogScript(kDetailsTemplate,
                                   {WinUiActions::Do("note",
                                                     [&](HWND dialog) {
                                                         shown = dialog;
                                                         return true;
                                                     }),
                                    WinUiActions::Click(GDialog::kHelpButton), WinUiActions::Click(IDOK)});
    EXPECT_EQ(details.dialog->Run(owner_, 0), IDOK);
    const auto calls = WinUiDriver::HelpCalls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].window, shown);
    EXPECT_EQ(calls[0].command, HELP_CONTEXT);
    EXPECT_EQ(calls[0].data, kDetailsHelpId);
}

TEST_F(GModalDialogTest, WithoutItsTemplateTheRunAnswersMinusOneAndLeavesTheModelAsItWas) {
    DetailsSheet details(log_);
    GModalDialog missing(999, &details.Model(), 0, 0);
    details.Model().BeginUpdate(owner_);
    EXPECT_EQ(missing.Run(owner_, 1), -1);
    EXPECT_EQ(details.Model().SnapshotCount(), 0u);
    EXPECT_EQ(details.Model().UpdateNesting(), 1);
    EXPECT_TRUE(IsWindowEnabled(owner_));
}

} // namespace
