#pragma once
// The Finishing tab as its builder makes it, over a model printer's sheet
// with the document on Letter in portrait.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "model/GSettingIds.h"
#include "model/GValueAttribute.h"
#include "paper/GMedia.h"
#include "paper/GMediaPool.h"
#include "tests/ui/pages/BuiltPageFixture.h"
#include "ui/pages/FinishingPageBuilder.h"
#include "winapi/host/WinUiDriver.h"

namespace finishingtest {

inline constexpr int kDocumentOptions = 3010;
inline constexpr int kBothSides = 3011;
inline constexpr int kFlipUp = 3012;
inline constexpr int kPagesField = 3015;
inline constexpr int kPagesArrows = 3016;
inline constexpr int kBorders = 3019;
inline constexpr int kBookletList = 3025;
inline constexpr int kStaple = 3027;
inline constexpr int kStaplingButton = 3029;
inline constexpr int kOrderList = 3041;
inline constexpr int kBind = 3042;
inline constexpr int16_t kLetter = 1;
inline constexpr int16_t kLegal = 6;
inline constexpr int16_t kA4 = 23;

// 11x17 (21) and A3 (22) at 600 dpi for the printer, which has neither.
inline void AddLargeSheets(GUIModel* model) {
    auto* pool =
        static_cast<GMediaPool*>(model->Defaults().FindTyped(GSettingId::kMediaPool, GMediaPool::kClassId));
    ASSERT_NE(pool, nullptr);
    pool->Add(new GMedia("11x17", {6600, 10200}, {6400, 10000}, {100, 100}, 0, 21, 600, 600));
    pool->Add(new GMedia("A3", {7016, 9921}, {6816, 9721}, {100, 100}, 0, 22, 600, 600));
}

class FinishingPageTest : public pagetest::BuiltPageFixture {
protected:
    explicit FinishingPageTest(const char* printer = "QVCOLOR") : BuiltPageFixture(printer) {}
    void SetUp() override {
        BuiltPageFixture::SetUp();
        StorePaperAsId(kLetter);
    }
    HWND Open() {
        return OpenBuilt([](PROPSHEETPAGEW& record, GUIModel* model) {
            return BuildFinishingPage(record, model, 1, nullptr);
        });
    }
};

} // namespace finishingtest
