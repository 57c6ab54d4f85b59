// The build step as the build runs it: qvpdc writes the data file for a good
// description, and for a mistake prints the file, line and problem, exits 1
// and leaves no output behind.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "tests/support/TempFolder.h"
#include "tools/printerdesc/DataFile.h"
#include "tools/printerdesc/DescriptionCompiler.h"

namespace {

class QvpdcTest : public ::testing::Test {
protected:
    std::string Write(const char* name, const std::string& text) {
        const std::string path = (dir_ / name).string();
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
    // Runs qvpdc; its exit status, standard error in errors.
    int Run(const std::string& description, const std::string& output, std::string& errors) {
        const std::string command = std::string(QV_PDC_PATH) + " '" + description + "' '" + output + "' 2>&1";
        FILE* pipe = popen(command.c_str(), "r");
        if (pipe == nullptr) return -1;
        std::array<char, 256> buffer{};
        errors.clear();
        while (fgets(buffer.data(), buffer.size(), pipe) != nullptr)
            errors += buffer.data();
        const int status = pclose(pipe);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    qvtest::TempFolder folder_{"qvpdc"};
    const std::filesystem::path dir_ = folder_.Path();
};

TEST_F(QvpdcTest, WritesTheDataFile) {
    const std::string text = "configuration 353 { }\nmappings 191 { mapping 1 1 1 }\nmappings 84 { }\n";
    const std::string output = (dir_ / "OUT.QVD").string();
    std::string errors;
    EXPECT_EQ(Run(Write("good.qvpd", text), output, errors), 0) << errors;
    std::string bytes;
    ASSERT_TRUE(DataFile::Read(output, bytes));
    EXPECT_EQ(bytes, DescriptionCompiler::CompileText("good.qvpd", text));
    EXPECT_FALSE(std::filesystem::exists(output + ".part"));
}

TEST_F(QvpdcTest, RefusesAMistakeWithItsLine) {
    struct Case {
        const char* text;
        const char* message; // after "qvpdc: <file>:"
    };
    const Case cases[] = {
        {"configuration 353 {\n  valu 265 0\n}\n", "2: unknown kind 'valu'\n"},
        {"composite 359 {\n value 265 0\n value 265 90\n}\n",
         "3: duplicate id 265 in composite 359 (first at line 2)\n"},
        {"media-pool 189 {\n resolutions 600\n orientations 0\n paper 23 \"A4\" 210mm 297mm imageable 211mm "
         "290mm at 0mm "
         "0mm\n}\n",
         "4: paper 23 \"A4\": the imageable area is larger than the paper\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const std::string description = Write("bad.qvpd", c.text);
        const std::string output = (dir_ / "BAD.QVD").string();
        std::string errors;
        EXPECT_EQ(Run(description, output, errors), 1);
        EXPECT_EQ(errors, "qvpdc: " + description + ":" + c.message);
        EXPECT_FALSE(std::filesystem::exists(output));
    }
}

TEST_F(QvpdcTest, UsageAndUnwritableOutput) {
    std::string errors;
    EXPECT_EQ(
        Run(Write("good.qvpd", "mappings 191 { }\n"), (dir_ / "no-such-folder" / "X.QVD").string(), errors),
        2);
    EXPECT_NE(errors.find("cannot write"), std::string::npos);
}

} // namespace
