// qvhost end to end against the real module's printer-interface exports:
// these need the exports and their common front (branch front16), the
// driver instance (core16), DrvDocumentProperties and DrvConvertDevMode
// (props16) and DrvDeviceCapabilities (caps16), and fail (never skip) until
// all four are in. The answers are checked against what the model
// printers' descriptions say (resources/printers): the colour model has 600
// and 1200 dpi, four paper sources and a duplex unit; the mono model 600
// dpi, one tray and no duplex unit.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "tests/host/HostRunner.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"
#include "winapi/WinText.h"
#include "winapi/host/WinMachineState.h"
#include "winapi/host/WinSqliteStore.h"

namespace {

using hosttest::HostRun;
using hosttest::RunHost;
using hosttest::RunJson;
using hosttest::WindowsPath;

constexpr const char* kColour = "QV ColorLaser 4600";
constexpr const char* kMono = "QV MonoLaser 2300";
constexpr const char* kPostScript = "QV ColorLaser 4600 PS";

class HostExportsEndToEndTest : public ::testing::Test {
protected:
    std::string Store() const { return folder_.Path("store"); }
    rapidjson::Document Caps(const char* printer, const char* code) {
        return RunJson(Store(), {"caps", printer, code});
    }
    static size_t Count(const rapidjson::Document& answer) {
        return answer.HasMember("count") ? answer["count"].GetUint() : 0;
    }
    static int Field(const rapidjson::Value& answer, const char* name) {
        return answer.HasMember("fields") && answer["fields"].HasMember(name)
                   ? answer["fields"][name].GetInt()
                   : -99999;
    }

    qvtest::TempFolder folder_{"qvhostexp"};
};

TEST_F(HostExportsEndToEndTest, PaperListsAgreeInLengthAndBinNamesStartWithASpace) {
    for (const char* printer : {kColour, kMono, kPostScript}) {
        const rapidjson::Document papers = Caps(printer, "DC_PAPERS");
        const rapidjson::Document sizes = Caps(printer, "DC_PAPERSIZE");
        const rapidjson::Document names = Caps(printer, "DC_PAPERNAMES");
        ASSERT_GT(Count(papers), 0u) << printer;
        EXPECT_EQ(Count(sizes), Count(papers)) << printer;
        EXPECT_EQ(Count(names), Count(papers)) << printer;
        for (const auto& size : sizes["items"].GetArray()) {
            EXPECT_GT(size["width"].GetInt(), 0);
            EXPECT_GT(size["height"].GetInt(), 0);
        }
        for (const auto& name : names["items"].GetArray())
            EXPECT_GT(std::string(name.GetString()).size(), 0u);
        const rapidjson::Document bins = Caps(printer, "DC_BINS");
        const rapidjson::Document binNames = Caps(printer, "DC_BINNAMES");
        EXPECT_EQ(Count(binNames), Count(bins)) << printer;
        for (const auto& name : binNames["items"].GetArray())
            EXPECT_EQ(name.GetString()[0], ' ') << printer << ": \"" << name.GetString() << "\"";
    }
    EXPECT_GE(Count(Caps(kColour, "DC_BINS")), 4u);
    EXPECT_LT(Count(Caps(kMono, "DC_BINS")), Count(Caps(kColour, "DC_BINS")));
    // The PostScript writer's paper map lists what the colour model's lists.
    EXPECT_TRUE(Caps(kPostScript, "DC_PAPERS")["items"] == Caps(kColour, "DC_PAPERS")["items"]);
}

TEST_F(HostExportsEndToEndTest, TheTwoModelsAnswerFromTheirOwnDataFiles) {
    const rapidjson::Document colour = Caps(kColour, "DC_ENUMRESOLUTIONS");
    const rapidjson::Document mono = Caps(kMono, "DC_ENUMRESOLUTIONS");
    std::vector<int> colourDpi;
    for (const auto& pair : colour["items"].GetArray()) {
        ASSERT_EQ(pair.Size(), 2u);
        EXPECT_EQ(pair[0].GetInt(), pair[1].GetInt());
        colourDpi.push_back(pair[0].GetInt());
    }
    // The resolution list is the quality presets' (600, 1200, 600): a pair
    // is left out only when it repeats the one before it.
    for (size_t i = 1; i < colourDpi.size(); ++i)
        EXPECT_NE(colourDpi[i], colourDpi[i - 1]);
    std::sort(colourDpi.begin(), colourDpi.end());
    colourDpi.erase(std::unique(colourDpi.begin(), colourDpi.end()), colourDpi.end());
    EXPECT_EQ(colourDpi, (std::vector<int>{600, 1200}));
    ASSERT_EQ(Count(mono), 1u);
    EXPECT_EQ(mono["items"][0][0].GetInt(), 600);
    EXPECT_EQ(mono["items"][0][1].GetInt(), 600);
    EXPECT_EQ(Caps(kColour, "DC_DUPLEX")["value"].GetInt(), 1);
    EXPECT_EQ(Caps(kMono, "DC_DUPLEX")["value"].GetInt(), 0);
}

TEST_F(HostExportsEndToEndTest, TheDefaultDevModeIsWrittenWholeAndConvertAgrees) {
    const std::string file = folder_.Path("default.devmode");
    const rapidjson::Document answer = RunJson(Store(), {"devmode", kColour, "--out", file});
    EXPECT_EQ(answer["bytes"].GetInt(), 1172);
    EXPECT_EQ(Field(answer, "dmSize"), 220);
    EXPECT_EQ(Field(answer, "dmDriverExtra"), 952);
    EXPECT_STREQ(answer["fields"]["dmDeviceName"].GetString(), kColour);
    EXPECT_EQ(qvtest::ReadFileBytes(file).size(), 1172u);

    const std::string converted = folder_.Path("converted.devmode");
    const rapidjson::Document again = RunJson(Store(), {"convert", kColour, "--out", converted});
    EXPECT_EQ(again["bytes"].GetInt(), 1172);
    EXPECT_EQ(qvtest::ReadFileBytes(converted).substr(0, 220), qvtest::ReadFileBytes(file).substr(0, 220));
    const rapidjson::Document mine = RunJson(Store(), {"convert", kColour, "--in", file, "--out", converted});
    EXPECT_EQ(mine["bytes"].GetInt(), 1172);
}

TEST_F(HostExportsEndToEndTest, PropsValidatesAChangedCopy) {
    const std::string file = folder_.Path("default.devmode");
    RunJson(Store(), {"devmode", kColour, "--out", file});
    const std::string changed = folder_.Path("changed.devmode");
    const rapidjson::Document answer =
        RunJson(Store(), {"props", kColour, "--in", file, "--set", "dmCopies=3", "--set", "dmOrientation=2",
                          "--out", changed});
    EXPECT_EQ(Field(answer, "dmCopies"), 3);
    EXPECT_EQ(Field(answer, "dmOrientation"), 2);
    EXPECT_EQ(qvtest::ReadFileBytes(changed).size(), static_cast<size_t>(answer["bytes"].GetInt()));

    // A paper the printer does not have is replaced by one of its own.
    const rapidjson::Document strange =
        RunJson(Store(), {"props", kMono, "--in", file, "--set", "dmPaperSize=30000", "--out", changed});
    const rapidjson::Document papers = Caps(kMono, "DC_PAPERS");
    bool known = false;
    for (const auto& paper : papers["items"].GetArray())
        known = known || paper.GetInt() == Field(strange, "dmPaperSize");
    EXPECT_TRUE(known) << Field(strange, "dmPaperSize");
}

TEST_F(HostExportsEndToEndTest, AFailingExportIsReportedWithItsLastError) {
    const std::string file = folder_.Path("foreign.devmode");
    // A DEVMODE of another driver: dmSize 220, dmDriverExtra 8, private bytes not ours.
    std::string bytes(228, '\x5A');
    bytes[68] = static_cast<char>(220);
    bytes[69] = 0;
    bytes[70] = 8;
    bytes[71] = 0;
    ASSERT_TRUE(qvtest::WriteFileBytes(file, bytes));
    const HostRun run =
        RunHost({"--store", Store(), "convert", kColour, "--in", file, "--out", folder_.Path("o")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "qvhost: DrvConvertDevMode failed (answer 0, last error 87)\n");
}

// A printer whose driver cannot start from its data file: the command
// prints one line with the printer, its data file and the cause, writes
// nothing and exits non-zero.
TEST_F(HostExportsEndToEndTest, APrinterWhoseDriverCannotStartIsReportedWithItsDataFileAndTheCause) {
    RunJson(Store(), {"printers"}); // the store, made fresh
    const std::string model = qvtest::ReadFileBytes(std::string(QV_PRINTERS_DIR) + "/QVMONO.QVD");
    ASSERT_GT(model.size(), 2u);
    ASSERT_TRUE(qvtest::WriteFileBytes(folder_.Path("TRUNC.QVD"), model.substr(0, model.size() / 2)));
    struct Printer {
        const char* name;
        std::string dataFile; // the Windows path the store gives the driver
        const char* cause;
        int lastError;
    };
    const Printer printers[] = {
        {"Truncated", WindowsPath(folder_.Path("TRUNC.QVD")), "the data is invalid", 13},
        {"Missing", WindowsPath(folder_.Path("GONE.QVD")), "the file cannot be found", 2},
    };
    {
        WinSqliteStore store(folder_.Path("store/store.sqlite"));
        WinMachineState state;
        ASSERT_TRUE(store.Load(state));
        ASSERT_FALSE(state.drivers.empty());
        for (const Printer& printer : printers) {
            WinDriverRecord driver = state.drivers.front();
            driver.name = WinText::FromUtf8(std::string(printer.name) + " Driver");
            driver.dataFile = WinText::FromUtf8(printer.dataFile);
            state.drivers.push_back(driver);
            WinPrinterRecord record;
            record.name = WinText::FromUtf8(printer.name);
            record.driverName = driver.name;
            record.portName = u"LPT1:";
            state.printers.push_back(record);
        }
        ASSERT_TRUE(store.Save(state));
    }
    const std::string out = folder_.Path("o.devmode");
    for (const Printer& printer : printers) {
        const struct {
            std::vector<std::string> words;
            const char* exportName;
        } commands[] = {{{"caps", printer.name, "DC_PAPERS"}, "DrvDeviceCapabilities"},
                        {{"devmode", printer.name, "--out", out}, "DrvDocumentProperties"}};
        for (const auto& command : commands) {
            SCOPED_TRACE(std::string(printer.name) + ": " + command.words[0]);
            std::vector<std::string> words = {"--store", Store()};
            words.insert(words.end(), command.words.begin(), command.words.end());
            const HostRun run = RunHost(words);
            EXPECT_EQ(run.exitCode, 1);
            EXPECT_EQ(run.err, "qvhost: " + std::string(command.exportName) + " failed for printer \"" +
                                   printer.name + "\" (data file " + printer.dataFile +
                                   "): " + printer.cause + " (answer -1, last error " +
                                   std::to_string(printer.lastError) + ")\n");
            EXPECT_EQ(run.out, "");
            EXPECT_FALSE(std::filesystem::exists(out));
        }
    }
}

// Each sheet has the module's tabs of its printer (document: Finishing,
// Effects, Paper, Destination, Basics, and Colour on the colour models,
// PostScript on the PostScript one; no Job Storage while 520 is 0; device:
// NT Forms, Configure). A script that visits every page writes every page.
TEST_F(HostExportsEndToEndTest, ASheetPlayedFromAScriptWritesItsDevModeAndEveryPage) {
    struct Case {
        const char* printer;
        bool device;
        size_t pages;
    };
    const Case cases[] = {{kColour, false, 6}, {kMono, false, 5}, {kPostScript, false, 7},
                          {kColour, true, 2},  {kMono, true, 2},  {kPostScript, true, 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.printer) + (c.device ? " device" : " document"));
        std::string lines;
        for (size_t i = 0; i < c.pages; ++i)
            lines += "page " + std::to_string(i) + "\n";
        const std::string script = folder_.Path("pages.txt");
        ASSERT_TRUE(qvtest::WriteFileBytes(script, lines + "ok\n"));
        const std::string pictures =
            folder_.Path(std::string("pictures-") + c.printer + (c.device ? "-d" : ""));
        std::vector<std::string> words{"sheet", c.printer, "--script",
                                       script,  "--out",   folder_.Path("sheet.devmode"),
                                       "--png", pictures};
        if (c.device) words.push_back("--device");
        const rapidjson::Document answer = RunJson(Store(), words);
        EXPECT_STREQ(answer["closed with"].GetString(), "OK");
        EXPECT_EQ(qvtest::ReadFileBytes(folder_.Path("sheet.devmode")).size(), 1172u);
        ASSERT_EQ(answer["pictures"].Size(), c.pages);
        for (size_t i = 0; i < c.pages; ++i) {
            const std::string picture = answer["pictures"][static_cast<rapidjson::SizeType>(i)].GetString();
            EXPECT_EQ(picture, pictures + "/page-" + std::to_string(i + 1) + ".png");
            EXPECT_EQ(qvtest::ReadFileBytes(picture).substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
        }
    }
}

// The user's changes on the Basics tab (the fifth tab of the colour model's
// document sheet) reach the DEVMODE that OK hands back, and Cancel hands
// back the input whatever was changed.
TEST_F(HostExportsEndToEndTest, TheBasicsTabChangesCopiesAndOrientationAndCancelKeepsTheInput) {
    const std::string basics = "page 4\ntype 1021 \"3\"\nclick 1032\n";
    const std::string ok = folder_.Path("basics-ok.txt");
    ASSERT_TRUE(qvtest::WriteFileBytes(ok, basics + "ok\n"));
    const std::string out = folder_.Path("basics.devmode");
    const rapidjson::Document answer = RunJson(Store(), {"sheet", kColour, "--script", ok, "--out", out});
    EXPECT_STREQ(answer["closed with"].GetString(), "OK");
    EXPECT_EQ(Field(answer, "dmCopies"), 3);
    EXPECT_EQ(Field(answer, "dmOrientation"), 2); // DMORIENT_LANDSCAPE

    const std::string cancel = folder_.Path("basics-cancel.txt");
    ASSERT_TRUE(qvtest::WriteFileBytes(cancel, "page 4\ntype 1021 \"7\"\nclick 1031\ncancel\n"));
    const std::string back = folder_.Path("basics-back.devmode");
    const rapidjson::Document cancelled =
        RunJson(Store(), {"sheet", kColour, "--in", out, "--script", cancel, "--out", back});
    EXPECT_STREQ(cancelled["closed with"].GetString(), "Cancel");
    EXPECT_EQ(qvtest::ReadFileBytes(back), qvtest::ReadFileBytes(out));
}

// On the Paper tab (the third): Legal from tray 2 for every page, then a
// different first page from tray 1. The DEVMODE's public fields carry the
// size and the first page's source (tray 1 is the printer's bin 262).
TEST_F(HostExportsEndToEndTest, ThePaperTabSetsTheSizeAndTheFirstPagesSource) {
    const std::string script = folder_.Path("paper.txt");
    ASSERT_TRUE(qvtest::WriteFileBytes(script, "page 2\nselect 2015 \"Legal\"\nselect 2020 \"Tray 2\"\n"
                                               "click 2022\nselect 2020 \"Tray 1\"\nok\n"));
    const rapidjson::Document answer =
        RunJson(Store(), {"sheet", kColour, "--script", script, "--out", folder_.Path("paper.devmode")});
    EXPECT_STREQ(answer["closed with"].GetString(), "OK");
    EXPECT_EQ(Field(answer, "dmPaperSize"), 5); // DMPAPER_LEGAL
    EXPECT_EQ(Field(answer, "dmDefaultSource"), 262);
}

// On the Finishing tab (the first): both sides, then the flip. In portrait
// the flip binds on the short edge.
TEST_F(HostExportsEndToEndTest, TheFinishingTabTurnsOnBothSidesAndTheFlip) {
    const struct {
        const char* clicks;
        int duplex;
    } cases[] = {{"click 3011\n", 2}, {"click 3011\nclick 3012\n", 3}}; // DMDUP_VERTICAL, DMDUP_HORIZONTAL
    for (const auto& c : cases) {
        const std::string script = folder_.Path("finishing.txt");
        ASSERT_TRUE(qvtest::WriteFileBytes(script, std::string("page 0\n") + c.clicks + "ok\n"));
        const rapidjson::Document answer = RunJson(
            Store(), {"sheet", kColour, "--script", script, "--out", folder_.Path("finishing.devmode")});
        EXPECT_STREQ(answer["closed with"].GetString(), "OK");
        EXPECT_EQ(Field(answer, "dmDuplex"), c.duplex) << c.clicks;
    }
}

TEST_F(HostExportsEndToEndTest, ACancelledSheetGivesBackItsInput) {
    const std::string ok = folder_.Path("ok.txt");
    ASSERT_TRUE(qvtest::WriteFileBytes(ok, "ok\n"));
    const std::string out = folder_.Path("sheet.devmode");
    RunJson(Store(), {"sheet", kColour, "--script", ok, "--out", out});
    const std::string cancel = folder_.Path("cancel.txt");
    ASSERT_TRUE(qvtest::WriteFileBytes(cancel, "cancel\n"));
    const rapidjson::Document cancelled = RunJson(
        Store(), {"sheet", kColour, "--in", out, "--script", cancel, "--out", folder_.Path("c.devmode")});
    EXPECT_STREQ(cancelled["closed with"].GetString(), "Cancel");
    EXPECT_EQ(qvtest::ReadFileBytes(folder_.Path("c.devmode")), qvtest::ReadFileBytes(out));
}

} // namespace
