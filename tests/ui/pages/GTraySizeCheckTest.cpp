// Whether some tray feeds a paper size: the tray-size tables (978, strict
// 979) read for the trays of the current sets of the paper-handling units
// (90) of the printer configuration.
#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>

#include "model/GAttributeComposite.h"
#include "model/GOptMediaComposite.h"
#include "paper/GPaperHandlingDevice.h"
#include "paper/GTray.h"
#include "tests/ui/framework/ModelPrinterSheet.h"
#include "tests/ui/framework/UIModelTestSupport.h"
#include "ui/pages/GTraySizeCheck.h"

namespace {

constexpr uint16_t kCustom = 16390;

// A tray-size table: {tray id, papers...} per entry.
GAttributeComposite* SizeTable(uint32_t id, std::initializer_list<std::initializer_list<uint16_t>> entries) {
    auto* table = new GAttributeComposite(id);
    for (const auto& entry : entries) {
        auto* sizes = new GOptMediaComposite(*entry.begin(), 0);
        for (auto paper = entry.begin() + 1; paper != entry.end(); ++paper)
            sizes->Append(*paper);
        table->Add(sizes);
    }
    return table;
}

// An input unit whose current set (7) holds trays 6 and 18 and whose other
// set (8) holds tray 3; and an output unit with bin 6.
GAttributeComposite* Units() {
    auto* units = new GAttributeComposite(90);
    auto* input = new GPaperHandlingDevice("Base Input", GPaperHandlingDevice::kInputUnit, 0, 1, 3, 0);
    auto* current = new GAttributeComposite(0);
    current->Add(new GTray("Tray 1", 6));
    current->Add(new GTray("Manual Feed", 18));
    auto* other = new GAttributeComposite(0);
    other->Add(new GTray("Tray 3", 3));
    input->AddTraySet(7, current);
    input->AddTraySet(8, other);
    units->Add(input);
    return units;
}

struct Check {
    bool strict;
    uint16_t paper;
    int32_t answer;
};

void ExpectAnswers(GUIModel& model, std::initializer_list<Check> checks) {
    const GTraySizeCheck check(&model);
    for (const Check& c : checks) {
        SCOPED_TRACE(testing::Message() << (c.strict ? "strict " : "") << c.paper);
        EXPECT_EQ(c.strict ? check.IsSizeInSomeTrayStrict(c.paper) : check.IsSizeInSomeTray(c.paper),
                  c.answer);
    }
}

TEST(GTraySizeCheckTest, WithoutATableEverySizePassesAndWithoutUnitsNone) {
    uitest::Sheet bare(uitest::Tree({}));
    ExpectAnswers(bare.Open(), {{false, 1, 1}, {false, 999, 1}, {true, 1, 1}, {false, kCustom, 1}});

    uitest::Sheet noUnits(uitest::Tree({}));
    noUnits.driver.Configuration().Add(SizeTable(978, {{6, 1}}));
    ExpectAnswers(noUnits.Open(), {{false, 1, 0}, {false, kCustom, 0}, {true, 1, 1}});
}

TEST(GTraySizeCheckTest, APaperPassesWhenAnEntryOfACurrentTrayHoldsIt) {
    uitest::Sheet sheet(uitest::Tree({}));
    sheet.driver.Configuration().Add(SizeTable(978, {{3, 9}, {6, 1, 5}, {18, 7}, {6, 11}}));
    sheet.driver.Configuration().Add(SizeTable(979, {{18, 5}}));
    sheet.driver.Configuration().Add(Units());
    ExpectAnswers(sheet.Open(), {
                                    {false, 5, 1},       // second value of tray 6's entry
                                    {false, 7, 1},       // tray 18
                                    {false, 11, 1},      // tray 6's second entry
                                    {false, 9, 0},       // tray 3 is in a set not current
                                    {false, 2, 0},       // no tray holds it
                                    {false, kCustom, 1}, // a custom size at the first entry met
                                    {true, 5, 1},
                                    {true, 1, 0},
                                    {true, kCustom, 0}, // no pass in the strict table
                                });
}

TEST(GTraySizeCheckTest, ACustomSizeNeedsAnEntryOfSomeTray) {
    uitest::Sheet sheet(uitest::Tree({}));
    sheet.driver.Configuration().Add(SizeTable(978, {{3, 9}, {4, 1}}));
    sheet.driver.Configuration().Add(Units());
    ExpectAnswers(sheet.Open(), {{false, kCustom, 0}, {false, 1, 0}});
}

TEST(GTraySizeCheckTest, TheColourPrintersTrays) {
    uitest::ModelPrinterSheet sheet("QVCOLOR");
    // qvcolor.qvpd: the entry of Tray 2 (tray 1) holds papers 1 and 43; no
    // entry holds paper 2; without a strict table every size passes.
    ExpectAnswers(*sheet.model,
                  {{false, 1, 1}, {false, 43, 1}, {false, 2, 0}, {false, kCustom, 1}, {true, 2, 1}});
}

} // namespace
