// The NT driver's configuration exchange: which sections an import moves in
// each mode, "RUVLastUpdate" = "ERROR" when the library is missing or the
// printer is stale, and the export's two sections.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/winnt40/NTDriverTestSupport.h"
#include "winnt40/GNTDMCSession.h"

namespace {

using namespace ntdrivertest;

// Records the exchange's calls in order and answers what the test sets.
class RecordingSession : public GNTDMCSession {
public:
    using GNTDMCSession::GNTDMCSession;

    bool libraryLoaded = true;
    uint32_t stale = 0, startConfig = 1, startExport = 1, discovered = 0;
    uint32_t physical = 1, printing = 1, exportPhysical = 1, exportPrinting = 1;
    std::vector<std::string> calls;

    uint32_t ImportPhysicalSection() override { return Note("physical", physical); }
    uint32_t ImportPrintingSection() override { return Note("printing", printing); }
    uint32_t ExportToConfiguration(const RWWString& section) override {
        const std::string name = section.ToMultiByte().Data();
        return Note("export " + name, name == "factory/physical" ? exportPhysical : exportPrinting);
    }
    uint32_t IsStale() override { return Note("stale", stale); }
    void SetPrinterName(const RWWString& name) override {
        calls.push_back("name " + std::string(name.ToMultiByte().Data()));
    }
    uint32_t IsPhysicalDiscovered() override { return Note("discovered", discovered); }
    bool IsLibraryLoaded() const override { return libraryLoaded; }
    uint32_t StartConfig() override { return Note("start", startConfig); }
    void EndConfig() override { calls.push_back("end"); }
    uint32_t StartExport(const RWWString& printer, uint32_t flags) override {
        return Note("start export " + std::string(printer.ToMultiByte().Data()) + " " + std::to_string(flags),
                    startExport);
    }
    void EndExport() override { calls.push_back("end export"); }
    void WriteLastUpdate(uint32_t success) override {
        calls.push_back("last update " + std::to_string(success));
    }

private:
    uint32_t Note(const std::string& call, uint32_t answer) {
        calls.push_back(call);
        return answer;
    }
};

class GNTDMCSessionTest : public NTDriverTest {
protected:
    std::optional<std::u16string> LastUpdate() {
        const auto value = PrinterData(u"RUVLastUpdate");
        if (!value) return std::nullopt;
        std::u16string text;
        for (size_t i = 0; i + 1 < value->data.size(); i += 2)
            text.push_back(static_cast<char16_t>(value->data[i] | value->data[i + 1] << 8));
        while (!text.empty() && text.back() == u'\0')
            text.pop_back();
        return text;
    }

    void SetUp() override {
        NTDriverTest::SetUp(); // the printer exists from here on
        printer_ = Open(kPrinter, PRINTER_ALL_ACCESS);
        driver_ = std::make_unique<TestDriver>(printer_.Get());
        session_ = std::make_unique<RecordingSession>(&settings_, driver_.get());
    }

    WinScopedPrinter printer_;
    std::unique_ptr<TestDriver> driver_;
    GAttributeComposite settings_;
    std::unique_ptr<RecordingSession> session_;
};

TEST_F(GNTDMCSessionTest, ImportModesMoveTheirSections) {
    struct Case {
        uint32_t mode, discovered, physical;
        std::vector<std::string> sections;
        uint32_t result;
    };
    const std::vector<Case> cases = {
        {0, 0, 1, {"physical", "printing"}, 1},
        {0, 0, 0, {"physical"}, 0}, // a physical section that cannot be read skips printing
        {0, 1, 1, {"printing"}, 1}, // discovered by the agent: printing only, 1 whatever it gives
        {2, 0, 1, {"printing"}, 1}, // NT 5 and later
        {1, 0, 1, {}, 0},           // other modes import nothing
    };
    for (const Case& c : cases) {
        RecordingSession session(&settings_, driver_.get());
        session.discovered = c.discovered;
        session.physical = c.physical;
        if (c.discovered == 1) session.printing = 0;
        EXPECT_EQ(session.Import(u"P1", c.mode), c.result) << c.mode;
        std::vector<std::string> sections;
        for (const std::string& call : session.calls)
            if (call == "physical" || call == "printing") sections.push_back(call);
        EXPECT_EQ(sections, c.sections) << c.mode;
        EXPECT_EQ(session.calls.front(), "name P1");
        EXPECT_EQ(session.calls[session.calls.size() - 2], "last update " + std::to_string(c.result));
        EXPECT_EQ(session.calls.back(), "end");
    }
    EXPECT_FALSE(LastUpdate().has_value());
}

TEST_F(GNTDMCSessionTest, AMissingLibraryOrAStalePrinterIsRecordedAsError) {
    session_->libraryLoaded = false;
    EXPECT_EQ(session_->Import(kPrinter, 0), 0u);
    EXPECT_TRUE(session_->calls.empty());
    EXPECT_EQ(LastUpdate(), u"ERROR");

    ASSERT_EQ(GOSFactory::Instance()->DeletePrinterDataValue(driver_.get(), u"RUVLastUpdate"), 1);
    RecordingSession stale(&settings_, driver_.get());
    stale.stale = 1;
    EXPECT_EQ(stale.Import(kPrinter, 0), 0u);
    EXPECT_EQ(stale.calls.back(), "stale");
    EXPECT_EQ(LastUpdate(), u"ERROR");
}

TEST_F(GNTDMCSessionTest, AConfigurationThatDoesNotOpenEndsWithNothingWritten) {
    session_->startConfig = 0;
    EXPECT_EQ(session_->Import(kPrinter, 0), 0u);
    EXPECT_EQ(session_->calls.back(), "start");
    EXPECT_FALSE(LastUpdate().has_value());
}

TEST_F(GNTDMCSessionTest, ExportWritesPhysicalThenPrinting) {
    EXPECT_EQ(session_->Export(u"P1"), 1u);
    EXPECT_EQ(session_->calls, (std::vector<std::string>{"start export P1 1", "export factory/physical",
                                                         "export factory/printing", "end export"}));
    RecordingSession failing(&settings_, driver_.get());
    failing.exportPhysical = 0;
    EXPECT_EQ(failing.Export(u"P1"), 0u);
    EXPECT_EQ(failing.calls,
              (std::vector<std::string>{"start export P1 1", "export factory/physical", "end export"}));
    RecordingSession closed(&settings_, driver_.get());
    closed.startExport = 0;
    EXPECT_EQ(closed.Export(u"P1"), 0u);
    EXPECT_EQ(closed.calls, (std::vector<std::string>{"start export P1 1"}));
}

} // namespace
