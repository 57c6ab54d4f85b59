#include "host/HostCommandLine.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

bool Parse(std::vector<const char*> words, HostOptions& options, std::string& error) {
    words.insert(words.begin(), "qvhost");
    return HostCommandLine::Parse(static_cast<int>(words.size()), words.data(), options, error);
}

TEST(HostCommandLine, OptionsGoAnywhereAndTakeTheirValuesInEitherForm) {
    HostOptions options;
    std::string error;
    ASSERT_TRUE(Parse({"--json",
                       "props",
                       "--store",
                       "/s",
                       "My Printer",
                       "--in=a.dm",
                       "--set",
                       "dmCopies=3",
                       "--out",
                       "b.dm",
                       "--set=orientation=2",
                       "--device",
                       "--png",
                       "pics",
                       "--script=s.txt",
                       "--module",
                       "m.so",
                       "--printers",
                       "p",
                       "--model",
                       "qvmono",
                       "--mode",
                       "convert"},
                      options, error))
        << error;
    EXPECT_EQ(options.command, "props");
    EXPECT_EQ(options.arguments, (std::vector<std::string>{"My Printer"}));
    EXPECT_EQ(options.storeFolder, "/s");
    EXPECT_EQ(options.inFile, "a.dm");
    EXPECT_EQ(options.outFile, "b.dm");
    EXPECT_EQ(options.scriptFile, "s.txt");
    EXPECT_EQ(options.pngFolder, "pics");
    EXPECT_EQ(options.modulePath, "m.so");
    EXPECT_EQ(options.printersFolder, "p");
    EXPECT_EQ(options.model, "qvmono");
    EXPECT_EQ(options.mode, "convert");
    // Sets keep their order; a value may itself hold '='.
    ASSERT_EQ(options.sets.size(), 2u);
    EXPECT_EQ(options.sets[0], (std::pair<std::string, std::string>{"dmCopies", "3"}));
    EXPECT_EQ(options.sets[1], (std::pair<std::string, std::string>{"orientation", "2"}));
    EXPECT_TRUE(options.json);
    EXPECT_TRUE(options.device);
    EXPECT_FALSE(options.help);
}

TEST(HostCommandLine, CommandWordsKeepTheirOrderAndASingleDashIsAWord) {
    HostOptions options;
    std::string error;
    ASSERT_TRUE(Parse({"caps", "P", "DC_PAPERS", "-", "--"}, options, error)) << error;
    EXPECT_EQ(options.command, "caps");
    EXPECT_EQ(options.arguments, (std::vector<std::string>{"P", "DC_PAPERS", "-", "--"}));
}

TEST(HostCommandLine, ASetValueMayBeEmptyButNeedsAField) {
    HostOptions options;
    std::string error;
    ASSERT_TRUE(Parse({"props", "--set", "formname="}, options, error)) << error;
    ASSERT_EQ(options.sets.size(), 1u);
    EXPECT_EQ(options.sets[0].second, "");
}

TEST(HostCommandLine, RefusesWhatIsNoCommandLine) {
    struct Case {
        std::vector<const char*> words;
        const char* message;
    };
    const Case cases[] = {
        {{"printers", "--bogus"}, "unknown option --bogus"},
        {{"printers", "--store"}, "--store wants a value"},
        {{"printers", "--store="}, "--store wants a value"},
        {{"printers", "--json=yes"}, "--json takes no value"},
        {{"props", "--set", "dmCopies"}, "--set wants FIELD=VALUE, not \"dmCopies\""},
        {{"props", "--set", "=3"}, "--set wants FIELD=VALUE, not \"=3\""},
        {{"props", "--set"}, "--set wants a value"},
    };
    for (const Case& c : cases) {
        HostOptions options;
        std::string error;
        EXPECT_FALSE(Parse(c.words, options, error)) << c.message;
        EXPECT_EQ(error, c.message);
    }
}

TEST(HostCommandLine, AParseStartsFromNothing) {
    HostOptions options;
    options.json = true;
    options.sets.emplace_back("a", "b");
    std::string error;
    ASSERT_TRUE(Parse({"printers"}, options, error));
    EXPECT_FALSE(options.json);
    EXPECT_TRUE(options.sets.empty());
}

} // namespace
