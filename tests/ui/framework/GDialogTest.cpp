// The dialog base through a property page on DIALOGS.DLL's page 200, made
// as the sheet makes it (its record with a PageLink, PropertyPageProc):
// the record it fills, the life of its binding to the window, the routing
// of each message kind to the wrappers, the propagation after a control
// message, and the help it opens.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "model/GStringAttribute.h"
#include "tests/ui/framework/DialogTestSupport.h"
#include "ui/framework/GPropertyPage.h"
#include "ui/framework/GResourceLibrary.h"
#include "winapi/WinHelp.h"
#include "winapi/host/WinUiDriver.h"

namespace {

using dialogtest::CheckBoxDouble;
using dialogtest::Delivered;
using dialogtest::kCollateBoxId;
using dialogtest::kDuplexBoxId;
using dialogtest::kEditId;
using dialogtest::StateFeature;

constexpr uint16_t kPageHelpId = 200;
const GControlHelpPair kDuplexTable[] = {{kDuplexBoxId, 1203}, {0, 0}};
const GControlHelpPair kCollateTable[] = {{kCollateBoxId, GWrapper::kNoHelp}, {0, 0}};

// Every message the page window's procedure got, with PropertyPageProc's answer.
std::vector<Delivered>* g_delivered = nullptr;

INT_PTR SpyPageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const INT_PTR answer = PropertyPageProc(window, message, wParam, lParam);
    if (g_delivered != nullptr) g_delivered->push_back({message, answer});
    return answer;
}

INT_PTR PlainProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

// A page that notes the messages its routing was given.
class NotingPage : public GPropertyPage {
public:
    using GPropertyPage::GPropertyPage;
    INT_PTR DialogProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        routed.push_back(message);
        return GPropertyPage::DialogProc(message, wParam, lParam);
    }
    std::vector<UINT> routed;
};

class GDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterResourceLibraries();
        library_ = std::make_unique<HeldResourceLibrary>(kDialogsResourceLibrary);
        ASSERT_EQ(library_->Loaded(), 1);
        sheet_.driver.Configuration().Add(new GStringAttribute("QVHELP.HLP", 374));
        model_ = &sheet_.Open();
        model_->AddRule(std::make_unique<uitest::LoggingRule>(model_, "rule", log_));
        duplex_ = std::make_unique<StateFeature>(model_, 253);
        collate_ = std::make_unique<StateFeature>(model_, 254);
        g_delivered = &delivered_;
    }
    void TearDown() override {
        if (window_ != nullptr) DestroyWindow(window_);
        g_delivered = nullptr;
    }

    // The page with the duplex (203, help 1203) and collate (204, no help)
    // boxes, its window made as the sheet makes it.
    void OpenPage(std::unique_ptr<GWrapper> between = nullptr) {
        page_ = std::make_unique<NotingPage>(&record_.record, ResourceModule(), dialogtest::kPageTemplate,
                                             model_, 1, kPageHelpId);
        page_->AddControl(std::make_unique<CheckBoxDouble>("duplex", duplex_.get(), kDuplexTable, log_));
        page_->AddControl(std::move(between));
        page_->AddControl(std::make_unique<CheckBoxDouble>("collate", collate_.get(), kCollateTable, log_));
        window_ = CreateDialogParamW(record_.record.hInstance, record_.record.pszTemplate, nullptr,
                                     &SpyPageProc, reinterpret_cast<LPARAM>(&record_.record));
        ASSERT_NE(window_, nullptr);
        log_.clear();
        WinUiDriver::ClearRecords();
    }

    // The answer of the page's procedure to a message sent to its window.
    INT_PTR Send(UINT message, WPARAM wParam, LPARAM lParam) {
        delivered_.clear();
        SendMessageW(window_, message, wParam, lParam);
        for (const Delivered& d : delivered_)
            if (d.message == message) return d.answer;
        ADD_FAILURE() << "not delivered: " << message;
        return -99;
    }

    std::unique_ptr<HeldResourceLibrary> library_;
    uitest::Sheet sheet_{uitest::Tree({{253, 0}, {254, 1}})};
    GUIModel* model_ = nullptr;
    std::vector<std::string> log_;
    std::unique_ptr<StateFeature> duplex_;
    std::unique_ptr<StateFeature> collate_;
    dialogtest::PageRecord record_;
    std::unique_ptr<NotingPage> page_;
    std::vector<Delivered> delivered_;
    HWND window_ = nullptr;
};

TEST_F(GDialogTest, APageFillsItsRecordAndHangsItselfOnTheLink) {
    const struct {
        uint32_t hasHelp;
        DWORD flags;
    } cases[] = {{0, PSP_RTLREADING}, {1, PSP_RTLREADING | PSP_HASHELP}, {5, PSP_RTLREADING | PSP_HASHELP}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.hasHelp);
        dialogtest::PageRecord record;
        record.record.dwFlags = PSP_USECALLBACK;
        GPropertyPage page(&record.record, ResourceModule(), 1234, model_, c.hasHelp, kPageHelpId);
        EXPECT_EQ(record.record.dwFlags, c.flags);
        EXPECT_EQ(record.record.hInstance, ResourceModule());
        EXPECT_EQ(record.record.pszTemplate, MAKEINTRESOURCEW(1234));
        EXPECT_EQ(record.record.pfnDlgProc, &PropertyPageProc);
        EXPECT_EQ(record.link.pageObject, static_cast<void*>(&page));
        EXPECT_EQ(record.record.lParam, reinterpret_cast<LPARAM>(&record.link));
    }
    PROPSHEETPAGEW bare{};
    GPropertyPage page(&bare, ResourceModule(), 1234, model_, 0, kPageHelpId);
    EXPECT_EQ(bare.pfnDlgProc, &PropertyPageProc); // no link to hang on: filled all the same
}

TEST_F(GDialogTest, ThePageIsBoundFromInitDialogToDestroyAndAnswersZeroOutside) {
    OpenPage();
    HWND window = window_;
    delivered_.clear();
    DestroyWindow(window_);
    window_ = nullptr;
    ASSERT_FALSE(page_->routed.empty());
    EXPECT_EQ(page_->routed.front(), static_cast<UINT>(WM_INITDIALOG));
    EXPECT_EQ(page_->routed.back(), static_cast<UINT>(WM_DESTROY));
    // The window got messages after WM_DESTROY: they found no page.
    bool sawDestroy = false;
    size_t after = 0;
    for (const Delivered& d : delivered_) {
        if (sawDestroy) {
            ++after;
            EXPECT_EQ(d.answer, 0) << d.message;
        }
        sawDestroy = sawDestroy || d.message == WM_DESTROY;
    }
    EXPECT_TRUE(sawDestroy);
    EXPECT_GT(after, 0u);
    EXPECT_EQ(GetWindowLongPtrW(window, DWLP_USER), 0);
    // A window the procedure never initialised: no page, no help, 0.
    HWND plain = CreateDialogParamW(ResourceModule(), MAKEINTRESOURCEW(dialogtest::kPageTemplate), nullptr,
                                    &PlainProc, 0);
    WinUiDriver::ClearRecords();
    NMHDR help{plain, 0, PSN_HELP};
    EXPECT_EQ(PropertyPageProc(plain, WM_COMMAND, GDialog::kHelpButton, 0), 0);
    EXPECT_EQ(PropertyPageProc(plain, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&help)), 0);
    EXPECT_TRUE(WinUiDriver::HelpCalls().empty());
    DestroyWindow(plain);
}

TEST_F(GDialogTest, InitDialogAttachesInitialisesPropagatesAndShowsAgain) {
    ASSERT_EQ(duplex_->SetValue(1), 1);
    collate_->state = GFeature::kDisabled;
    log_.clear();
    page_ = std::make_unique<NotingPage>(&record_.record, ResourceModule(), dialogtest::kPageTemplate, model_,
                                         1, kPageHelpId);
    page_->AddControl(std::make_unique<CheckBoxDouble>("duplex", duplex_.get(), kDuplexTable, log_));
    page_->AddControl(std::make_unique<CheckBoxDouble>("collate", collate_.get(), kCollateTable, log_));
    window_ = CreateDialogParamW(record_.record.hInstance, record_.record.pszTemplate, nullptr, &SpyPageProc,
                                 reinterpret_cast<LPARAM>(&record_.record));
    ASSERT_NE(window_, nullptr);
    EXPECT_EQ(page_->Window(), window_);
    // The routing, then the model's first page message runs the rules once more.
    EXPECT_EQ(log_,
              (std::vector<std::string>{"duplex.Init0", "collate.Init0", "rule.Reset", "rule.Evaluate",
                                        "duplex.Init1", "collate.Init1", "rule.Reset", "rule.Evaluate"}));
    EXPECT_EQ(WinUiDriver::CheckState(window_, kDuplexBoxId), BST_CHECKED);
    EXPECT_FALSE(WinUiDriver::IsEnabled(window_, kCollateBoxId));
    EXPECT_TRUE(WinUiDriver::IsVisible(window_, kCollateBoxId));
    EXPECT_EQ(GetWindowLongPtrW(window_, DWLP_USER), reinterpret_cast<LONG_PTR>(&record_.record));
}

TEST_F(GDialogTest, AControlMessageRunsInsideAnUpdateAndPropagatesItsChange) {
    OpenPage();
    ASSERT_TRUE(WinUiDriver::Click(window_, kDuplexBoxId));
    EXPECT_EQ(sheet_.Value(253), 1);
    // The cursor over the box reaches its wrapper (WM_SETCURSOR) and takes
    // nothing; BN_CLICKED takes the value. Propagation with IsChanged 0
    // runs the rules for the pending key only, and shows the controls with 0.
    const auto cursor = std::erase(log_, "duplex.32");
    EXPECT_GT(cursor, 0u);
    EXPECT_EQ(log_, (std::vector<std::string>{"duplex.273", "duplex.Take", "rule.Reset", "rule.Evaluate",
                                              "duplex.Init0", "collate.Init0"}));
    EXPECT_EQ(model_->UpdateNesting(), 0);
    EXPECT_EQ(model_->IsChanged(), 0u);
}

TEST_F(GDialogTest, AMessageNoControlTookStillPropagatesChangedSettings) {
    OpenPage();
    model_->SetChanged(1);
    EXPECT_EQ(Send(WM_HSCROLL, 0, reinterpret_cast<LPARAM>(GetDlgItem(window_, kEditId))), 0);
    EXPECT_EQ(log_,
              (std::vector<std::string>{"rule.Reset", "rule.Evaluate", "duplex.Init1", "collate.Init1"}));
    EXPECT_EQ(model_->IsChanged(), 0u);
    log_.clear();
    EXPECT_EQ(Send(WM_HSCROLL, 0, reinterpret_cast<LPARAM>(GetDlgItem(window_, kEditId))), 0);
    EXPECT_TRUE(log_.empty());
    EXPECT_EQ(model_->UpdateNesting(), 0);
}

TEST_F(GDialogTest, EachMessageKindReachesTheWrappersItNames) {
    OpenPage();
    HWND duplex = GetDlgItem(window_, kDuplexBoxId);
    HWND collate = GetDlgItem(window_, kCollateBoxId);
    EnableWindow(collate, FALSE);
    const RECT collateRect = WinUiDriver::Rect(window_, kCollateBoxId);
    const LPARAM onCollate =
        MAKELPARAM((collateRect.left + collateRect.right) / 2, (collateRect.top + collateRect.bottom) / 2);
    NMHDR delta{duplex, kDuplexBoxId, UDN_DELTAPOS};
    NMHDR killActive{window_, 0, PSN_KILLACTIVE};
    NMHDR unknown{window_, 0, static_cast<UINT>(-999)};
    const std::string none;
    const struct {
        const char* what;
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        INT_PTR answer;
        std::vector<std::string> log;
    } cases[] = {
        {"draw item", WM_DRAWITEM, kCollateBoxId, 0, 0, {"collate.43"}},
        {"vertical scroll", WM_VSCROLL, 0, reinterpret_cast<LPARAM>(duplex), 0, {"duplex.277"}},
        {"key to item", WM_VKEYTOITEM, 0, 0, -2, {"duplex.46", "collate.46"}},
        {"kill active", WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&killActive), 0, {"duplex.78", "collate.78"}},
        {"spin", WM_NOTIFY, kDuplexBoxId, reinterpret_cast<LPARAM>(&delta), 0, {"duplex.78"}},
        {"mouse on a disabled box", WM_MOUSEMOVE, 0, onCollate, 0, {"collate.512"}},
        {"button up on a disabled box", WM_LBUTTONUP, 0, onCollate, 0, {"collate.514"}},
        {"mouse where no control is", WM_MOUSEMOVE, 0, MAKELPARAM(2, 2), 0, {}},
        {"cursor", WM_SETCURSOR, reinterpret_cast<WPARAM>(duplex), 0, 0, {"duplex.32"}},
        {"other notice", WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&unknown), 0, {}},
        {"other message", WM_TIMER, 1, 0, 0, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        log_.clear();
        EXPECT_EQ(Send(c.message, c.wParam, c.lParam), c.answer);
        EXPECT_EQ(log_, c.log);
        EXPECT_EQ(model_->UpdateNesting(), 0);
    }
}

TEST_F(GDialogTest, TheCursorAnswerIsTheWrappersAndShowingThePageShowsEveryControl) {
    OpenPage();
    auto* duplex = static_cast<CheckBoxDouble*>(page_->FindByWindow(GetDlgItem(window_, kDuplexBoxId)));
    ASSERT_NE(duplex, nullptr);
    duplex->setCursorAnswer = 5;
    EXPECT_EQ(Send(WM_SETCURSOR, reinterpret_cast<WPARAM>(GetDlgItem(window_, kDuplexBoxId)), 0), 5);
    EXPECT_EQ(Send(WM_SETCURSOR, reinterpret_cast<WPARAM>(GetDlgItem(window_, kEditId)), 0), 0);
    log_.clear();
    NMHDR setActive{window_, 0, PSN_SETACTIVE};
    EXPECT_EQ(Send(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&setActive)), 0);
    EXPECT_EQ(log_,
              (std::vector<std::string>{"rule.Reset", "rule.Evaluate", "duplex.Init1", "collate.Init1"}));
}

TEST_F(GDialogTest, TheHelpButtonAndPsnHelpOpenThePageHelpContext) {
    OpenPage();
    ASSERT_TRUE(WinUiDriver::Click(window_, GDialog::kHelpButton));
    NMHDR help{window_, 0, PSN_HELP};
    EXPECT_EQ(Send(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&help)), 1);
    const auto calls = WinUiDriver::HelpCalls();
    ASSERT_EQ(calls.size(), 2u);
    for (const WinRecordedHelp& call : calls) {
        EXPECT_EQ(call.window, window_);
        EXPECT_EQ(call.file, std::string(model_->HelpFileName().Data()));
        EXPECT_EQ(call.command, HELP_CONTEXT);
        EXPECT_EQ(call.data, kPageHelpId);
    }
    EXPECT_NE(calls[0].file.find("QVHELP.HLP"), std::string::npos);
    EXPECT_TRUE(log_.empty()); // the Help button is no wrapper's
}

TEST_F(GDialogTest, ControlHelpUsesTheJoinedTableOrElseTheWrappersOwn) {
    OpenPage();
    using Table = std::vector<std::pair<DWORD, DWORD>>;
    const Table duplexTable = {{kDuplexBoxId, 1203}};
    const Table joined = {{kDuplexBoxId, 1203}, {kCollateBoxId, GWrapper::kNoHelp}};
    // Before the table is joined: F1 on a box with a help id gives its
    // wrapper's table; on one without, nothing; its right click goes to
    // the wrapper instead.
    ASSERT_TRUE(WinUiDriver::Help(window_, kDuplexBoxId));
    ASSERT_TRUE(WinUiDriver::Help(window_, kCollateBoxId));
    ASSERT_TRUE(WinUiDriver::ContextMenu(window_, kCollateBoxId));
    EXPECT_EQ(log_, (std::vector<std::string>{"collate.123"}));
    // Joined (twice: the second replaces the first), every control's F1
    // and right click give the whole table.
    page_->BuildHelpTable();
    page_->BuildHelpTable();
    log_.clear();
    ASSERT_TRUE(WinUiDriver::Help(window_, kCollateBoxId));
    ASSERT_TRUE(WinUiDriver::ContextMenu(window_, kCollateBoxId));
    EXPECT_TRUE(log_.empty());
    const auto calls = WinUiDriver::HelpCalls();
    const struct {
        int control;
        UINT command;
        Table table;
    } expected[] = {{kDuplexBoxId, HELP_WM_HELP, duplexTable},
                    {kCollateBoxId, HELP_WM_HELP, joined},
                    {kCollateBoxId, HELP_CONTEXTMENU, joined}};
    ASSERT_EQ(calls.size(), std::size(expected));
    for (size_t i = 0; i < calls.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(calls[i].window, GetDlgItem(window_, expected[i].control));
        EXPECT_EQ(calls[i].command, expected[i].command);
        EXPECT_EQ(calls[i].table, expected[i].table);
        EXPECT_EQ(calls[i].file, std::string(model_->HelpFileName().Data()));
    }
}

TEST_F(GDialogTest, ANullWrapperIsNotAdded) {
    OpenPage(nullptr);
    EXPECT_EQ(page_->ControlCount(), 2u);
    page_->BuildHelpTable();
    ASSERT_NE(page_->HelpTable(), nullptr);
    EXPECT_EQ(page_->HelpTable()[2].controlId, 0u);
    log_.clear();
    EXPECT_EQ(Send(WM_VKEYTOITEM, 0, 0), -2);
    EXPECT_EQ(log_, (std::vector<std::string>{"duplex.46", "collate.46"}));
}

} // namespace
