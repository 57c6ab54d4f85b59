// The job set-up of the job context, through a context made only for the
// tests: pass-through and protocol, rendering and colour modes, page
// scaling, capability flags and page layout, and the reset between jobs.
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "tests/winnt40/JobContextTestSupport.h"

namespace {

using jobcontexttest::PlatformScope;
using jobcontexttest::TestJobContext;

constexpr uint16_t kPclXl = GJobContext::kPclXlWriterClass;
constexpr uint16_t kPostScript = GJobContext::kPostScriptWriterClass;
constexpr uint16_t kPcl5 = 788;

struct PassThroughCase {
    uint16_t writer;                // 0: none
    std::optional<uint16_t> rule;   // printer setting 1115
    std::optional<uint32_t> stored; // printer data "PassThrough"
    bool noPassThroughCapability;   // capability 565 bit 0
    uint32_t passThrough;
};

TEST(GJobContextSetUpTest, PassThroughFollowsTheWriterTheRuleAndThePrinterData) {
    const std::vector<PassThroughCase> cases = {
        {kPostScript, std::nullopt, std::nullopt, false, 1},
        {kPcl5, std::nullopt, std::nullopt, true, 0},
        {0, std::nullopt, std::nullopt, false, 1},
        {kPclXl, 1, std::nullopt, false, 1}, // no value: 255, not 0
        {kPclXl, 1, 0, false, 0},
        {kPclXl, 1, 7, false, 1},
        {kPclXl, 0, std::nullopt, false, 0}, // 255 is not 1
        {kPclXl, 0, 1, false, 1},
        {kPclXl, 0, 2, false, 0},
        {kPclXl, std::nullopt, 1, false, 0},
        {kPclXl, 1, std::nullopt, true, 1}, // the capability speaks only for other writers
    };
    for (const PassThroughCase& item : cases) {
        PlatformScope scope;
        if (item.stored) scope.platform->dwords[u"PassThrough"] = *item.stored;
        TestJobContext context;
        context.SetWriter(item.writer);
        if (item.rule) TestJobContext::Set(context.configuration, 1115, *item.rule);
        if (item.noPassThroughCapability) context.AddCapability(565, {0});
        context.SetUpJob();
        EXPECT_EQ(context.GetPassThrough(), item.passThrough)
            << item.writer << " rule " << item.rule.value_or(99) << " stored " << item.stored.value_or(99);
        EXPECT_EQ(context.GetWriterClass(), item.writer != 0 ? item.writer : GJobContext::kAnyWriterClass);
        EXPECT_EQ(context.IsPostScriptWriter(), item.writer == kPostScript ? 1u : 0u);
    }
}

struct ProtocolCase {
    uint16_t rule;                 // 1115: 1 with no data is pass-through, 0 is not
    std::optional<uint16_t> klass; // 561 before
    bool hasName;                  // 560 present ("PCL 6") before
    uint16_t klassAfter;
    uint16_t revisionAfter; // 562 (5 before)
    const char* nameAfter;  // null: 560 absent
};

TEST(GJobContextSetUpTest, PassThroughSetsTheProtocolClassThePrinterIsTold) {
    const std::vector<ProtocolCase> cases = {
        {1, 4, true, 2, 1, "PCL 6"},  {1, 1, true, 3, 0, "PCL XL"},
        {1, 3, true, 3, 0, "PCL XL"}, {1, 1, false, 3, 0, "PCL XL"},
        {0, 1, true, 2, 1, "PCL 6"},  {1, std::nullopt, true, 0, 5, "PCL 6"}, // no class: nothing set
    };
    for (const ProtocolCase& item : cases) {
        PlatformScope scope;
        TestJobContext context;
        context.SetWriter(kPclXl);
        TestJobContext::Set(context.configuration, 1115, item.rule);
        if (item.klass) TestJobContext::Set(context.configuration, 561, *item.klass);
        TestJobContext::Set(context.configuration, 562, 5);
        if (item.hasName) TestJobContext::SetText(context.configuration, 560, "PCL 6");
        context.SetUpJob();
        EXPECT_EQ(GSettingValues::Get(context.configuration, 561).value_or(0), item.klassAfter);
        EXPECT_EQ(GSettingValues::Get(context.configuration, 562), item.revisionAfter);
        const GStringAttribute* name = GSettingValues::FindText(context.configuration, 560);
        ASSERT_NE(name, nullptr);
        EXPECT_EQ(name->GetValue(), item.nameAfter);
    }
}

struct RenderingCase {
    std::optional<uint16_t> setting; // 364's 255
    uint32_t flags;                  // application flags
    std::optional<std::vector<uint32_t>> capability136;
    int16_t mode;
};

TEST(GJobContextSetUpTest, RenderingModeFromTheSettingTheFlagsAndCapability136) {
    const std::vector<RenderingCase> cases = {
        {3, 0, std::nullopt, 3},
        {2, 0x200000, std::nullopt, 2},
        {1, 0x600000, std::nullopt, 1},
        {std::nullopt, 0x400000, std::nullopt, 2},
        {std::nullopt, 0x600000, std::nullopt, 3},
        {std::nullopt, 0, std::nullopt, 1},
        {7, 0x400000, std::nullopt, 2},
        {1, 0x04000000, std::vector<uint32_t>{}, 3},
        {1, 0x04000000, std::vector<uint32_t>{1}, 1},
        {1, 0x04000000, std::nullopt, 1},
        {2, 0x08000000, std::vector<uint32_t>{1}, 3},
        {2, 0x08000000, std::vector<uint32_t>{2}, 2},
    };
    for (const RenderingCase& item : cases) {
        PlatformScope scope;
        TestJobContext context;
        if (item.setting) TestJobContext::Set(context.group364, 255, *item.setting);
        if (item.capability136) context.AddCapability(136, *item.capability136);
        context.SetApplicationFlags(item.flags);
        context.SetUpJob();
        EXPECT_EQ(context.GetRenderingMode(), item.mode)
            << item.setting.value_or(0) << " flags " << item.flags;
        EXPECT_EQ(context.TestRenderingMode(0), item.mode >= 2 ? 1 : 0);
        EXPECT_EQ(context.TestRenderingMode(1), item.mode == 3 ? 1 : 0);
    }
}

struct ColourCase {
    uint16_t writer;
    std::optional<uint16_t> source; // 364's 570
    std::optional<uint16_t> target; // 364's 571
    bool setting958;
    int16_t sourceMode;
    uint16_t targetMode;
    uint32_t trueTypeAsBitmaps; // 364's 293 is 1 in every case
};

TEST(GJobContextSetUpTest, ColourModesOfAPostScriptWriter) {
    const std::vector<ColourCase> cases = {
        {kPostScript, 0, std::nullopt, true, 1, 0, 0},
        {kPostScript, 0, std::nullopt, false, 0, 0, 0},
        {kPostScript, 1, 2, false, 1, 2, 1},
        {kPostScript, 2, 1, false, 2, 1, 0},
        {kPostScript, 9, 5, false, 2, 0, 0},
        {kPostScript, std::nullopt, 0, false, -1, 0, 1},
        {kPclXl, 1, 2, true, -1, 0, 1},
    };
    for (const ColourCase& item : cases) {
        PlatformScope scope;
        TestJobContext context;
        context.SetWriter(item.writer);
        TestJobContext::Set(context.group364, 293, 1);
        if (item.source) TestJobContext::Set(context.group364, 570, *item.source);
        if (item.target) TestJobContext::Set(context.group364, 571, *item.target);
        if (item.setting958) TestJobContext::Set(context.configuration, 958, 1);
        context.SetUpJob();
        EXPECT_EQ(context.GetColourSourceMode(), item.sourceMode) << item.source.value_or(99);
        EXPECT_EQ(context.GetColourTargetMode(), item.targetMode);
        EXPECT_EQ(context.IsTrueTypeAsBitmaps(), item.trueTypeAsBitmaps);
    }
}

TEST(GJobContextSetUpTest, PageScalingAsksTheTreeUnlessCapability135Forbids) {
    struct Case {
        uint16_t rendering;
        std::optional<std::vector<uint32_t>> capability135;
        int ready;
        uint32_t scaling;
    };
    const std::vector<Case> cases = {
        {1, std::vector<uint32_t>{}, 1, 1},
        {1, std::vector<uint32_t>{1}, 1, 0},
        {1, std::vector<uint32_t>{4}, 1, 1},
        {3, std::vector<uint32_t>{4}, 1, 0},
        {3, std::vector<uint32_t>{1}, 1, 1},
        {3, std::vector<uint32_t>{}, 0, 0},
        {1, std::nullopt, 1, 0},
    };
    for (const Case& item : cases) {
        PlatformScope scope;
        TestJobContext context;
        TestJobContext::Set(context.group364, 255, item.rendering);
        if (item.capability135) context.AddCapability(135, *item.capability135);
        context.device.ready = item.ready;
        context.SetUpJob();
        EXPECT_EQ(context.GetPageScaling(), item.scaling) << item.rendering;
    }
}

TEST(GJobContextSetUpTest, GreyScaleTextAndCapabilityFlags) {
    PlatformScope scope;
    TestJobContext context;
    TestJobContext::Set(context.group364, 585, 1);
    TestJobContext::Set(context.group364, 255, 1);
    context.AddCapability(113, {1});
    context.AddCapability(120, {9});
    for (const auto& [grey, mode] : std::vector<std::pair<uint16_t, uint32_t>>{{0, 1}, {3, 2}, {1, 0}}) {
        TestJobContext::Set(context.group364, 296, grey);
        context.SetUpJob();
        EXPECT_EQ(context.GetGreyScaleMode(), mode);
    }
    EXPECT_EQ(context.IsTextAsBlack(), 1u);
    EXPECT_EQ(context.GetCapabilityFlag113(), 1u);
    EXPECT_EQ(context.GetCapabilityFlag120(), 1u);

    // Rendering in mode 2 leaves flag 120 off, and flag 113 with it.
    TestJobContext::Set(context.group364, 255, 2);
    context.SetUpJob();
    EXPECT_EQ(context.GetCapabilityFlag113(), 0u);
    EXPECT_EQ(context.GetCapabilityFlag120(), 0u);

    // A PCL XL writer under application flag 0x8 has neither.
    TestJobContext::Set(context.group364, 255, 1);
    context.SetWriter(kPclXl);
    context.SetApplicationFlags(0x8);
    context.SetUpJob();
    EXPECT_EQ(context.GetCapabilityFlag113(), 0u);
    EXPECT_EQ(context.GetCapabilityFlag120(), 0u);
}

TEST(GJobContextSetUpTest, PageLayoutIsActiveForPostScriptBookletsAndPagesPerSheet) {
    struct Case {
        uint16_t writer;
        uint32_t flags;
        uint16_t booklet;
        uint16_t perSheet;
        uint32_t active;
    };
    const std::vector<Case> cases = {
        {kPostScript, 0x20000, 1, 0, 1}, {kPostScript, 0x20000, 0, 2, 1}, {kPostScript, 0x20000, 0, 0, 0},
        {kPostScript, 0, 1, 2, 0},       {kPclXl, 0x20000, 1, 2, 0},
    };
    for (const Case& item : cases) {
        PlatformScope scope;
        TestJobContext context;
        context.SetWriter(item.writer);
        context.SetApplicationFlags(item.flags);
        TestJobContext::Set(context.group362, 279, item.booklet);
        TestJobContext::Set(context.layout, 266, item.perSheet);
        context.SetUpJob();
        EXPECT_EQ(context.IsPageLayoutActive(), item.active);
    }
}

TEST(GJobContextSetUpTest, ResetBetweenJobsClosesTheDeviceAndForgetsTheDocument) {
    PlatformScope scope;
    TestJobContext context;
    context.SetDocument(u"report", u"LPT1:", "data");
    ASSERT_EQ(context.BeginDocument(), 0);
    context.SetOutputFlag();
    context.ResetCache();
    EXPECT_EQ(context.device.resets, 1);
    EXPECT_EQ(context.GetOutputFlag(), 0u);
    EXPECT_EQ(context.IsDocumentStarted(), 0u);
    EXPECT_EQ(context.GetDocumentName().Length(), 0u);
    EXPECT_EQ(context.BeginDocument(), GJobContext::kNoDocumentPending);
    EXPECT_EQ(context.GetJobStatus(), GJobContext::kJobFailed);
    context.ResetCache();
    EXPECT_EQ(context.device.resets, 1); // nothing was opened since
    EXPECT_EQ(context.GetJobStatus(), 0u);
}

} // namespace
