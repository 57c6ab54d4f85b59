// qvhost job end to end: a scripted document on a printer DC through the
// real module's DrvDocumentEvent, its events in order with their answers
// and the private escapes the document start sends.
#include <gtest/gtest.h>

#include <algorithm>

#include <string>
#include <vector>

#include "tests/host/HostRunner.h"
#include "tests/support/TempFolder.h"

namespace {

using hosttest::HostRun;
using hosttest::RunHost;
using hosttest::RunJson;

constexpr const char* kColour = "QV ColorLaser 4600";

// The document-start escapes in the order they are sent; a machine without
// a source (computer or domain name, version resource) leaves its escape out.
const std::vector<std::string> kStartOrder = {"0x303EB8EF", "0x303EB8EC", "0x303EB8EB",
                                              "0x303EB8F1", "0x303EB8F0", "0x303EB8E7",
                                              "0x303EB8E9", "0x303EB8F9", "0x303EB8E8"};

class HostJobEndToEndTest : public ::testing::Test {
protected:
    std::string Store() const { return folder_.Path("store"); }
    qvtest::TempFolder folder_{"qvhostjob"};
};

TEST_F(HostJobEndToEndTest, ADocumentsEventsAnswerInOrderAndItsStartSendsTheJobsIdentity) {
    const rapidjson::Document answer = RunJson(Store(), {"job", kColour, "--pages", "3"});
    EXPECT_STREQ(answer["printer"].GetString(), kColour);
    EXPECT_EQ(answer["pages"].GetInt(), 3);
    std::vector<std::string> events;
    std::vector<int> answers;
    for (const auto& event : answer["events"].GetArray()) {
        events.push_back(event["event"].GetString());
        answers.push_back(event["answer"].GetInt());
    }
    EXPECT_EQ(events, (std::vector<std::string>{"CREATEDCPRE", "CREATEDCPOST", "STARTDOCPRE", "STARTDOCPOST",
                                                "STARTPAGE", "ENDPAGE", "STARTPAGE", "ENDPAGE", "STARTPAGE",
                                                "ENDPAGE", "ENDDOCPRE", "ENDDOCPOST", "DELETEDC"}));
    EXPECT_EQ(answers, (std::vector<int>{1, 1, 1, 0, 1, 1, 1, 1, 1, 1, 0, 0, 0}));

    const auto& start = answer["events"][2]["escapes"];
    std::vector<std::string> codes;
    for (const auto& escape : start.GetArray())
        codes.push_back(escape["code"].GetString());
    // A subsequence of the document-start order, always with the user, the
    // UUID, the OS, the application information, the executable and the port.
    size_t at = 0;
    for (const std::string& code : codes) {
        while (at < kStartOrder.size() && kStartOrder[at] != code)
            ++at;
        EXPECT_LT(at, kStartOrder.size()) << code << " out of order";
    }
    for (const char* code :
         {"0x303EB8EF", "0x303EB8F1", "0x303EB8F0", "0x303EB8E9", "0x303EB8F9", "0x303EB8E8"})
        EXPECT_NE(std::find(codes.begin(), codes.end(), code), codes.end()) << code;
    ASSERT_FALSE(codes.empty());
    EXPECT_EQ(codes.back(), "0x303EB8E8");
    for (const auto& escape : start.GetArray()) {
        const std::string code = escape["code"].GetString();
        if (code == "0x303EB8F1") {
            EXPECT_EQ(escape["size"].GetInt(), 37);
            EXPECT_EQ(std::string(escape["text"].GetString()).size(), 36u);
        }
        if (code == "0x303EB8F0") {
            EXPECT_EQ(std::string(escape["text"].GetString()).rfind("OS Info: ", 0), 0u);
        }
        if (code == "0x303EB8E8") {
            EXPECT_EQ(escape["size"].GetInt(),
                      static_cast<int>(std::string(escape["text"].GetString()).size()) + 1);
        }
    }
    // The other events send nothing here (the model printer's default has
    // no watermark).
    for (rapidjson::SizeType i = 0; i < answer["events"].Size(); ++i) {
        if (i != 2) {
            EXPECT_EQ(answer["events"][i]["escapes"].Size(), 0u) << i;
        }
    }
}

TEST_F(HostJobEndToEndTest, WithoutPagesTheDocumentHasOnePageAndTheTextFormWorksToo) {
    const rapidjson::Document answer = RunJson(Store(), {"job", kColour});
    EXPECT_EQ(answer["pages"].GetInt(), 1);
    EXPECT_EQ(answer["events"].Size(), 9u);
    const HostRun text = RunHost({"--store", Store(), "job", kColour, "--pages", "0"});
    EXPECT_EQ(text.exitCode, 0) << text.err;
    EXPECT_NE(text.out.find("STARTDOCPRE"), std::string::npos);
    EXPECT_EQ(text.out.find("STARTPAGE"), std::string::npos);
}

TEST_F(HostJobEndToEndTest, BadWordsAreRefusedAndTheCommandIsListedInTheHelp) {
    for (const std::vector<std::string>& words :
         {std::vector<std::string>{"--store", Store(), "job", kColour, "--pages", "x"},
          std::vector<std::string>{"--store", Store(), "job", kColour, "--pages", "1001"},
          std::vector<std::string>{"--store", Store(), "job"},
          std::vector<std::string>{"--store", Store(), "job", "No Such Printer"}}) {
        const HostRun run = RunHost(words);
        EXPECT_NE(run.exitCode, 0) << words.back();
        EXPECT_FALSE(run.err.empty()) << words.back();
    }
    const HostRun help = RunHost({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("job PRINTER [--pages N]"), std::string::npos);
}

} // namespace
