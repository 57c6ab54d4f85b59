// qvhost end to end on what needs no printer-interface export: the store,
// the printers, the command line and the errors reported before an export
// is called (a double module without exports stands in for the module).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "tests/host/HostRunner.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"

namespace {

using hosttest::HostRun;
using hosttest::RunHost;
using hosttest::RunJson;

class HostProgramTest : public ::testing::Test {
protected:
    std::string Store() const { return folder_.Path("store"); }
    HostRun Run(std::vector<std::string> words) {
        words.insert(words.begin(), {"--store", Store()});
        return RunHost(words);
    }
    HostRun RunBare(std::vector<std::string> words) {
        words.insert(words.begin(), {"--module", QV_BARE_MODULE_PATH});
        return Run(words);
    }

    qvtest::TempFolder folder_{"qvhost"};
};

TEST_F(HostProgramTest, AFreshStoreHoldsOnePrinterOfEachModelNamingItsDataFile) {
    const rapidjson::Document answer = RunJson(Store(), {"printers"});
    EXPECT_TRUE(std::filesystem::exists(folder_.Path("store/store.sqlite")));
    ASSERT_TRUE(answer.HasMember("printers"));
    const auto& printers = answer["printers"];
    ASSERT_TRUE(printers.IsArray());
    ASSERT_EQ(printers.Size(), 3u);
    // The data files are the build's, named as Windows paths on drive C: (the host's root).
    std::string printersFolder = std::filesystem::path(QV_PRINTERS_DIR).lexically_normal().string();
    for (char& c : printersFolder)
        if (c == '/') c = '\\';
    const char* names[] = {"QV ColorLaser 4600", "QV MonoLaser 2300", "QV ColorLaser 4600 PS"};
    const char* files[] = {"QVCOLOR.QVD", "QVMONO.QVD", "QVCOLORPS.QVD"};
    for (rapidjson::SizeType i = 0; i < 3; ++i) {
        EXPECT_STREQ(printers[i]["name"].GetString(), names[i]);
        EXPECT_STREQ(printers[i]["driver"].GetString(), names[i]);
        EXPECT_STREQ(printers[i]["port"].GetString(), "LPT1:");
        EXPECT_EQ(std::string(printers[i]["data file"].GetString()), "C:" + printersFolder + "\\" + files[i]);
    }
}

TEST_F(HostProgramTest, AnAddedPrinterStaysInTheStore) {
    const rapidjson::Document added = RunJson(Store(), {"add-printer", "Office", "--model", "qvmono"});
    EXPECT_STREQ(added["added"].GetString(), "Office");
    EXPECT_STREQ(added["driver"].GetString(), "QV MonoLaser 2300");
    const rapidjson::Document answer = RunJson(Store(), {"printers"});
    ASSERT_EQ(answer["printers"].Size(), 4u);
    EXPECT_STREQ(answer["printers"][3]["name"].GetString(), "Office");
    EXPECT_STREQ(answer["printers"][3]["driver"].GetString(), "QV MonoLaser 2300");

    const HostRun again = Run({"add-printer", "Office", "--model", "qvcolor"});
    EXPECT_EQ(again.exitCode, 1);
    EXPECT_EQ(again.err, "qvhost: a printer named \"Office\" is already in the store\n");
    EXPECT_EQ(again.out, "");
}

TEST_F(HostProgramTest, TextAnswersAreReadable) {
    const HostRun run = Run({"printers"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("printers:\n  [1]\n    name: QV ColorLaser 4600\n"), std::string::npos) << run.out;
    EXPECT_EQ(run.err, "");
}

TEST_F(HostProgramTest, ErrorsAreOneClearLineAndANonZeroExit) {
    const std::string notDevMode = folder_.Path("short.devmode");
    ASSERT_TRUE(qvtest::WriteFileBytes(notDevMode, std::string(40, '\0')));
    struct Case {
        std::vector<std::string> words;
        int exitCode;
        std::string err; // the first line of stderr
    };
    const Case cases[] = {
        {{"caps", "Nobody", "DC_PAPERS"},
         1,
         "qvhost: no printer named \"Nobody\" in the store (qvhost printers lists them)"},
        {{"devmode", "Nobody"},
         1,
         "qvhost: no printer named \"Nobody\" in the store (qvhost printers lists them)"},
        {{"caps", "QV MonoLaser 2300", "DC_NOTHING"},
         1,
         "qvhost: unknown capability code DC_NOTHING (DC_PAPERS, DC_BINS, ... or their numbers)"},
        {{"caps", "QV MonoLaser 2300", "19"},
         1,
         "qvhost: unknown capability code 19 (DC_PAPERS, DC_BINS, ... or their numbers)"},
        {{"caps", "QV MonoLaser 2300"}, 1, "qvhost: usage: qvhost caps PRINTER CODE"},
        {{"add-printer", "X", "--model", "qvphoto"},
         1,
         "qvhost: unknown model printer \"qvphoto\" (--model qvcolor, qvmono or qvcolorps)"},
        {{"props", "QV MonoLaser 2300", "--in", folder_.Path("missing"), "--out", folder_.Path("o")},
         1,
         "qvhost: cannot read " + folder_.Path("missing")},
        {{"props", "QV MonoLaser 2300", "--in", notDevMode, "--out", folder_.Path("o")},
         1,
         "qvhost: " + notDevMode + " holds no DEVMODE: 40 bytes"},
        {{"convert", "QV MonoLaser 2300", "--out", folder_.Path("o"), "--mode", "convert"},
         1,
         "qvhost: --mode convert converts the DEVMODE of --in FILE"},
        {{"convert", "QV MonoLaser 2300", "--out", folder_.Path("o"), "--mode", "sideways"},
         1,
         "qvhost: unknown --mode sideways (convert, convert351 or driver-default)"},
        {{"sheet", "QV MonoLaser 2300", "--script", folder_.Path("missing"), "--out", folder_.Path("o")},
         1,
         "qvhost: " + folder_.Path("missing") + ": cannot be read"},
        {{"fly"}, 2, "qvhost: unknown command fly"},
        {{"printers", "--colour"}, 2, "qvhost: unknown option --colour"},
        {{}, 2, "usage: qvhost [--store DIR] [--module FILE] [--printers DIR] [--json] COMMAND ..."},
    };
    for (const Case& c : cases) {
        const HostRun run = Run(c.words);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.err;
        EXPECT_EQ(run.err.substr(0, run.err.find('\n')), c.err);
        EXPECT_EQ(run.out, "") << c.err;
    }
}

TEST_F(HostProgramTest, WithoutAStoreFolderNothingRuns) {
    const HostRun run = RunHost({"printers"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "qvhost: the host store's folder is missing: --store DIR\n");
}

TEST_F(HostProgramTest, APrintersFolderWithoutTheDataFilesIsReported) {
    const HostRun run = Run({"--printers", folder_.Path("empty"), "printers"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "qvhost: no driver data file " + folder_.Path("empty") +
                           "/QVCOLOR.QVD (the build's printer_data_files target makes it)\n");
    EXPECT_FALSE(std::filesystem::exists(folder_.Path("store/store.sqlite")));
}

TEST_F(HostProgramTest, AStoreThatIsNoDatabaseIsReportedNotReplaced) {
    std::filesystem::create_directories(Store());
    const std::string file = folder_.Path("store/store.sqlite");
    ASSERT_TRUE(qvtest::WriteFileBytes(file, "not a database at all, not even close to one"));
    const HostRun run = Run({"printers"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "qvhost: cannot read the host store " + file + "\n");
    EXPECT_EQ(qvtest::ReadFileBytes(file), "not a database at all, not even close to one");
}

TEST_F(HostProgramTest, TheModuleIsLoadedThroughTheLoaderAndAMissingExportIsNamed) {
    const std::string marker = folder_.Path("attached");
    ASSERT_EQ(setenv("QVHOST_ATTACH_MARKER", marker.c_str(), 1), 0);
    const std::string script = folder_.Path("script.txt");
    ASSERT_TRUE(qvtest::WriteFileBytes(script, "ok\n"));
    const std::string devMode = folder_.Path("in.devmode");
    std::string bytes(224, '\0');
    bytes[68] = static_cast<char>(220);
    bytes[70] = 4;
    ASSERT_TRUE(qvtest::WriteFileBytes(devMode, bytes));
    const std::string prefix = std::string("qvhost: the module ") + QV_BARE_MODULE_PATH + " does not export ";
    struct Case {
        std::vector<std::string> words;
        const char* exportName;
    };
    const Case cases[] = {
        {{"caps", "QV ColorLaser 4600", "DC_PAPERS"}, "DrvDeviceCapabilities"},
        {{"devmode", "QV ColorLaser 4600"}, "DrvDocumentProperties"},
        {{"props", "QV ColorLaser 4600", "--in", devMode, "--set", "dmCopies=2", "--out", folder_.Path("o")},
         "DrvDocumentProperties"},
        {{"convert", "QV ColorLaser 4600", "--out", folder_.Path("o")}, "DrvConvertDevMode"},
        {{"sheet", "QV ColorLaser 4600", "--script", script, "--out", folder_.Path("o")},
         "DrvDocumentProperties"},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(marker);
        const HostRun run = RunBare(c.words);
        EXPECT_EQ(run.exitCode, 1) << c.exportName;
        EXPECT_EQ(run.err, prefix + c.exportName + "\n");
        EXPECT_TRUE(std::filesystem::exists(marker)) << "DllMain did not run for " << c.exportName;
        EXPECT_FALSE(std::filesystem::exists(folder_.Path("o")));
    }
    unsetenv("QVHOST_ATTACH_MARKER");
}

TEST_F(HostProgramTest, AModuleThatCannotBeLoadedIsNamed) {
    const HostRun run = Run({"--module", folder_.Path("nothing.so"), "printers"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(
        run.err.rfind("qvhost: cannot load the module " + folder_.Path("nothing.so") + " (last error ", 0),
        0u)
        << run.err;
}

} // namespace
