// The printer description's syntax: statements, blocks, texts, includes and
// the file and line every mistake is reported with.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/support/TempFolder.h"
#include "tools/printerdesc/DescriptionError.h"
#include "tools/printerdesc/DescriptionParser.h"

namespace {

std::vector<DescriptionStatement> Parse(const std::string& text) {
    return DescriptionParser::ParseText("test.qvpd", text);
}

// The line and problem of the error that parsing text raises.
std::pair<int, std::string> ErrorOf(const std::string& text) {
    try {
        Parse(text);
    } catch (const DescriptionError& error) {
        return {error.Line(), error.Problem()};
    }
    return {0, "no error"};
}

TEST(DescriptionParserTest, StatementsBlocksAndTexts) {
    const auto statements = Parse("# a comment\n"
                                  "composite 359 {   # nodes nest\n"
                                  "  value 265 0; value 253 1\n"
                                  "  string 401 \"QVUIRES.DLL\" # after a text\n"
                                  "  composite 249 { value 323 600 }\n"
                                  "}\n"
                                  "string 1 \"a \\\"b\\\" \\\\ \\x41;#\"\n");
    ASSERT_EQ(statements.size(), 2u);
    const DescriptionStatement& node = statements[0];
    EXPECT_EQ(node.Kind(), "composite");
    EXPECT_EQ(node.line, 2);
    ASSERT_TRUE(node.hasBlock);
    ASSERT_EQ(node.children.size(), 4u);
    EXPECT_EQ(node.children[0].words[2].text, "0");
    EXPECT_EQ(node.children[1].Kind(), "value");
    EXPECT_EQ(node.children[1].line, 3);
    EXPECT_EQ(node.children[2].words[2].kind, DescriptionToken::Kind::String);
    EXPECT_EQ(node.children[2].words[2].text, "QVUIRES.DLL");
    EXPECT_EQ(node.children[3].children.size(), 1u);
    EXPECT_EQ(node.children[3].line, 5);
    // Escapes resolve; ";" and "#" inside quotes are text.
    EXPECT_EQ(statements[1].words[2].text, "a \"b\" \\ A;#");
    EXPECT_EQ(statements[1].line, 7);
}

TEST(DescriptionParserTest, MistakesNameTheirLine) {
    struct Case {
        const char* text;
        int line;
        const char* problem;
    };
    const Case cases[] = {
        {"composite 1 {\n value 2 3\n", 3, "the file ends inside a block"},
        {"value 1 2\n}\n", 2, "\"}\" without a block to close"},
        {"value 1 2\nstring 3 \"open\n", 2, "unterminated text"},
        {"\"text\" 1\n", 1, "a statement must begin with a word, not a quoted text"},
        {"composite 1 { } value 2 3\n", 1, "a statement goes on after its block"},
        {"\n\nstring 1 \"\\q\"\n", 3, "unknown escape \\q"},
        {"string 1 \"\\x4\"\n", 1, "\\x needs two hexadecimal digits"},
        {"value 1 \x01\n", 1, "unexpected byte 0x01"},
        {"include 3\n", 1, "include takes one quoted file name"},
        {"value 1 1\ninclude \"no-such-file.qvpd\"\n", 2, "cannot read \"no-such-file.qvpd\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const auto [line, problem] = ErrorOf(c.text);
        EXPECT_EQ(line, c.line);
        EXPECT_EQ(problem, c.problem);
    }
}

class DescriptionIncludeTest : public ::testing::Test {
protected:
    std::string Write(const char* name, const std::string& text) {
        const std::string path = (dir_ / name).string();
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
    qvtest::TempFolder folder_{"qvpd-include"};
    const std::filesystem::path dir_ = folder_.Path();
};

TEST_F(DescriptionIncludeTest, IncludedStatementsKeepTheirFileAndLine) {
    std::filesystem::create_directory(dir_ / "parts");
    Write("parts/papers.qvpd", "\nvalue 2 2\nvalue 3 3\n");
    const auto statements = DescriptionParser::ParseFile(
        Write("main.qvpd", "value 1 1\ncomposite 9 {\n  include \"parts/papers.qvpd\"\n}\n"));
    ASSERT_EQ(statements.size(), 2u);
    ASSERT_EQ(statements[1].children.size(), 2u);
    EXPECT_EQ(statements[1].children[1].line, 3);
    EXPECT_EQ(statements[1].children[1].file, (dir_ / "parts/papers.qvpd").string());
}

TEST_F(DescriptionIncludeTest, AnErrorInAnIncludedFileNamesThatFile) {
    Write("bad.qvpd", "value 1 1\nstring 2 \"never closed\n");
    const std::string main = Write("main.qvpd", "include \"bad.qvpd\"\n");
    try {
        DescriptionParser::ParseFile(main);
        FAIL() << "no error";
    } catch (const DescriptionError& error) {
        EXPECT_EQ(error.File(), (dir_ / "bad.qvpd").string());
        EXPECT_EQ(error.Line(), 2);
        EXPECT_EQ(std::string(error.what()), (dir_ / "bad.qvpd").string() + ":2: unterminated text");
    }
}

TEST_F(DescriptionIncludeTest, IncludeCyclesStop) {
    const std::string self = Write("self.qvpd", "include \"self.qvpd\"\n");
    try {
        DescriptionParser::ParseFile(self);
        FAIL() << "no error";
    } catch (const DescriptionError& error) {
        EXPECT_EQ(error.Problem(), "includes nest deeper than 16 files");
    }
}

} // namespace
