// The job hook holder driving double hook modules the tests build, found
// under the hook module's file name: the calls of a job, the job block, the
// entries preferred, and modules that must be unloaded without a call.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "driver/GJobHookHolder.h"
#include "model/GAttributeComposite.h"
#include "model/GValueAttribute.h"
#include "tests/winnt40/JobHookTestSupport.h"
#include "winapi/WinGdi.h"
#include "winapi/WinModule.h"

namespace {

using namespace platformtest;

class GJobHookHolderTest : public JobHookTest {};

// Settings with the copies (291 in node 364), a configuration whose printer
// node (76) holds setting 434.
MPersistentObject* Settings(uint16_t copies) {
    auto* settings = new GAttributeComposite(1);
    auto* printing = new GAttributeComposite(364);
    printing->Add(new GValueAttribute(copies, 291));
    settings->Add(printing);
    return settings;
}

MPersistentObject* Configuration(uint16_t jobType) {
    auto* configuration = new GAttributeComposite(353);
    auto* printer = new GAttributeComposite(76);
    auto* node = new GAttributeComposite(200);
    node->Add(new GValueAttribute(jobType, 434));
    printer->Add(node);
    configuration->Add(printer);
    return configuration;
}

TEST_F(GJobHookHolderTest, AJobIsBegunPagedAndEndedThroughTheFourTextBegin) {
    InstallHook("libqvhookbeginonly.so");
    context_.SetConfiguration(Configuration(3));
    GCountedPtr settings(Settings(5));
    DOCINFOW document{sizeof(DOCINFOW), u"Report.doc", u"FILE:", nullptr, 0};
    GJobHookHolder holder;
    holder.BeginJob(&context_, settings.Get(), &document);
    EXPECT_TRUE(holder.HasOpenJob());
    EXPECT_TRUE(HookLoaded());
    holder.EndPage(&context_, settings.Get());
    holder.EndPage(&context_, settings.Get());
    holder.EndJob(&context_, settings.Get());
    EXPECT_FALSE(holder.HasOpenJob());
    EXPECT_FALSE(HookLoaded());
    // The job block: 0, 4, 4 | copies << 16, the job type, 0, 0, 0
    // (5 << 16 | 4 = 327684). The page block is 16 bytes: its size, then
    // zeros. The job handle 0x5150 is 20816.
    EXPECT_EQ(Log(u"qvhookbeginonly"), u"attach;begin|Report.doc|FILE:|FILE:|0,4,327684,3,0,0,0;"
                                       u"page|20816|16|zero;page|20816|16|zero;end|20816|0;detach;");
}

TEST_F(GJobHookHolderTest, TheSixTextBeginIsPreferredWhenTheModuleHasBoth) {
    InstallHook("libqvhookfull.so");
    GCountedPtr settings(Settings(2));
    DOCINFOW document{sizeof(DOCINFOW), u"Report.doc", nullptr, nullptr, 0};
    GJobHookHolder holder;
    holder.BeginJob(&context_, settings.Get(), &document);
    holder.EndJob(&context_, settings.Get());
    // Copies 2: 2 << 16 | 4 = 131076; job type 2 without a configuration.
    EXPECT_EQ(Log(u"qvhookfull"), u"attach;beginEx|Application|Report.doc|QV Colour Laser|LPT1:|LPT1:|"
                                  u"0,4,131076,2,0,0,0;end|20816|0;detach;");
}

TEST_F(GJobHookHolderTest, WithoutOutputThePortIsTheOutputAndMissingSettingsTakeTheirDefaults) {
    InstallHook("libqvhookbeginonly.so");
    DOCINFOW document{sizeof(DOCINFOW), u"Letter", nullptr, nullptr, 0};
    GJobHookHolder holder;
    holder.BeginJob(&context_, nullptr, &document);
    holder.AbortJob(&context_, nullptr);
    // Copies 1 (65536 | 4 = 65540), job type 2; an aborted job ends with 1.
    EXPECT_EQ(Log(u"qvhookbeginonly"),
              u"attach;begin|Letter|LPT1:|LPT1:|0,4,65540,2,0,0,0;end|20816|1;detach;");
}

TEST_F(GJobHookHolderTest, TheSixTextBeginIsUsedWhenItIsTheOnlyOne) {
    InstallHook("libqvhookexonly.so");
    DOCINFOW document{sizeof(DOCINFOW), u"Memo", u"\\\\srv\\out", nullptr, 0};
    GJobHookHolder holder;
    holder.BeginJob(&context_, nullptr, &document);
    holder.EndPage(&context_, nullptr);
    holder.EndJob(&context_, nullptr);
    EXPECT_EQ(
        Log(u"qvhookexonly"),
        u"attach;beginEx|Application|Memo|QV Colour Laser|\\\\srv\\out|\\\\srv\\out;page|7;end|7|0;detach;");
}

TEST_F(GJobHookHolderTest, AModuleWithoutAnEndEntryIsUnloadedWithoutBeingCalled) {
    InstallHook("libqvhooknoendjob.so");
    DOCINFOW document{sizeof(DOCINFOW), u"Memo", nullptr, nullptr, 0};
    GJobHookHolder holder;
    holder.BeginJob(&context_, nullptr, &document);
    EXPECT_FALSE(holder.HasOpenJob());
    EXPECT_FALSE(HookLoaded());
    holder.EndPage(&context_, nullptr);
    holder.EndJob(&context_, nullptr);
    EXPECT_EQ(Log(u"qvhooknoendjob"), u"attach;detach;");
}

TEST_F(GJobHookHolderTest, ARefusedBeginDropsTheHook) {
    InstallHook("libqvhookexonly.so");
    DOCINFOW document{sizeof(DOCINFOW), u"refuse", nullptr, nullptr, 0};
    GJobHookHolder holder;
    holder.BeginJob(&context_, nullptr, &document);
    EXPECT_FALSE(holder.HasOpenJob());
    EXPECT_FALSE(HookLoaded());
    holder.EndJob(&context_, nullptr);
    EXPECT_EQ(Log(u"qvhookexonly"), u"attach;beginEx|Application|refuse|QV Colour Laser|LPT1:|LPT1:;detach;");
}

TEST_F(GJobHookHolderTest, ASecondBeginDropsTheFirstJobWithoutAnEndCall) {
    InstallHook("libqvhookexonly.so");
    DOCINFOW first{sizeof(DOCINFOW), u"One", nullptr, nullptr, 0};
    DOCINFOW second{sizeof(DOCINFOW), u"Two", nullptr, nullptr, 0};
    GJobHookHolder holder;
    holder.BeginJob(&context_, nullptr, &first);
    holder.BeginJob(&context_, nullptr, &second);
    holder.EndJob(&context_, nullptr);
    EXPECT_EQ(Log(u"qvhookexonly"),
              u"attach;beginEx|Application|One|QV Colour Laser|LPT1:|LPT1:;detach;"
              u"attach;beginEx|Application|Two|QV Colour Laser|LPT1:|LPT1:;end|7|0;detach;");
}

TEST_F(GJobHookHolderTest, WithoutAHookModuleNothingHappens) {
    DOCINFOW document{sizeof(DOCINFOW), u"Memo", nullptr, nullptr, 0};
    GJobHookHolder holder;
    holder.BeginJob(&context_, nullptr, &document);
    EXPECT_FALSE(holder.HasOpenJob());
    holder.EndPage(&context_, nullptr);
    holder.EndJob(&context_, nullptr);
    EXPECT_FALSE(Value(HKEY_CURRENT_USER, u"Software\\QVTest", u"qvhookfull").has_value());
}

} // namespace
