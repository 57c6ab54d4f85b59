#include "device/GPJL.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "driver/GDateTime.h"
#include "driver/GOSFactory.h"
#include "job/GDocumentEnd.h"
#include "job/GDocumentStart.h"
#include "job/GJobContext.h"
#include "model/GAttributeComposite.h"
#include "model/GState.h"
#include "model/GStringAttribute.h"
#include "model/GValueAttribute.h"
#include "paper/GMedia.h"
#include "pipeline/GErrorCommand.h"
#include "pipeline/GOutputChannel.h"
#include "tests/paper/PaperBytes.h"
#include "winnt40/GNT40OSFactory.h"

namespace {

const std::string kUel = "\x1b%-12345X";

// Counts every write and keeps the bytes.
class RecordingChannel : public GOutputChannel {
public:
    uint16_t Open(const RWWString&) override { return 0; }
    int IsOpen() const override { return 1; }
    uint16_t Write(const void* data, size_t length) override {
        writes.emplace_back(static_cast<const char*>(data), length);
        return writeStatus;
    }
    uint16_t EndPage() override { return 0; }
    uint16_t Close() override { return 0; }
    uint16_t Abort() override { return 0; }

    std::vector<std::string> writes;
    uint16_t writeStatus = 0;
};

// The platform at 2004-05-06 07:08:09, Windows 2000 5.0 build 2195.
class FixedClockFactory : public GNT40OSFactory {
public:
    int GetDateTime(GDateTime* local, GDateTime* shifted, int16_t* offset) override {
        const GDateTime time{2004, 5, 6, 7, 8, 9, 0, 4};
        if (local != nullptr) *local = time;
        if (shifted != nullptr) *shifted = time;
        if (offset != nullptr) *offset = zone;
        return 1;
    }
    GOSVersionInfo GetOSVersion() override { return GOSVersionInfo(13, 0x00050000, 2195); }
    int16_t zone = 0;
};

class TestJob : public GJobContext {
public:
    uint32_t GetJobKey() const override { return 1; }
    void GetSecondName(RWWString& name) const override { name = RWWString(secondName.c_str()); }
    MPersistentObject* GetPrinterConfiguration() override { return &configuration; }
    uint32_t GetDefaultPaperId() override { return 1; }

    std::u16string secondName = u"LPT1:";
    GAttributeComposite configuration{198};

protected:
    GPeripheral* GetConfigurationTree() override { return nullptr; }
};

// Every line is "@PJL ..." + CR LF (after any UEL), has balanced quotes, and
// no CR or LF stands anywhere but at a line end. Raw lines of the
// administrator are named in allowed.
void ExpectWellFormedPjl(const std::string& text, const std::vector<std::string>& allowed = {}) {
    std::string rest = text;
    while (!rest.empty()) {
        while (rest.rfind(kUel, 0) == 0)
            rest.erase(0, kUel.size());
        if (rest.empty()) break;
        const size_t end = rest.find("\r\n");
        ASSERT_NE(end, std::string::npos) << "line without CR LF: " << rest;
        const std::string line = rest.substr(0, end);
        rest.erase(0, end + 2);
        EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << line;
        if (std::find(allowed.begin(), allowed.end(), line) != allowed.end()) continue;
        EXPECT_EQ(line.rfind("@PJL ", 0), 0u) << line;
        EXPECT_EQ(std::count(line.begin(), line.end(), '"') % 2, 0) << line;
    }
}

std::string ReadGolden(const std::string& name) {
    const std::filesystem::path path =
        std::filesystem::path(QV_SOURCE_DIR) / "tests" / "device" / "golden" / name;
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in.good()) << path;
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::string Line(const std::string& text) {
    return "@PJL SET " + text + "\r\n";
}

class GPJLTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto factory = std::make_unique<FixedClockFactory>();
        factory_ = factory.get();
        GOSFactory::Install(std::move(factory));
        pjl_.GetCurrentState()->Add(new GStringAttribute("PCLXL", 373));
        channel_ = std::make_shared<RecordingChannel>();
    }
    void TearDown() override { GOSFactory::Install(nullptr); }

    GAttributeComposite& Group() { return *pjl_.FindAttribute(246); }
    void Value(uint32_t id, uint16_t value) { Group().Add(new GValueAttribute(value, id)); }
    void Text(uint32_t id, const char* text) { Group().Add(new GStringAttribute(text, id)); }

    GCountedPtr Start(const char16_t* name = u"report") {
        auto* start = new GDocumentStart(name, u"LPT1:", &job_, 0);
        start->SetChannel(channel_);
        return pjl_.Process(GCountedPtr(start));
    }
    GCountedPtr End() { return pjl_.Process(GCountedPtr(new GDocumentEnd(u"report", u"LPT1:", 0))); }

    void FillFull() {
        Text(956, "Model 9000");
        Text(1008, "Dept A");
        Text(975, "alice");
        Text(800, "Hello");
        Value(801, 1);
        Value(247, 3);
        Text(240, "@PJL SET RAWADMIN=1\r\n");
        Value(250, 2);
        job_.configuration.Add(new GValueAttribute(1, 204));
        Value(253, 1);
        Value(1128, 1);
        Value(1021, 1);
        Value(901, 1);
        Text(596, "@DATE=#D.#MO.#Y@STAMP=#Y#MO#D#H#MN#S#G");
        Value(703, 0);
        Value(252, 1);
        Value(1009, 1);
        Value(1030, 1);
        Value(296, 1);
        Value(248, 11);
        Value(251, 1);
        Value(287, 1);
        Text(440, "bob");
        Text(282, "job1");
        Value(442, 1);
        auto* raw = new GAttributeComposite(985);
        raw->Add(new GStringAttribute("@PJL SET ADMIN2=ON", 0));
        Group().Add(raw);
    }

    // The minimal header with lines put in before its RESOLUTION line.
    static std::string MinimalWith(const std::string& lines) {
        std::string header = ReadGolden("minimal-header.pjl");
        header.insert(header.find("@PJL SET RESOLUTION"), lines);
        return header;
    }

    FixedClockFactory* factory_ = nullptr;
    TestJob job_;
    GPJL pjl_{106};
    std::shared_ptr<RecordingChannel> channel_;
};

TEST_F(GPJLTest, MinimalHeaderAndTrailerAreOneWriteEach) {
    EXPECT_EQ(Start()->IsA(), GDocumentStart::kClassId);
    ASSERT_EQ(channel_->writes.size(), 1u);
    EXPECT_EQ(channel_->writes[0], ReadGolden("minimal-header.pjl"));
    EXPECT_EQ(End()->IsA(), GDocumentEnd::kClassId);
    ASSERT_EQ(channel_->writes.size(), 2u);
    EXPECT_EQ(channel_->writes[1], ReadGolden("minimal-trailer.pjl"));
    for (const std::string& write : channel_->writes)
        ExpectWellFormedPjl(write);
}

TEST_F(GPJLTest, FullHeaderAtEachZoneOffset) {
    FillFull();
    const struct {
        int16_t zone;
        const char* file;
    } cases[] = {
        {-90, "full-header-m0130.pjl"}, {0, "full-header-m0000.pjl"}, {330, "full-header-p0530.pjl"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        factory_->zone = c.zone;
        channel_->writes.clear();
        Start();
        End();
        ASSERT_EQ(channel_->writes.size(), 2u);
        EXPECT_EQ(channel_->writes[0], ReadGolden(c.file));
        EXPECT_EQ(channel_->writes[1], ReadGolden("full-trailer.pjl"));
        ExpectWellFormedPjl(channel_->writes[0], {"@PJL SET RAWADMIN=1"});
        ExpectWellFormedPjl(channel_->writes[1]);
    }
}

TEST_F(GPJLTest, SettingZeroOf579WritesNothing) {
    FillFull();
    Value(579, 0);
    EXPECT_EQ(Start()->IsA(), GDocumentStart::kClassId);
    EXPECT_EQ(End()->IsA(), GDocumentEnd::kClassId);
    EXPECT_TRUE(channel_->writes.empty());
}

TEST_F(GPJLTest, JobStorageModes) {
    const std::string names = Line("USERNAME=\"bob\"") + Line("JOBNAME=\"job1\"");
    const std::string key = Line("HOLDTYPE=PRIVATE") + Line("HOLDKEY=\"1234\"");
    const struct {
        uint16_t mode;
        std::string lines;
    } cases[] = {
        {0, Line("HOLD=OFF")},
        {1, Line("HOLD=ON") + Line("HOLDTYPE=PUBLIC") + names},
        {2, Line("HOLD=PROOF") + names},
        {3, Line("HOLD=STORE") + key + names},
        {4, Line("HOLD=ON") + key + names},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        Group().RemoveById(287);
        Value(287, c.mode);
        if (Group().FindById(290) == nullptr) {
            Value(290, 1);
            Text(284, "1234");
            Text(440, "bob");
            Text(282, "job1");
        }
        channel_->writes.clear();
        Start();
        ASSERT_EQ(channel_->writes.size(), 1u);
        EXPECT_EQ(channel_->writes[0], MinimalWith(c.lines));
        ExpectWellFormedPjl(channel_->writes[0]);
    }
}

TEST_F(GPJLTest, OutputBins) {
    const std::string boundary = Line("PROCESSINGBOUNDARY=MOPY");
    const std::string bin1 = Line("OUTBIN=OPTIONALOUTBIN1");
    const std::string bin2 = Line("OUTBIN=OPTIONALOUTBIN2");
    const struct {
        uint16_t bin;
        std::string lines;
    } cases[] = {
        {3, bin2 + boundary},
        {9, bin1 + boundary},
        {10, bin2 + boundary},
        {11, bin1 + Line("PROCESSINGTYPE=\"FACE_UP\"") + Line("PROCESSINGOPTION=\"FACE_UP\"") + boundary},
        {12, bin1 + Line("PROCESSINGTYPE=\"FACE_DOWN\"") + Line("PROCESSINGOPTION=\"FACE_DOWN\"") + boundary},
        {13, bin1 + Line("PROCESSINGTYPE=\"STAPLING\"") + Line("PROCESSINGOPTION=\"NONE\"") + boundary},
        {14, bin1 + Line("PROCESSINGTYPE=\"STAPLING\"") + Line("PROCESSINGOPTION=\"ONE_STAPLE\"") + boundary},
        {15, bin1 + Line("PROCESSINGTYPE=\"NONE\"")},
        {20, Line("OUTBIN=OPTIONALOUTBIN6")},
    };
    Value(1127, 1);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bin);
        Group().RemoveById(248);
        Value(248, c.bin);
        channel_->writes.clear();
        Start();
        ASSERT_EQ(channel_->writes.size(), 1u);
        EXPECT_EQ(channel_->writes[0], MinimalWith(c.lines));
    }
}

TEST_F(GPJLTest, FinishingOnBinElevenWithBookletAndStaples) {
    std::string text;
    Value(982, 1);
    Value(278, 1);
    Value(289, 3);
    pjl_.WriteOutputBinA(11, text);
    EXPECT_EQ(text, Line("OUTBIN=OPTIONALOUTBIN1") + Line("PROCESSINGTYPE=\"FACE_UP\"") +
                        Line("PROCESSINGOPTION=\"FACE_UP\"") + Line("PROCESSINGTYPE=\"BOOKLET_MAKER\"") +
                        Line("PROCESSINGOPTION=\"BOOKLET_MAKER\"") + Line("PROCESSINGTYPE=\"STAPLING\"") +
                        Line("PROCESSINGOPTION=\"TWO_STAPLES\"") + Line("PROCESSINGBOUNDARY=MOPY"));
    // Kind 6 has no option line; booklet 2 is reset to 0.
    Group().RemoveById(289);
    Group().RemoveById(982);
    Value(289, 6);
    Value(982, 2);
    text.clear();
    pjl_.WriteOutputBinA(9, text);
    EXPECT_EQ(text, Line("OUTBIN=OPTIONALOUTBIN1") + Line("PROCESSINGTYPE=\"STAPLING\"") +
                        Line("PROCESSINGBOUNDARY=MOPY"));
    EXPECT_EQ(GPJL::FindValue(&Group(), 982)->GetValue(), 0);
    // A bin without a word writes no OUTBIN line.
    text.clear();
    pjl_.WriteOutputBinA(14, text);
    EXPECT_EQ(text.find("OUTBIN"), std::string::npos);
}

TEST_F(GPJLTest, UserTextsNeverBreakALine) {
    const char* hostile = "x\"\r\n@PJL SET EVIL=1";
    Text(956, hostile);
    Text(1007, hostile);
    Text(1008, hostile);
    Text(975, hostile);
    Text(800, hostile);
    Value(287, 4);
    Text(440, hostile);
    Text(282, hostile);
    Text(284, hostile);
    Start(u"a\"b\r\nc");
    End();
    ASSERT_EQ(channel_->writes.size(), 2u);
    for (const std::string& write : channel_->writes) {
        ExpectWellFormedPjl(write);
        EXPECT_EQ(write.find("EVIL"), std::string::npos);
    }
    EXPECT_NE(channel_->writes[0].find("@PJL JOB NAME=\"\"\r\n"), std::string::npos);
    EXPECT_NE(channel_->writes[0].find("USERNAME=\"?\""), std::string::npos);
    EXPECT_NE(channel_->writes[0].find("HOLDKEY=\"\""), std::string::npos);
    EXPECT_NE(channel_->writes[1].find("@PJL EOJ NAME=\"\"\r\n"), std::string::npos);
}

TEST_F(GPJLTest, SecondHeaderHasNoManualDuplexOneShot) {
    job_.configuration.Add(new GValueAttribute(1, 245));
    job_.configuration.Add(new GValueAttribute(1, 1010));
    Value(253, 0);
    Value(1123, 1);
    Start();
    Start();
    ASSERT_EQ(channel_->writes.size(), 2u);
    EXPECT_NE(channel_->writes[0].find(Line("MANUALDUPLEX=ON")), std::string::npos);
    EXPECT_EQ(channel_->writes[1].find("MANUALDUPLEX"), std::string::npos);
    // Duplex unit 0: DUPLEX=OFF without BINDING.
    for (const std::string& write : channel_->writes) {
        EXPECT_NE(write.find(Line("DUPLEX=OFF")), std::string::npos);
        EXPECT_EQ(write.find("BINDING"), std::string::npos);
        ExpectWellFormedPjl(write);
    }
}

TEST_F(GPJLTest, ManualDuplexSkipsCustomPaperOnlyWithTheUnit) {
    GAttributeComposite configuration(198);
    configuration.Add(new GValueAttribute(1, 245));
    configuration.Add(new GAttributeComposite(188));
    Value(253, 1);
    auto* media = new GMedia();
    media->SetPaperId(16384);
    media->SetId(259);
    Group().Add(media);
    std::string text;
    EXPECT_EQ(pjl_.WriteManualDuplex(text, Group(), &configuration, 1), 0u);
    EXPECT_EQ(text, "");
    EXPECT_EQ(pjl_.WriteManualDuplex(text, Group(), &configuration, 0), 1u);
    EXPECT_EQ(text, Line("MANUALDUPLEX=ON"));
}

TEST_F(GPJLTest, ExtensionLines) {
    Value(1121, 1);
    std::string text;
    pjl_.WriteDeviceModelInfo(text);
    EXPECT_EQ(text, "@PJL DMINFO ASCIIHEX=\"0400040101020D10100115"
                    "3230303430353036303730383039\"\r\n");

    const struct {
        uint16_t value;
        const char* word;
    } dry[] = {{0, "0"}, {1, "-15"}, {4, "0"}, {10, "30"}, {11, "0"}};
    for (const auto& c : dry) {
        Group().RemoveById(1133);
        Value(1133, c.value);
        text.clear();
        pjl_.WriteDryTime(text);
        EXPECT_EQ(text, Line(std::string("BIJEXTRADRYTIME=") + c.word)) << c.value;
    }

    const struct {
        uint16_t bin;
        std::string lines;
    } bins[] = {{20, Line("OUTBIN=OPTIONALOUTBIN6")},
                {3, Line("OUTBIN=OPTIONALOUTBIN7")},
                {1, Line("OUTBIN=UPPER")},
                {2, Line("OUTBIN=LOWER")},
                {0, ""},
                {14, ""},
                {35, ""}};
    for (const auto& c : bins) {
        Group().RemoveById(248);
        Value(248, c.bin);
        text.clear();
        pjl_.WriteFinishing(text);
        EXPECT_EQ(text, c.lines) << c.bin;
    }

    // Staple 0 with the optional accessory asked: NONE and no bind lines.
    Group().RemoveById(248);
    Value(248, 20);
    Value(278, 0);
    Value(1127, 1);
    Value(612, 1);
    text.clear();
    pjl_.WriteFinishing(text);
    EXPECT_EQ(text, Line("OUTBIN=OPTIONALOUTBIN6") + Line("PROCESSINGTYPE=\"NONE\""));
    // Bind cancel is one-shot.
    Group().RemoveById(1127);
    Group().RemoveById(612);
    Value(612, 3);
    text.clear();
    pjl_.WriteFinishing(text);
    EXPECT_EQ(text, Line("OUTBIN=OPTIONALOUTBIN6") + Line("FINISH=NONE") + Line("FINISH=NONE"));
    EXPECT_EQ(GPJL::FindValue(&Group(), 612)->GetValue(), 0);

    Value(296, 1);
    text.clear();
    pjl_.WriteGrayscale(text);
    EXPECT_EQ(text, "");
    Value(410, 1);
    pjl_.WriteGrayscale(text);
    EXPECT_EQ(text, Line("GRAYSCALE=BLACKONLY"));

    Value(1202, 1);
    Value(1204, 2);
    text.clear();
    pjl_.WriteTransparencyInterleave(text);
    pjl_.WriteImageShift(text);
    EXPECT_EQ(text, Line("OHPINTERLEAVE=PRINTED") + Line("PROCESSINGTYPE=\"IMAGE_SHIFT\"") +
                        Line("PROCESSINGOPTION=\"ON\"") + Line("PROCESSINGBOUNDARY=MOPY"));
}

TEST_F(GPJLTest, JobAccountingQuotesOrEmpties) {
    Text(975, "a\"b");
    Text(999, "dept 7");
    Text(1131, "x\r\ny");
    std::string text;
    pjl_.WriteJobAccounting(text, Group());
    EXPECT_EQ(text, Line("JOBATTR=\"JobAcct1=\"") + Line("JOBATTR=\"JobAcct3=dept 7\"") +
                        Line("JOBATTR=\"JobAcct4=20040506070809\"") + Line("JOBATTR=\"JobAcct5=\""));
    ExpectWellFormedPjl(text);
}

// CRC-16/ARC written independently: the table-free bitwise form over the
// normal polynomial 0x8005 with reflected input and output.
uint16_t ReferenceArc(const std::string& text) {
    uint16_t crc = 0;
    for (unsigned char byte : text) {
        unsigned reflected = 0;
        for (int bit = 0; bit < 8; ++bit)
            if ((byte >> bit) & 1) reflected |= 0x80u >> bit;
        crc ^= static_cast<uint16_t>(reflected << 8);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 0x8000) != 0 ? static_cast<uint16_t>((crc << 1) ^ 0x8005)
                                      : static_cast<uint16_t>(crc << 1);
    }
    uint16_t out = 0;
    for (int bit = 0; bit < 16; ++bit)
        if ((crc >> bit) & 1) out |= static_cast<uint16_t>(0x8000u >> bit);
    return out;
}

TEST_F(GPJLTest, UsageRecord) {
    EXPECT_EQ(GPJL::Crc16OfText("123456789", 9), 0xBB3D);
    EXPECT_EQ(GPJL::Crc16OfText("", 0), 0xFFFF);
    for (const std::string text : {"123456789", "Job", "A long accounting text"})
        EXPECT_EQ(GPJL::Crc16OfText(text.data(), text.size()), ReferenceArc(text)) << text;
    EXPECT_EQ(ReferenceArc("123456789"), 0xBB3D);

    GPJL::SetModelCodeTable({{{"9000", "ABCD"}, {"", ""}, {"", ""}, {"", ""}}});
    Value(1021, 1);
    Text(956, "Model 9000");
    Text(1000, "123456789");
    Text(1022, "");
    Value(253, 1);
    Value(279, 1);
    Value(266, 4);
    std::string text;
    GDocumentStart start(u"report", u"LPT1:", &job_, 0);
    EXPECT_EQ(pjl_.WriteUsage(start, text, Group()), 0);
    EXPECT_EQ(text, "@PJL USAGE=ABCD,bb3d,ffff,12,08,01\r\n");

    job_.secondName = u"c:\\out\\file.prn";
    text.clear();
    GDocumentStart noJob(u"report", u"x", nullptr, 0);
    pjl_.WriteUsage(noJob, text, Group());
    EXPECT_EQ(text, "@PJL USAGE=ABCD,bb3d,ffff,12,08,\r\n");
    text.clear();
    pjl_.WriteUsage(start, text, Group());
    EXPECT_EQ(text, "@PJL USAGE=ABCD,bb3d,ffff,12,08,04\r\n");
    GPJL::SetModelCodeTable({});
}

TEST_F(GPJLTest, ToPJLStringKeepsSixteenUnitsAsUtf8) {
    EXPECT_EQ(GPJL::ToPJLString("abcdefghijklmnopqrst", 0), "abcdefghijklmnop");
    // 0xE9 in the ANSI code page is U+00E9: two bytes C3 A9.
    EXPECT_EQ(GPJL::ToPJLString("\xE9", 0), "\xC3\xA9");
    EXPECT_EQ(GPJL::ToPJLString(std::string(40, '\xE9'), 0).size(), 32u);
}

TEST_F(GPJLTest, JobStorageNames) {
    GDocumentStart start(u"report", "from command", u"LPT1:", &job_, nullptr, 0);
    Value(287, 2);
    std::string text;
    // No names at all: "?" and an empty job name.
    EXPECT_TRUE(pjl_.WriteJobStorage(text, Group(), start));
    EXPECT_EQ(text, Line("HOLD=PROOF") + Line("USERNAME=\"?\"") + Line("JOBNAME=\"\""));
    // UTF-8: the name from 975 keeps its first 16 characters.
    Value(1027, 1);
    Value(1034, 0);
    Text(975, "abcdefghijklmnopqrst");
    Value(1035, 0);
    Text(282, "stored");
    text.clear();
    pjl_.WriteJobStorage(text, Group(), start);
    EXPECT_EQ(text, Line("STRINGCODESET=UTF8") + Line("HOLD=PROOF") + Line("USERNAME=\"abcdefghijklmnop\"") +
                        Line("JOBNAME=\"from command\""));
    // A name from 440 is not converted, but a quote in it still gives "?".
    Group().RemoveById(1034);
    Text(440, "b\"ob");
    text.clear();
    pjl_.WriteJobStorage(text, Group(), start);
    EXPECT_NE(text.find(Line("USERNAME=\"?\"")), std::string::npos);
    ExpectWellFormedPjl(text);
    // Mode 0 writes HOLD=OFF only, even with UTF-8; absent 287 is false.
    Group().RemoveById(287);
    Value(287, 0);
    text.clear();
    EXPECT_TRUE(pjl_.WriteJobStorage(text, Group(), start));
    EXPECT_EQ(text, Line("HOLD=OFF"));
    Group().RemoveById(287);
    text.clear();
    EXPECT_FALSE(pjl_.WriteJobStorage(text, Group(), start));
    EXPECT_EQ(text, "");
}

TEST_F(GPJLTest, JobNameAndAppliedMediaAreSavedAndCloned) {
    Start(u"saved job");
    GMedia media;
    media.SetPaperId(9);
    EXPECT_EQ(pjl_.OnMedia(media), 0);
    ASSERT_EQ(pjl_.GetAppliedMedia().GetCount(), 1u);
    GPJL clone(pjl_);
    EXPECT_EQ(clone.GetJobName(), "saved job");
    EXPECT_EQ(clone.GetAppliedMedia().GetCount(), 1u);
    for (leaftest::Carrier carrier : leaftest::kCarriers) {
        SCOPED_TRACE(leaftest::CarrierName(carrier));
        const std::string bytes = papertest::Save(pjl_, carrier);
        GCountedPtr restored(papertest::Restore(bytes, carrier).release());
        auto* back = restored.As<GPJL>();
        ASSERT_NE(back, nullptr);
        EXPECT_EQ(back->GetJobName(), "saved job");
        ASSERT_EQ(back->GetAppliedMedia().GetCount(), 1u);
        if (carrier == leaftest::Carrier::File) {
            EXPECT_EQ(pjl_.RecursiveStoreSize(), bytes.size());
        }
    }
    // The next header starts from no applied media.
    Start();
    EXPECT_EQ(pjl_.GetAppliedMedia().GetCount(), 0u);
}

TEST(GPJLLines, DeviceModelHexAndQuoting) {
    std::string text;
    EXPECT_EQ(GPJL::AppendHexBytes("\x0a"
                                   "A\xC1",
                                   text),
              0);
    EXPECT_EQ(text, "a4141");
    EXPECT_TRUE(GPJL::IsPJLQuotable(""));
    EXPECT_TRUE(GPJL::IsPJLQuotable("a\tb \xff"));
    EXPECT_FALSE(GPJL::IsPJLQuotable("a\"b"));
    EXPECT_FALSE(GPJL::IsPJLQuotable("a\rb"));
    EXPECT_FALSE(GPJL::IsPJLQuotable(std::string("a\0b", 3)));
}

} // namespace
