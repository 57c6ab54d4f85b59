// The job context's own rules, through a context made only for the tests:
// the collation table, the grey conversion it starts with and the one it
// is given.
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "driver/GSettingValues.h"
#include "job/GJobAbort.h"
#include "job/GJobContext.h"
#include "job/GPageEnd.h"
#include "model/GAttributeComposite.h"
#include "model/GSettingIds.h"
#include "model/GValueAttribute.h"
#include "pipeline/GPeripheral.h"

namespace {

// Fails page ends with pageEndStatus and records what it plays.
class FailingDevice : public GPeripheral {
public:
    uint16_t OnPageEnd(GPageEnd&) override {
        played.push_back("PageEnd");
        return pageEndStatus;
    }
    uint16_t OnJobAbort(GJobAbort&) override {
        played.push_back("JobAbort");
        return 0;
    }
    uint16_t pageEndStatus = 0;
    std::vector<std::string> played;
};

class TableJobContext : public GJobContext {
public:
    uint32_t GetJobKey() const override { return 1; }
    void GetSecondName(RWWString& name) const override { name = RWWString(); }
    MPersistentObject* GetPrinterConfiguration() override { return nullptr; }
    uint32_t GetDefaultPaperId() override { return 0; }
    GPeripheral* device = nullptr;

protected:
    GPeripheral* GetConfigurationTree() override { return device; }
};

// A group with the given (id, value) settings.
std::unique_ptr<GAttributeComposite> Group(uint32_t id, std::vector<std::pair<uint32_t, uint16_t>> values) {
    auto group = std::make_unique<GAttributeComposite>(id);
    for (const auto& [setting, value] : values)
        group->Add(new GValueAttribute(value, setting));
    return group;
}

struct CollationCase {
    std::optional<uint16_t> deviceCollates; // 365's 310
    std::optional<uint16_t> collate;        // 364's 292
    std::optional<uint16_t> massStorage;    // 365's 451
    uint16_t deviceCopies;                  // 362's 247 afterwards
    uint16_t pageCopies;                    // 363's 257 afterwards
};

TEST(GJobContextTest, CollationDecidesWhoMakesTheCopies) {
    const std::vector<CollationCase> cases = {
        {1, 0, 0, 1, 3},
        {1, 1, 0, 3, 1},
        {1, 0, 1, 3, 1},
        {1, 1, 1, 3, 1},
        {0, 1, 1, 1, 3},
        {std::nullopt, 1, std::nullopt, 1, 3},
        {1, std::nullopt, std::nullopt, 1, 3},
    };
    TableJobContext context;
    for (const CollationCase& item : cases) {
        auto group364 = Group(364, {{GSettingId::kCopies, 3}});
        auto group362 = Group(362, {{GSettingId::kDeviceCopies, 9}}); // overwritten
        auto group363 = Group(363, {});                               // gains 257
        auto group365 = Group(365, {});
        if (item.collate) group364->Add(new GValueAttribute(*item.collate, GSettingId::kCollate));
        if (item.deviceCollates)
            group365->Add(new GValueAttribute(*item.deviceCollates, GSettingId::kCollationInPrinter));
        if (item.massStorage)
            group365->Add(new GValueAttribute(*item.massStorage, GSettingId::kIgnoreApplicationCollation));

        context.ApplyCollation(group364.get(), group362.get(), group363.get(), group365.get());
        EXPECT_EQ(GSettingValues::Get(group362.get(), GSettingId::kCopies), uint16_t{3});
        EXPECT_EQ(GSettingValues::Get(group362.get(), GSettingId::kDeviceCopies), item.deviceCopies);
        EXPECT_EQ(GSettingValues::Get(group363.get(), GSettingId::kPageCopies), item.pageCopies);
        EXPECT_EQ(group362->GetCount(), 2u);
    }
}

TEST(GJobContextTest, CollationWithoutCopiesChangesNothing) {
    TableJobContext context;
    auto group364 = Group(364, {{GSettingId::kCollate, 1}});
    auto group362 = Group(362, {});
    auto group363 = Group(363, {});
    auto group365 = Group(365, {{GSettingId::kCollationInPrinter, 1}});
    context.ApplyCollation(group364.get(), group362.get(), group363.get(), group365.get());
    EXPECT_EQ(group362->GetCount(), 0u);
    EXPECT_EQ(group363->GetCount(), 0u);
}

TEST(GJobContextTest, StartsWithTheDefaultGreyFunction) {
    TableJobContext context;
    EXPECT_EQ(context.GetGrayFunction().Gray(0, 0, 0), 0);
    EXPECT_EQ(context.GetGrayFunction().Gray(255, 255, 255), 255);
    EXPECT_EQ(context.GetJobStatus(), 0u);
    EXPECT_EQ(context.GetPlugHolder().IsClaimed(), 0);

    const uint8_t weights[] = {8, 0, 0, 255}; // blue only
    context.SelectGrayConversion(GGrayConversion::kWeighted, weights, sizeof weights);
    EXPECT_EQ(context.GetGrayFunction().Gray(255, 255, 0), 0);
    const uint8_t shortTable[16] = {};
    context.SelectGrayConversion(GGrayConversion::kTable, shortTable, sizeof shortTable);
    EXPECT_EQ(context.GetGrayFunction().GetMode(), GGrayConversion::kDefault);
    EXPECT_EQ(context.GetGrayFunction().Gray(255, 255, 0), GGrayConversion::DefaultGray(255, 255, 0));
}

TEST(GJobContextTest, DeviceErrorAbortsTheJob) {
    FailingDevice device;
    TableJobContext context;
    context.device = &device;
    EXPECT_EQ(context.EmitCommand(GCountedPtr(new GPageEnd())), 0);
    EXPECT_EQ(context.GetJobStatus(), 0u);

    device.pageEndStatus = 0x55;
    EXPECT_EQ(context.EmitCommand(GCountedPtr(new GPageEnd())), 0x55);
    EXPECT_EQ(device.played, (std::vector<std::string>{"PageEnd", "PageEnd", "JobAbort"}));
    EXPECT_EQ(context.GetJobStatus(), GJobContext::kJobFailed);
}

TEST(GJobContextTest, PlugInAndClaimDecideWhatIsSent) {
    class Taker : public GPlugIn {
    public:
        void AttachNotice() override {}
        uint16_t Finish() override { return 9; }
        int32_t Call1(void*) override { return 0; }
        int32_t Call4(void*, void*, void*, void*) override { return 0; }
        int32_t Accepts(void*) override { return 1; }
    };
    FailingDevice device;
    TableJobContext context;
    context.device = &device;
    context.GetPlugHolder().Attach(std::make_unique<Taker>());
    EXPECT_EQ(context.EmitCommand(GCountedPtr(new GPageEnd())), 9);
    EXPECT_TRUE(device.played.empty());

    const GCountedPtr claimed(new GPageEnd());
    context.GetPlugHolder().Claim(static_cast<const GCommand*>(claimed.Get()));
    EXPECT_EQ(context.EmitCommand(claimed), 0);
    EXPECT_EQ(device.played, (std::vector<std::string>{"PageEnd"}));
    EXPECT_EQ(context.GetPlugHolder().IsClaimed(), 0);

    context.device = nullptr;
    context.GetPlugHolder().Attach(nullptr);
    EXPECT_EQ(context.EmitCommand(GCountedPtr(new GPageEnd())), GJobContext::kNoDevice);
}

} // namespace
