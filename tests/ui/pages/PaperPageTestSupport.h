#pragma once
// The Paper tab as its builder makes it, over the colour model printer's
// sheet, with the user's regional settings under the test's control.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "model/GSettingIds.h"
#include "model/GStringAttribute.h"
#include "model/GValueAttribute.h"
#include "tests/support/TempFolder.h"
#include "tests/ui/framework/DialogTestSupport.h"
#include "tests/ui/framework/ModelPrinterSheet.h"
#include "tests/ui/framework/ResourceLibraryDoubles.h"
#include "tests/ui/framework/UIModelTestSupport.h"
#include "ui/framework/GPropertyPage.h"
#include "ui/framework/GTabStrip.h"
#include "ui/framework/GUIStrings.h"
#include "ui/pages/PaperPageBuilder.h"
#include "winapi/host/WinHostStore.h"
#include "winapi/host/WinUiDriver.h"

namespace papertest {

inline constexpr int kTabStrip = 2010;
inline constexpr int kFirstPageBox = 2022;
inline constexpr int kNoBackCover = 2056;
inline constexpr int kBackCoverFromFirst = 2057;
inline constexpr int kBackCoverAlternate = 2058;
inline constexpr int kSizeList = 2015;
inline constexpr int kSizeText = 2014;
inline constexpr int kCustomButton = 2016;
inline constexpr int kTypeList = 2018;
inline constexpr int kSourceList = 2020;

// The user's "iMeasure" and "sDecimal".
inline void SetUserLocale(const char16_t* measure, const char16_t* decimal) {
    WinHostStore::Instance().SetRegistryString(HKEY_CURRENT_USER, u"Control Panel\\International",
                                               u"iMeasure", measure);
    WinHostStore::Instance().SetRegistryString(HKEY_CURRENT_USER, u"Control Panel\\International",
                                               u"sDecimal", decimal);
}

class PaperPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        library_ = HoldOwnResourceLibrary();
        ASSERT_EQ(library_->Loaded(), 1);
        SetUserLocale(u"1", u".");
        WinUiDriver::ClearRecords();
        // As a printer's fresh settings have it: the paper as its id (Letter).
        MPersistentObject* printing = sheet_.Settings()->FindById(GSettingId::kPrintingGroup);
        ASSERT_NE(printing, nullptr);
        printing->RemoveById(GSettingId::kMedia);
        printing->Add(new GValueAttribute(1, GSettingId::kPaper));
    }
    void TearDown() override {
        Close();
        EXPECT_TRUE(WinUiDriver::ScriptFailures().empty());
    }
    // Builds the page and makes its window, shown as the sheet shows its
    // current page.
    HWND Open() {
        page_.reset(BuildPaperPage(record_.record, sheet_.model.get(), 1));
        window_ = CreateDialogParamW(record_.record.hInstance, record_.record.pszTemplate, nullptr,
                                     record_.record.pfnDlgProc, reinterpret_cast<LPARAM>(&record_.record));
        EXPECT_NE(window_, nullptr);
        ShowWindow(window_, SW_SHOW);
        return window_;
    }
    void Close() {
        if (window_ != nullptr) DestroyWindow(window_);
        window_ = nullptr;
        page_.reset();
    }
    // The page comes to the front again.
    void Activate() {
        NMHDR header{window_, 0, PSN_SETACTIVE};
        SendMessageW(window_, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header));
    }
    int Value(uint32_t id) { return uitest::ValueOf(sheet_.Settings(), id); }
    std::string Text(uint32_t id) {
        const auto* text = dynamic_cast<const GStringAttribute*>(sheet_.Settings()->FindById(id));
        return text == nullptr ? "<none>" : std::string(text->GetValue().Data(), text->GetValue().Length());
    }
    void Set(uint32_t id, int16_t value) {
        ASSERT_EQ(sheet_.model->CurrentSettings().SetValue(id, value), 1);
    }
    void SetText(uint32_t id, const char* text) {
        ASSERT_EQ(sheet_.model->CurrentSettings().SetString(id, text), 1);
    }
    // A value of the printer's own group (a test's printer).
    void SetPrinterValue(uint32_t id, uint16_t value) {
        auto* attribute = dynamic_cast<GValueAttribute*>(sheet_.model->Defaults().Composite()->FindById(id));
        ASSERT_NE(attribute, nullptr);
        attribute->SetValue(value);
    }
    // Picks a tab of the strip with a click on it, found on a twin strip
    // with the titles the page shows while the first page differs.
    void ClickTab(uint16_t index) {
        GTabStrip twin;
        twin.Attach(window_, kTabStrip);
        for (const uint16_t title : {11024, 11025, 11098}) {
            RWWString text;
            LoadResString(title, text);
            twin.AddTab(text);
        }
        const RECT tab = twin.GetTabRect(index);
        ASSERT_TRUE(WinUiDriver::ClickAt(GetDlgItem(window_, kTabStrip), tab.left + 5, 5));
    }
    std::u16string SizeText() { return WinUiDriver::Text(window_, kSizeText); }

    std::unique_ptr<HeldResourceLibrary> library_;
    uitest::ModelPrinterSheet sheet_{"QVCOLOR"};
    dialogtest::PageRecord record_;
    std::unique_ptr<GPropertyPage> page_;
    HWND window_ = nullptr;
};

} // namespace papertest
