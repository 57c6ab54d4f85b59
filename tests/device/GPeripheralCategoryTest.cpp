// The device operations by category, for the operations whose argument
// classes live above the device interface and exist: the job commands, media
// and tray, and the job-control stage (tests/pipeline/ has the rest that
// exist). The base's own work on the state word and an owned channel still
// happens beside the category.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "device/GPJL.h"
#include "job/GDocumentEnd.h"
#include "job/GDocumentStart.h"
#include "job/GDownloadHeaderCommand.h"
#include "job/GJobAbort.h"
#include "job/GPageEnd.h"
#include "job/GPageStart.h"
#include "job/GPassThroughCommand.h"
#include "paper/GMedia.h"
#include "paper/GTray.h"
#include "pipeline/GPeripheral.h"
#include "tests/device/JobTestSupport.h"
#include "tests/pipeline/DeviceCategoryTests.h"

using namespace categorytest;

namespace {

const uint8_t kBytes[] = {1, 2, 3};

std::vector<OperationCase> Cases() {
    return {
        Case<&GPeripheral::OnDocumentStart>(
            "OnDocumentStart", Category::Command,
            [] { return std::make_unique<GDocumentStart>(u"doc", u"file:out", nullptr, 0); }),
        Case<&GPeripheral::OnDocumentEnd>("OnDocumentEnd", Category::Command,
                                          [] { return std::make_unique<GDocumentEnd>(); }),
        Case<&GPeripheral::OnPageStart>("OnPageStart", Category::Command,
                                        [] { return std::make_unique<GPageStart>(); }),
        Case<&GPeripheral::OnPageEnd>("OnPageEnd", Category::Command,
                                      [] { return std::make_unique<GPageEnd>(); }),
        Case<&GPeripheral::OnJobAbort>("OnJobAbort", Category::Command,
                                       [] { return std::make_unique<GJobAbort>(); }),
        Case<&GPeripheral::OnPassThroughCommand>(
            "OnPassThroughCommand", Category::Command,
            [] { return std::make_unique<GPassThroughCommand>(kBytes, 3, 767); }),
        Case<&GPeripheral::OnDownloadHeaderCommand>(
            "OnDownloadHeaderCommand", Category::Command,
            [] { return std::make_unique<GDownloadHeaderCommand>(2, 0); }),
        // The one OverridingDevice takes itself here.
        Case<&GPeripheral::OnMedia>("OnMedia", Category::RenderState,
                                    [] { return std::make_unique<GMedia>(); }),
        Case<&GPeripheral::OnTray>("OnTray", Category::RenderState,
                                   [] { return std::make_unique<GTray>("Tray 1", 1); }),
        Case<&GPeripheral::TakePjlStage>("TakePjlStage", Category::StageOffer,
                                         [] { return std::make_unique<GPJL>(); }),
    };
}

const OperationCase& Find(const std::vector<OperationCase>& cases, const std::string& operation) {
    for (const OperationCase& c : cases)
        if (c.operation == operation) return c;
    throw std::out_of_range(operation);
}

} // namespace

INSTANTIATE_TEST_SUITE_P(JobPaperAndStage, DeviceCategoryTest, testing::ValuesIn(Cases()), OperationName);

TEST(GPeripheralCategoryTest, TheJobCommandsStillMoveTheStateWord) {
    struct WordCase {
        const char* operation;
        uint32_t before;
        uint32_t after;
    };
    const WordCase words[] = {
        {"OnDocumentStart", GPeripheral::kIdle, GPeripheral::kInDocument},
        {"OnPageStart", GPeripheral::kInDocument, GPeripheral::kInPage},
        {"OnPageEnd", GPeripheral::kInPage, GPeripheral::kInDocument},
        {"OnDocumentEnd", GPeripheral::kInDocument, GPeripheral::kIdle},
        {"OnJobAbort", GPeripheral::kInPage, GPeripheral::kIdle},
    };
    const std::vector<OperationCase> cases = Cases();
    for (const WordCase& w : words) {
        SCOPED_TRACE(w.operation);
        CategoryDevice device;
        if (w.before == GPeripheral::kInDocument) device.SetInDocument();
        if (w.before == GPeripheral::kInPage) device.SetInPage();
        Find(cases, w.operation).play(device, device);
        EXPECT_EQ(device.GetStateWord(), w.after);
        EXPECT_EQ(device.arrivals.size(), 1u);
    }
}

TEST(GPeripheralCategoryTest, AnAbortAnswersAFailedOwnedChannelElseItsCategory) {
    struct AbortCase {
        uint16_t channelStatus;
        bool owned;
        uint16_t expected;
    };
    const uint16_t category = CategoryDevice::StatusOf(Category::Command);
    const AbortCase aborts[] = {{77, true, 77}, {0, true, category}, {77, false, category}};
    for (const AbortCase& a : aborts) {
        SCOPED_TRACE(testing::Message() << a.channelStatus << (a.owned ? " owned" : " carried"));
        CategoryDevice device;
        auto channel = std::make_shared<jobtest::MemoryChannel>();
        channel->abortStatus = a.channelStatus;
        device.SetChannel(channel, a.owned ? 1 : 0);
        GJobAbort abort;
        EXPECT_EQ(device.OnJobAbort(abort), a.expected);
        ASSERT_EQ(device.arrivals.size(), 1u); // the category sees the abort even when the channel failed
        EXPECT_EQ(device.arrivals[0].operand.As<GJobAbort>(), &abort);
        EXPECT_EQ(channel->events, a.owned ? std::vector<std::string>{"Abort"} : std::vector<std::string>{});
    }
}
