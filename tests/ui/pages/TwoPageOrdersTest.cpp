// The booklet list and the page orders under resources that allow two page
// orders only (string 11051 "2", TWOORDERS.DLL of
// tests/ui/pages/modules/qvrestwoorders.cpp): the orders starting on the
// right and the right-bound booklets are not offered.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "model/GSettingIds.h"
#include "model/GValueAttribute.h"
#include "tests/ui/framework/ModelPrinterSheet.h"
#include "tests/ui/framework/ResourceLibraryDoubles.h"
#include "tests/ui/pages/FinishingPageTestSupport.h"
#include "tests/ui/pages/SparePageTestSupport.h"
#include "ui/pages/GBookletWrapper.h"
#include "ui/pages/GPagesPerSheetWrapper.h"
#include "winapi/host/WinUiDriver.h"

namespace {

constexpr char16_t kTwoOrdersLibrary[] = u"TWOORDERS.DLL";
const GControlHelpPair kTwoOrdersBooklet[] = {{3024, 301}, {3025, 301}, {0, 0}};
const GControlHelpPair kTwoOrdersPages[] = {{3015, 323}, {3016, 323}, {3017, 323}, {3019, 324},
                                            {3040, 0},   {3041, 325}, {0, 0}};

class TwoPageOrdersTest : public ::testing::Test {
protected:
    void SetUp() override {
        WinHostStore::Instance().RegisterModule(kTwoOrdersLibrary,
                                                QV_TEST_MODULE_DIR "/libqvrestwoorders.so");
        library_ = std::make_unique<HeldResourceLibrary>(kTwoOrdersLibrary);
        ASSERT_EQ(library_->Loaded(), 1);
        MPersistentObject* printing = sheet_.Settings()->FindById(GSettingId::kPrintingGroup);
        ASSERT_NE(printing, nullptr);
        printing->RemoveById(GSettingId::kMedia);
        printing->Add(new GValueAttribute(1, GSettingId::kPaper));
    }
    HWND Open(int16_t paper) {
        EXPECT_EQ(sheet_.model->CurrentSettings().SetValue(GSettingId::kPaper, paper), 1);
        GUIModel* model = sheet_.model.get();
        page_ = std::make_unique<sparetest::SparePage>(model, ResourceModule(), 3000);
        page_->Add(std::make_unique<GBookletWrapper>(new GBookletFeature(model), kTwoOrdersBooklet));
        page_->Add(
            std::make_unique<GPagesPerSheetWrapper>(new GPagesPerSheetFeature(model), kTwoOrdersPages));
        return page_->Open();
    }

    std::unique_ptr<HeldResourceLibrary> library_;
    uitest::ModelPrinterSheet sheet_{"QVCOLOR"};
    std::unique_ptr<sparetest::SparePage> page_;
};

TEST_F(TwoPageOrdersTest, OnlyTheOrdersFromTheLeftAndNoRightBoundBookletsAreOffered) {
    finishingtest::AddLargeSheets(sheet_.model.get());
    HWND page = Open(1);
    EXPECT_EQ(WinUiDriver::Items(page, 3041),
              (std::vector<std::u16string>{u"Right, then Down", u"Down, then Right"}));
    EXPECT_EQ(WinUiDriver::Items(page, 3025),
              (std::vector<std::u16string>{u"Off", u"Letter (Left Binding)", u"11x17 (Left Binding)"}));
    page = Open(23);
    EXPECT_EQ(WinUiDriver::ItemData(page, 3025), (std::vector<ULONG_PTR>{0, 3, 4}));
}

} // namespace
