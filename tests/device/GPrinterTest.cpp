// The printer: routing to the job-control stage and the writer, the add-on
// order, the output channel (carried, or opened through the provider
// registry and owned), missing stages, writer replacement and the shared
// states, and a printer with children and listeners saved and restored.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "device/GPrinter.h"
#include "job/GDocumentEnd.h"
#include "job/GDocumentStart.h"
#include "job/GJobAbort.h"
#include "job/GPageEnd.h"
#include "job/GPageStart.h"
#include "job/GPassThroughCommand.h"
#include "model/GSettingIds.h"
#include "model/GStringAttribute.h"
#include "model/GValueAttribute.h"
#include "model/MPersistentComposite.h"
#include "pipeline/GErrorCommand.h"
#include "rw/RWFactory.h"
#include "tests/device/JobTestSupport.h"
#include "tests/paper/PaperBytes.h"

using namespace jobtest;
using leaftest::Carrier;

namespace {

class GPrinterTest : public ::testing::Test {
protected:
    void SetUp() override {
        static const bool registered =
            (RWAddToFactory(&TestStage::Create, TestStage::kClassId, "TestStage"), true);
        (void)registered;
        printer_ = GCountedPtr(new GPrinter(u"printer", nullptr, nullptr, 0));
        pjl_ = new TestStage("pjl", &log_, GSettingId::kJobControlStage, false);
        writer_ = new TestStage("writer", &log_, GSettingId::kWriterStage, true);
        Printer().Add(pjl_);
        Printer().Add(writer_);
    }

    GPrinter& Printer() { return *printer_.As<GPrinter>(); }
    GCountedPtr Play(MPersistentObject* command) { return Printer().Process(GCountedPtr(command)); }
    static GDocumentStart* Start() { return new GDocumentStart(u"Report", u"file:out", nullptr, 0); }

    CallLog log_;
    GCountedPtr printer_;
    TestStage* pjl_ = nullptr;
    TestStage* writer_ = nullptr;
    TestChannelProvider provider_;
};

} // namespace

TEST_F(GPrinterTest, FindsItsStagesAndNamesTheWritersLanguage) {
    EXPECT_EQ(Printer().GetJobControlStage(), pjl_);
    EXPECT_EQ(Printer().GetWriter(), writer_);
    auto* language = dynamic_cast<GStringAttribute*>(writer_->GetCurrentState()->FindById(373));
    ASSERT_NE(language, nullptr);
    EXPECT_EQ(language->GetValue(), RWCString("writer"));
    EXPECT_EQ(Printer().IsModeOne(), 0);
    EXPECT_TRUE(Printer().IsKindOf(761) && Printer().IsKindOf(770) && Printer().IsKindOf(760));
}

TEST_F(GPrinterTest, AGraphicCommandReachesOnlyTheWriter) {
    provider_.channel = std::make_shared<MemoryChannel>();
    Play(Start());
    log_.clear();
    const uint8_t bytes[] = {1, 2};
    GCountedPtr command(new GPassThroughCommand(bytes, 2, 767));
    EXPECT_EQ(Printer().Process(command).Get(), command.Get());
    EXPECT_EQ(log_, std::vector<std::string>{"writer:OnPassThroughCommand"});
    Play(new FlushCommand());
    EXPECT_EQ(log_.back(), "writer:OnFlush");
}

TEST_F(GPrinterTest, AddOnsAreRebuiltJobControlFirstAndRemovedWriterFirst) {
    provider_.channel = std::make_shared<MemoryChannel>();
    Play(Start());
    EXPECT_EQ(log_, (std::vector<std::string>{"pjl:RebuildAddOns", "writer:RebuildAddOns",
                                              "pjl:OnDocumentStart", "writer:OnDocumentStart"}));
    log_.clear();
    Play(new GPageStart());
    Play(new GPageEnd());
    EXPECT_EQ(log_, (std::vector<std::string>{"writer:OnPageStart", "writer:OnPageEnd", "pjl:OnPageEnd"}));
    log_.clear();
    Play(new GDocumentEnd());
    EXPECT_EQ(log_, (std::vector<std::string>{"writer:OnDocumentEnd", "pjl:OnDocumentEnd",
                                              "writer:RemoveAddOns", "pjl:RemoveAddOns"}));
    log_.clear();
    Play(Start());
    log_.clear();
    Play(new GJobAbort());
    EXPECT_EQ(log_, (std::vector<std::string>{"writer:OnJobAbort", "pjl:OnJobAbort", "writer:RemoveAddOns",
                                              "pjl:RemoveAddOns"}));
}

TEST_F(GPrinterTest, ACarriedChannelIsUsedButNeverClosedByThePrinter) {
    auto channel = std::make_shared<MemoryChannel>();
    GDocumentStart* start = Start();
    start->SetChannel(channel);
    Play(start);
    EXPECT_EQ(Printer().GetChannel(), channel);
    EXPECT_EQ(Printer().OwnsChannel(), 0u);
    EXPECT_EQ(provider_.calls, 0);
    Play(new GPageEnd());
    Play(new GDocumentEnd());
    EXPECT_EQ(channel->events, std::vector<std::string>{"EndPage"});

    GDocumentStart* again = Start();
    again->SetChannel(channel);
    Play(again);
    Play(new GJobAbort());
    EXPECT_EQ(channel->events, std::vector<std::string>{"EndPage"});
    EXPECT_EQ(channel.use_count(), 1); // nobody else holds it
}

TEST_F(GPrinterTest, AChannelFromTheRegistryIsOwnedStartedStoredAndClosed) {
    TestJobContext job(3);
    auto channel = std::make_shared<MemoryChannel>();
    provider_.channel = channel;
    GCountedPtr start(new GDocumentStart(u"Report", u"file:out", &job, 0));

    EXPECT_EQ(Printer().Process(start).Get(), start.Get());

    EXPECT_EQ(provider_.askedContext, &job);
    EXPECT_EQ(provider_.askedDestination, RWWString(u"file:out"));
    EXPECT_EQ(Printer().OwnsChannel(), 1u);
    EXPECT_EQ(start.As<GDocumentStart>()->GetChannel(), channel);
    EXPECT_EQ(channel->document, RWWString(u"Report"));
    EXPECT_EQ(Printer().IsInDocument(), 1);
    channel->closeStatus = 12;
    GCountedPtr answer = Play(new GDocumentEnd());
    EXPECT_EQ(channel->events, (std::vector<std::string>{"Open", "Close"}));
    ASSERT_NE(answer.As<GErrorCommand>(), nullptr); // the close's status
    EXPECT_EQ(answer.As<GErrorCommand>()->GetErrorCode(), 12);
    EXPECT_EQ(Printer().GetChannel(), nullptr);

    auto second = std::make_shared<MemoryChannel>();
    provider_.channel = second;
    Play(Start());
    Play(new GJobAbort());
    EXPECT_EQ(second->events, (std::vector<std::string>{"Open", "Abort"}));
}

TEST_F(GPrinterTest, NoOpenChannelAnswers601AndTheDocumentDoesNotStart) {
    struct Case {
        const char* name;
        std::shared_ptr<MemoryChannel> channel;
    };
    const Case cases[] = {{"none made", nullptr}, {"not open", std::make_shared<MemoryChannel>(false)}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        provider_.channel = c.channel;
        log_.clear();
        GCountedPtr start(Start());
        GCountedPtr answer = Printer().Process(start);
        auto* error = answer.As<GErrorCommand>();
        ASSERT_NE(error, nullptr);
        EXPECT_EQ(error->GetErrorCode(), 0x259);
        EXPECT_EQ(error->GetObject(), start.Get());
        EXPECT_EQ(start.As<GDocumentStart>()->GetChannel(), nullptr);
        EXPECT_EQ(Printer().IsInDocument(), 0);
        if (c.channel != nullptr) {
            EXPECT_TRUE(c.channel->events.empty());
        }
        // The stages are handed the error command and play nothing.
        EXPECT_EQ(log_, (std::vector<std::string>{"pjl:RebuildAddOns", "writer:RebuildAddOns"}));
    }
}

TEST_F(GPrinterTest, AMissingJobControlStageIsSkippedAndAMissingWriterRefusesTheJob) {
    provider_.channel = std::make_shared<MemoryChannel>();
    Printer().Remove(pjl_);
    EXPECT_EQ(Printer().GetJobControlStage(), nullptr);
    EXPECT_EQ(Play(Start())->IsA(), GDocumentStart::kClassId);
    Play(new GPageEnd());
    Play(new GDocumentEnd());
    EXPECT_EQ(log_,
              (std::vector<std::string>{"writer:RebuildAddOns", "writer:OnDocumentStart", "writer:OnPageEnd",
                                        "writer:OnDocumentEnd", "writer:RemoveAddOns"}));

    Printer().RemoveById(GSettingId::kWriterStage);
    EXPECT_EQ(Printer().GetWriter(), nullptr);
    for (MPersistentObject* command : std::initializer_list<MPersistentObject*>{Start(), new GPageStart()}) {
        GCountedPtr answer = Play(command);
        ASSERT_NE(answer.As<GErrorCommand>(), nullptr);
        EXPECT_EQ(answer.As<GErrorCommand>()->GetErrorCode(), GPrinter::kNoWriter);
    }
    // Without stages, ending still works.
    EXPECT_EQ(Play(new GDocumentEnd())->IsA(), GDocumentEnd::kClassId);
}

TEST_F(GPrinterTest, AHandedWriterReplacesTheWriterByACopy) {
    TestStage other("other", &log_, GSettingId::kWriterStage, true);
    EXPECT_EQ(Printer().ReplaceWriter(other), 0);
    int writers = 0;
    for (GPeripheral* child : Printer().GetAllChildren())
        writers += child->GetId() == GSettingId::kWriterStage ? 1 : 0;
    EXPECT_EQ(writers, 1);
    GPeripheral* writer = Printer().GetWriter();
    ASSERT_NE(writer, nullptr);
    EXPECT_NE(writer, &other);
    EXPECT_NE(writer, writer_);
    RWWString name;
    writer->GetName(name);
    EXPECT_EQ(name, RWWString(u"other"));
    auto* language = dynamic_cast<GStringAttribute*>(writer->GetCurrentState()->FindById(373));
    ASSERT_NE(language, nullptr);
    EXPECT_EQ(language->GetValue(), RWCString("other"));
}

TEST_F(GPrinterTest, TheWholeChainSharesOneCurrentAndOneDefaultState) {
    pjl_->GetOwnCurrentState()->Add(new GValueAttribute(2, 500));
    Printer().NotifyListeners(&Printer());
    GState* current = Printer().GetCurrentState();
    EXPECT_EQ(pjl_->GetCurrentState(), current);
    EXPECT_EQ(writer_->GetCurrentState(), current);
    EXPECT_EQ(writer_->GetDefaultState(), Printer().GetDefaultState());
    EXPECT_NE(current->FindById(500), nullptr);
    EXPECT_NE(current->FindById(373), nullptr);
}

TEST_F(GPrinterTest, APrinterWithChildrenAndListenersKeepsListenerIdentityAfterARestore) {
    for (Carrier carrier : leaftest::kCarriers) {
        SCOPED_TRACE(leaftest::CarrierName(carrier));
        const std::string bytes = papertest::Save(Printer(), carrier);
        GCountedPtr restored(papertest::Restore(bytes, carrier).release());
        auto* printer = restored.As<GPrinter>();
        ASSERT_NE(printer, nullptr);
        ASSERT_NE(printer->GetJobControlStage(), nullptr);
        ASSERT_NE(printer->GetWriter(), nullptr);
        for (GPeripheral* child : printer->GetAllChildren()) {
            ASSERT_EQ(child->GetListenerCount(), 1u);
            EXPECT_EQ(child->GetListener(0), printer);
            EXPECT_EQ(child->GetCurrentState(), printer->GetCurrentState());
        }
        EXPECT_NE(printer->GetCurrentState()->FindById(373), nullptr);
        EXPECT_EQ(printer->GetMode(), 2u);
        if (carrier == Carrier::File) {
            EXPECT_EQ(Printer().RecursiveStoreSize(), bytes.size());
        }
        if (carrier == Carrier::Raw || carrier == Carrier::File) {
            EXPECT_EQ(papertest::Save(*printer, carrier), bytes);
        }
        // The restored printer plays: its stages are its own.
        provider_.channel = std::make_shared<MemoryChannel>();
        log_.clear();
        EXPECT_EQ(printer->Process(GCountedPtr(Start()))->IsA(), GDocumentStart::kClassId);
        EXPECT_EQ(printer->IsInDocument(), 1);
    }
}

TEST_F(GPrinterTest, ADocumentEndWithoutAStateStillReachesTheStages) {
    provider_.channel = std::make_shared<MemoryChannel>();
    Play(Start());
    log_.clear();
    GCountedPtr end(new GDocumentEnd());
    end.As<GDocumentEnd>()->DetachState();
    Printer().Process(end);
    EXPECT_EQ(log_, (std::vector<std::string>{"writer:OnDocumentEnd", "pjl:OnDocumentEnd",
                                              "writer:RemoveAddOns", "pjl:RemoveAddOns"}));
    EXPECT_EQ(Printer().IsInDocument(), 0);
}
