// The job hook module over double modules the tests build: which begin entry
// is used, modules that are unloaded at once, a begin without a job block,
// and the name-only copies.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "driver/GJobHookModule.h"
#include "tests/winnt40/JobHookTestSupport.h"
#include "winapi/WinModule.h"

namespace {

using namespace platformtest;

class GJobHookModuleTest : public JobHookTest {
protected:
    static constexpr uint32_t kBlock[7] = {0, 4, 0x10004, 2, 0, 0, 0};
};

TEST_F(GJobHookModuleTest, AModuleWithoutTheSixTextBeginIsUsedWithTheFourTextOne) {
    InstallHook("libqvhookbeginonly.so");
    GJobHookModule hook;
    EXPECT_EQ(hook.BeginJob(u"Application", u"Doc", u"Printer", u"OUT:", u"OUT:", kBlock), 1);
    EXPECT_EQ(hook.GetJob(), 0x5150u);
    EXPECT_EQ(hook.EndPage(), 1);
    EXPECT_EQ(hook.EndJob(1), 1);
    EXPECT_EQ(hook.IsLoaded(), 0);
    EXPECT_EQ(hook.EndPage(), 0);
    EXPECT_EQ(hook.EndJob(0), 0);
    EXPECT_EQ(Log(u"qvhookbeginonly"),
              u"attach;begin|Doc|OUT:|OUT:|0,4,65540,2,0,0,0;page|20816|16|zero;end|20816|1;detach;");
}

TEST_F(GJobHookModuleTest, ModulesLackingAnEndEntryAreUnloadedAtOnceAndNeverCalled) {
    for (const char* library : {"libqvhooknoendpage.so", "libqvhooknoendjob.so"}) {
        SCOPED_TRACE(library);
        InstallHook(library);
        GJobHookModule hook;
        EXPECT_EQ(hook.Load(), 0);
        EXPECT_FALSE(HookLoaded());
        EXPECT_EQ(hook.BeginJob(u"Application", u"Doc", u"Printer", u"OUT:", u"OUT:", kBlock), 0);
        EXPECT_FALSE(HookLoaded());
        EXPECT_EQ(hook.EndPage(), 0);
        EXPECT_EQ(hook.EndJob(0), 0);
    }
    EXPECT_EQ(Log(u"qvhooknoendpage"), u"attach;detach;attach;detach;");
    EXPECT_EQ(Log(u"qvhooknoendjob"), u"attach;detach;attach;detach;");
}

TEST_F(GJobHookModuleTest, ABeginWithoutAJobBlockOpensNoJob) {
    for (const char* library : {"libqvhookfull.so", "libqvhookbeginonly.so"}) {
        SCOPED_TRACE(library);
        InstallHook(library);
        GJobHookModule hook;
        EXPECT_EQ(hook.BeginJob(u"Application", u"Doc", u"Printer", u"OUT:", u"OUT:", nullptr), 0);
        EXPECT_EQ(hook.GetJob(), 0u);
        EXPECT_FALSE(HookLoaded());
    }
    EXPECT_EQ(Log(u"qvhookfull"), u"attach;detach;");
    EXPECT_EQ(Log(u"qvhookbeginonly"), u"attach;detach;");
}

TEST_F(GJobHookModuleTest, AMissingFileLoadsNothing) {
    GJobHookModule hook(u"absent.dll");
    EXPECT_EQ(hook.Load(), 0);
    EXPECT_EQ(hook.BeginJob(u"Application", u"Doc", u"Printer", u"OUT:", u"OUT:", kBlock), 0);
    EXPECT_EQ(hook.IsLoaded(), 0);
}

TEST_F(GJobHookModuleTest, CopiesTakeTheNameOnlyAndAssignmentUnloadsFirst) {
    InstallHook("libqvhookfull.so");
    GJobHookModule loaded;
    ASSERT_EQ(loaded.Load(), 1);
    const GJobHookModule copy(loaded);
    EXPECT_EQ(copy.IsLoaded(), 0);
    EXPECT_TRUE(copy == loaded);
    EXPECT_FALSE(copy == GJobHookModule(u"DAVEVU32.DLL"));
    loaded = GJobHookModule(u"other.dll");
    EXPECT_EQ(loaded.IsLoaded(), 0);
    EXPECT_FALSE(HookLoaded());
    EXPECT_EQ(loaded.GetName(), RWWString(u"other.dll"));
}

} // namespace
