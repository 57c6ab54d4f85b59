#pragma once
// A tab as its builder makes it over a model printer's sheet: the builder
// fills the page record, the page's window is made from that record and
// shown as the sheet shows its current page, and the tests read and store
// the sheet's settings around it.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "model/GSettingIds.h"
#include "model/GValueAttribute.h"
#include "tests/support/TempFolder.h"
#include "tests/ui/framework/DialogTestSupport.h"
#include "tests/ui/framework/ModelPrinterSheet.h"
#include "tests/ui/framework/ResourceLibraryDoubles.h"
#include "tests/ui/framework/UIModelTestSupport.h"
#include "ui/framework/GPropertyPage.h"
#include "winapi/WinDialog.h"
#include "winapi/WinWindow.h"
#include "winapi/host/WinUiActions.h"
#include "winapi/host/WinUiDriver.h"

namespace pagetest {

// Makes the window of a page record as the sheet makes it: the record's
// template and procedure, the record itself as the parameter.
inline HWND OpenPageWindow(PROPSHEETPAGEW& record) {
    HWND window = CreateDialogParamW(record.hInstance, record.pszTemplate, nullptr, record.pfnDlgProc,
                                     reinterpret_cast<LPARAM>(&record));
    EXPECT_NE(window, nullptr);
    return window;
}

// The page comes to the front again: every control is shown anew.
inline void ActivatePage(HWND window) {
    NMHDR header{window, 0, PSN_SETACTIVE};
    SendMessageW(window, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header));
}

// Writes the window as a picture to be looked at.
inline bool WritePagePicture(HWND window, const std::string& name) {
    const qvtest::TempFolder folder;
    return WinUiDriver::RenderToPng(window, folder.PicturePath(name));
}

// A script step that checks the open dialog.
inline WinUiAction CheckStep(const std::string& what, std::function<void(HWND)> check) {
    return WinUiActions::Do(what, [check](HWND dialog) {
        check(dialog);
        return true;
    });
}

// A number as the text a field shows.
inline std::u16string Digits(int value) {
    const std::string text = std::to_string(value);
    return std::u16string(text.begin(), text.end());
}

class BuiltPageFixture : public ::testing::Test {
protected:
    explicit BuiltPageFixture(const char* printer = "QVCOLOR") : sheet_(printer) {}
    void SetUp() override {
        library_ = HoldOwnResourceLibrary();
        ASSERT_EQ(library_->Loaded(), 1);
        WinUiDriver::ClearRecords();
    }
    void TearDown() override {
        Close();
        EXPECT_TRUE(WinUiDriver::ScriptFailures().empty());
    }

    // Builds the page with build(record, model), a builder's call, and makes
    // its window, shown as the sheet shows its current page. A window still
    // open goes first.
    template <typename Build> HWND OpenBuilt(Build build) {
        Close();
        page_.reset(build(record_.record, Model()));
        window_ = OpenPageWindow(record_.record);
        ShowWindow(window_, SW_SHOW);
        return window_;
    }
    void Close() {
        if (window_ != nullptr) DestroyWindow(window_);
        window_ = nullptr;
        page_.reset();
    }
    void Activate() { ActivatePage(window_); }

    GUIModel* Model() { return sheet_.model.get(); }
    int Stored(uint32_t id) { return uitest::ValueOf(sheet_.Settings(), id); }
    void Store(uint32_t id, int16_t value) { ASSERT_EQ(Model()->CurrentSettings().SetValue(id, value), 1); }
    void SetLevel(uint32_t id, int16_t value) { ASSERT_EQ(Model()->RuleLevels().SetValue(id, value), 1); }
    // A value of the printer's own group.
    void SetPrinterValue(uint32_t id, uint16_t value) {
        auto* attribute = dynamic_cast<GValueAttribute*>(Model()->Defaults().Composite()->FindById(id));
        ASSERT_NE(attribute, nullptr);
        attribute->SetValue(value);
    }
    // As a printer's fresh settings have it: the paper as its id, no media.
    void StorePaperAsId(int16_t paper) {
        MPersistentObject* printing = sheet_.Settings()->FindById(GSettingId::kPrintingGroup);
        ASSERT_NE(printing, nullptr);
        printing->RemoveById(GSettingId::kMedia);
        printing->Add(new GValueAttribute(paper, GSettingId::kPaper));
    }
    bool Checked(int id) { return WinUiDriver::CheckState(window_, id) == BST_CHECKED; }
    void Picture(const std::string& name) { EXPECT_TRUE(WritePagePicture(window_, name)); }

    std::unique_ptr<HeldResourceLibrary> library_;
    uitest::ModelPrinterSheet sheet_;
    dialogtest::PageRecord record_;
    std::unique_ptr<GPropertyPage> page_;
    HWND window_ = nullptr;
};

} // namespace pagetest
