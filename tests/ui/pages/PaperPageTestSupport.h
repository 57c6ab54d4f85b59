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
#include "tests/ui/pages/BuiltPageFixture.h"
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

class PaperPageTest : public pagetest::BuiltPageFixture {
protected:
    void SetUp() override {
        BuiltPageFixture::SetUp();
        SetUserLocale(u"1", u".");
        StorePaperAsId(1); // Letter
    }
    HWND Open() {
        return OpenBuilt(
            [](PROPSHEETPAGEW& record, GUIModel* model) { return BuildPaperPage(record, model, 1); });
    }
    std::string Text(uint32_t id) {
        const auto* text = dynamic_cast<const GStringAttribute*>(sheet_.Settings()->FindById(id));
        return text == nullptr ? "<none>" : std::string(text->GetValue().Data(), text->GetValue().Length());
    }
    void SetText(uint32_t id, const char* text) {
        ASSERT_EQ(Model()->CurrentSettings().SetString(id, text), 1);
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
};

} // namespace papertest
