#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <set>
#include <thread>

#include "driver/GJobContextTable.h"
#include "driver/GLock.h"
#include "model/GResourceMappingList.h"
#include "rw/RWLibraryError.h"
#include "tests/support/FileBytes.h"
#include "tests/winnt40/DriverServerTestSupport.h"
#include "winapi/WinError.h"

using namespace servertest;

TEST_F(DriverServerTest, AParkedInstanceOfTheSameDriverIsReusedForAnotherPrinterWithoutReadingItsDataFile) {
    uint32_t first = 0;
    TestInstance* instance = Get(u"P1", u"Driver A", first);
    ASSERT_NE(instance, nullptr);
    EXPECT_NE(first, 0u);
    EXPECT_EQ(g_events.dataFileReads, 1);
    Server().ReleaseDriver(first);
    EXPECT_EQ(g_events.parked, 1);
    EXPECT_EQ(g_events.deleted, 0);

    uint32_t second = 0;
    EXPECT_EQ(Get(u"P2", u"Driver A", second), instance);
    EXPECT_EQ(instance->GetPrinterName(), RWWString(u"P2")); // re-targeted
    EXPECT_EQ(g_events.reset, 1);
    EXPECT_EQ(g_events.created, 1);
    EXPECT_EQ(g_events.dataFileReads, 1);
    EXPECT_EQ(Server().LookupDriver(second), instance);
    Server().ReleaseDriver(second);
    EXPECT_TRUE(g_reports.empty());
}

TEST_F(DriverServerTest, AnotherDriverGetsANewInstanceAndTheParkedOneStaysUntilDisplaced) {
    uint32_t a = 0, b = 0;
    TestInstance* driverA = Get(u"P1", u"Driver A", a);
    ASSERT_NE(driverA, nullptr);
    Server().ReleaseDriver(a);
    TestInstance* driverB = Get(u"P3", u"Driver B", b);
    ASSERT_NE(driverB, nullptr);
    EXPECT_NE(driverB, driverA);
    EXPECT_EQ(g_events.created, 2);
    EXPECT_EQ(g_events.dataFileReads, 2);
    EXPECT_EQ(g_events.reset, 0);
    EXPECT_EQ(g_events.deleted, 0); // A is still parked
    Server().ReleaseDriver(b);      // B displaces A
    EXPECT_EQ(g_events.deleted, 1);
    uint32_t again = 0;
    EXPECT_EQ(Get(u"P3", u"Driver B", again), driverB);
    Server().ReleaseDriver(again);
}

TEST_F(DriverServerTest, DriverNamesAreComparedExactly) {
    uint32_t first = 0, second = 0;
    TestInstance* parked = Get(u"P1", u"Driver A", first);
    ASSERT_NE(parked, nullptr);
    Server().ReleaseDriver(first);
    // The same printer with the driver name in other letters: not the same
    // driver, so a new instance.
    TestInstance* other = Get(u"P1", u"driver a", second);
    ASSERT_NE(other, nullptr);
    EXPECT_NE(other, parked);
    EXPECT_EQ(other->GetDriverName(), RWWString(u"driver a"));
    EXPECT_EQ(g_events.created, 2);
    EXPECT_EQ(g_events.reset, 0);
    Server().ReleaseDriver(second);
    EXPECT_EQ(g_events.deleted, 1);
}

TEST_F(DriverServerTest, TheIdentityIsDeletedOnEveryPath) {
    struct Case {
        const char* what;
        const char16_t* printer;
        const char16_t* driver;
        bool failCreate;
        bool answers;
    };
    const Case cases[] = {
        {"new instance", u"P1", u"Driver A", false, true},
        {"parked instance reused", u"P2", u"Driver A", false, true},
        {"factory makes none", u"P3", u"Driver B", true, false},
        {"data file missing", u"P4", u"Driver C", false, false},
    };
    int expected = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        factory_->failCreate = c.failCreate;
        uint32_t cookie = 0xABCD;
        TestInstance* instance = Get(c.printer, c.driver, cookie);
        EXPECT_EQ(instance != nullptr, c.answers);
        EXPECT_EQ(g_events.identitiesDeleted, ++expected);
        if (instance != nullptr)
            Server().ReleaseDriver(cookie);
        else
            EXPECT_EQ(cookie, 0xABCDu); // not written
    }
    uint32_t cookie = 0;
    EXPECT_EQ(Server().GetDriver(nullptr, &cookie), nullptr);
}

TEST_F(DriverServerTest, InstancesOpenAtOnceHaveDistinctCookies) {
    const char16_t* printers[] = {u"P1", u"P2", u"P3", u"P1"};
    const char16_t* drivers[] = {u"Driver A", u"Driver A", u"Driver B", u"Driver A"};
    std::set<uint32_t> cookies;
    std::set<TestInstance*> instances;
    std::vector<std::pair<uint32_t, TestInstance*>> open;
    for (int i = 0; i < 4; ++i) {
        uint32_t cookie = 0;
        TestInstance* instance = Get(printers[i], drivers[i], cookie);
        ASSERT_NE(instance, nullptr);
        cookies.insert(cookie);
        instances.insert(instance);
        open.emplace_back(cookie, instance);
    }
    EXPECT_EQ(cookies.size(), 4u);
    EXPECT_EQ(instances.size(), 4u); // no two open requests share an instance
    EXPECT_EQ(cookies.count(0), 0u);
    EXPECT_EQ(Server().DriverCount(), 4u);
    for (const auto& [cookie, instance] : open)
        EXPECT_EQ(Server().LookupDriver(cookie), instance);
    for (const auto& [cookie, instance] : open)
        Server().ReleaseDriver(cookie);
    EXPECT_EQ(Server().DriverCount(), 0u);
    EXPECT_EQ(g_events.deleted, 3); // the last released stays parked
}

TEST_F(DriverServerTest, ReleasingAnUnknownCookieIsError501UnlessTheServerFailed) {
    uint32_t cookie = 0;
    ASSERT_NE(Get(u"P1", u"Driver A", cookie), nullptr);
    Server().ReleaseDriver(cookie);
    EXPECT_TRUE(g_reports.empty());
    Server().ReleaseDriver(cookie); // released twice
    Server().ReleaseJobObject(77);
    EXPECT_EQ(g_reports, (std::vector<std::string>{"1 501 drvrsrvr", "1 501 drvrsrvr"}));
    g_reports.clear();
    Server().SetFailed();
    Server().ReleaseDriver(cookie);
    Server().ReleaseJobObject(77);
    EXPECT_TRUE(g_reports.empty());
}

TEST_F(DriverServerTest, ReleasingAnUnknownCookieEndsTheProcessWithExitCode3) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    SetCriticalErrorHandler(nullptr);
    EXPECT_EXIT(Server().ReleaseDriver(12345), ::testing::ExitedWithCode(kCriticalExitCode), "");
}

TEST_F(DriverServerTest, AfterTheServerFailedAReleaseDeletesTheInstanceAtOnce) {
    uint32_t first = 0, second = 0;
    ASSERT_NE(Get(u"P1", u"Driver A", first), nullptr);
    Server().ReleaseDriver(first);
    EXPECT_TRUE(Server().SetFailed()); // the parked instance goes
    EXPECT_TRUE(Server().IsFailed());
    EXPECT_EQ(g_events.deleted, 1);
    ASSERT_NE(Get(u"P1", u"Driver A", second), nullptr); // a failed server still hands out instances
    EXPECT_EQ(g_events.created, 2);
    Server().ReleaseDriver(second);
    EXPECT_EQ(g_events.deleted, 2);
    EXPECT_EQ(g_events.parked, 1); // only the release before the failure parked
    EXPECT_FALSE(Server().FreeParked());
}

TEST_F(DriverServerTest, AMissingDataFileLeavesNoEntry) {
    uint32_t cookie = 0;
    EXPECT_EQ(Get(u"P4", u"Driver C", cookie), nullptr);
    EXPECT_EQ(g_events.created, 1);
    EXPECT_EQ(g_events.deleted, 1);
    EXPECT_EQ(Server().DriverCount(), 0u);
    // A file that is not an object graph fails the same way.
    ASSERT_TRUE(qvtest::WriteFileBytes(folder_.Path("missing.dat"), "not a graph"));
    EXPECT_EQ(Get(u"P4", u"Driver C", cookie), nullptr);
    EXPECT_EQ(Server().DriverCount(), 0u);
    EXPECT_EQ(g_events.deleted, 2);
}

// A new instance that cannot be made ready is deleted, no entry is left,
// and the last error names the cause for the export to answer with.
TEST_F(DriverServerTest, AFailedRequestLeavesNoInstanceAliveAndNamesItsCause) {
    ASSERT_TRUE(qvtest::WriteFileBytes(folder_.Path("garbage.dat"), "not a graph"));
    AddPrinter(u"P5", u"Driver D", u"D:\\garbage.dat");
    struct Case {
        const char* what;
        const char16_t* printer;
        const char16_t* driver;
        bool failCreate;
        std::function<void()> beforeOpen;
        DWORD lastError;
    };
    const Case cases[] = {
        {"data file missing", u"P4", u"Driver C", false, nullptr, ERROR_FILE_NOT_FOUND},
        {"data file holds no object graph", u"P5", u"Driver D", false, nullptr, ERROR_INVALID_DATA},
        {"the class library refuses the data file", u"P1", u"Driver A", false,
         [] { throw RWInternalError("no such class"); }, ERROR_INVALID_DATA},
        {"memory runs out while reading", u"P1", u"Driver A", false, [] { throw std::bad_alloc(); },
         ERROR_NOT_ENOUGH_MEMORY},
        {"the class library runs out of memory", u"P1", u"Driver A", false,
         [] { RWOutOfMemoryError(4096).Raise(); }, ERROR_NOT_ENOUGH_MEMORY},
        {"the factory makes none", u"P3", u"Driver B", true, nullptr, ERROR_NOT_ENOUGH_MEMORY},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        g_events.Clear();
        factory_->failCreate = c.failCreate;
        factory_->beforeOpen = c.beforeOpen;
        SetLastError(0x5A5A);
        uint32_t cookie = 0xABCD;
        EXPECT_EQ(Get(c.printer, c.driver, cookie), nullptr);
        EXPECT_EQ(GetLastError(), c.lastError);
        EXPECT_EQ(cookie, 0xABCDu);
        EXPECT_EQ(g_events.created, c.failCreate ? 0 : 1);
        EXPECT_EQ(g_events.deleted, g_events.created.load());
        EXPECT_EQ(Server().DriverCount(), 0u);
    }
}

// Whatever leaves the server while it makes a new instance or re-targets
// the parked one, the instance does not outlive the request.
TEST_F(DriverServerTest, AnyExceptionWhileGettingAnInstanceLeavesNoneAlive) {
    uint32_t cookie = 0;
    factory_->beforeOpen = [] { throw ForeignFailure{}; };
    EXPECT_THROW(Get(u"P1", u"Driver A", cookie), ForeignFailure);
    EXPECT_EQ(g_events.created, 1);
    EXPECT_EQ(g_events.deleted, 1);

    factory_->beforeOpen = nullptr;
    ASSERT_NE(Get(u"P1", u"Driver A", cookie), nullptr);
    Server().ReleaseDriver(cookie); // parked
    g_events.failReset = true;
    EXPECT_THROW(Get(u"P2", u"Driver A", cookie), ForeignFailure);
    EXPECT_EQ(g_events.reset, 1);
    EXPECT_EQ(g_events.created, 2);
    EXPECT_EQ(g_events.deleted, 2);
    EXPECT_EQ(Server().DriverCount(), 0u);
    EXPECT_FALSE(Server().FreeParked());
}

// A request that succeeds leaves the caller's last error as it was, though
// reading the data file asks the spooler questions that set one.
TEST_F(DriverServerTest, ARequestThatSucceedsKeepsTheCallersLastError) {
    const struct {
        const char* what;
        DWORD lastError;
    } cases[] = {{"new instance", 0x1234}, {"parked instance", 0x4321}};
    Server(); // made beforehand: making its locks may set a last error
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SetLastError(c.lastError);
        uint32_t cookie = 0;
        ASSERT_NE(Get(u"P1", u"Driver A", cookie), nullptr);
        EXPECT_EQ(GetLastError(), c.lastError);
        Server().ReleaseDriver(cookie);
    }
    EXPECT_EQ(g_events.created, 1);
    EXPECT_EQ(g_events.reset, 1);
}

TEST_F(DriverServerTest, TheInstanceTakesTheDataFilesNodes) {
    uint32_t a = 0, b = 0;
    TestInstance* withList = Get(u"P1", u"Driver A", a);
    TestInstance* withoutList = Get(u"P3", u"Driver B", b);
    ASSERT_NE(withList, nullptr);
    ASSERT_NE(withoutList, nullptr);
    for (TestInstance* instance : {withList, withoutList}) {
        ASSERT_NE(instance->GetConfiguration(), nullptr);
        EXPECT_EQ(instance->GetConfiguration()->GetId(), 353u);
        ASSERT_NE(instance->GetResourceMappings(), nullptr);
        EXPECT_EQ(instance->GetResourceMappings()->GetId(), 191u);
        ASSERT_NE(instance->GetOSTrayMap(), nullptr);
        EXPECT_EQ(instance->GetOSTrayMap()->GetId(), 84u);
        auto* list = dynamic_cast<GResourceMappingList*>(instance->GetResourceMappingList());
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(list->GetId(), 194u);
    }
    EXPECT_NE(dynamic_cast<GResourceMappingList*>(withList->GetResourceMappingList())->FindByFirst(15),
              nullptr);
    EXPECT_EQ(withoutList->GetResourceMappingList()->GetCount(), 0u); // made empty
    Server().ReleaseDriver(a);
    Server().ReleaseDriver(b);
}

TEST_F(DriverServerTest, ReclaimingMemoryFreesTheParkedObjectsFirstThenAsksTheRegisteredOnes) {
    uint32_t a = 0, b = 0, c = 0;
    ASSERT_NE(Get(u"P1", u"Driver A", a), nullptr);
    Server().ReleaseDriver(a);
    EXPECT_TRUE(Server().ReclaimMemory());
    EXPECT_EQ(g_events.deleted, 1);
    EXPECT_EQ(g_events.memoryQuestions, 0);

    TestInstance* first = Get(u"P1", u"Driver A", b);
    TestInstance* second = Get(u"P3", u"Driver B", c);
    EXPECT_FALSE(Server().ReclaimMemory()); // both answer 0
    EXPECT_EQ(g_events.memoryQuestions, 2);
    first->givesMemory = 1;
    second->givesMemory = 1;
    g_events.memoryQuestions = 0;
    EXPECT_TRUE(Server().ReclaimMemory());
    EXPECT_EQ(g_events.memoryQuestions, 1); // stops at the first that gave
    Server().ReleaseDriver(b);
    Server().ReleaseDriver(c);
}

TEST_F(DriverServerTest, ClearDeletesEveryRegisteredObjectAndTellsJobObjectsFirst) {
    uint32_t a = 0, b = 0, job = 0;
    ASSERT_NE(Get(u"P1", u"Driver A", a), nullptr);
    ASSERT_NE(Get(u"P3", u"Driver B", b), nullptr);
    ASSERT_NE(Server().GetJobObject(Identity(u"P2", u"Driver A"), &job), nullptr);
    Server().Clear();
    EXPECT_EQ(g_events.deleted, 3);
    EXPECT_EQ(g_events.parked, 1); // the job object only
    EXPECT_EQ(Server().DriverCount(), 0u);
    EXPECT_EQ(Server().JobCount(), 0u);
    EXPECT_EQ(Server().LookupDriver(a), nullptr);
}

TEST_F(DriverServerTest, TheJobTableHasItsOwnCookiesAndItsEmptyingClearsTheFailure) {
    static int s_fontPoolResets = 0;
    s_fontPoolResets = 0;
    Server().SetFontPoolReset([] { ++s_fontPoolResets; });
    uint32_t driverCookie = 0, first = 0, second = 0;
    ASSERT_NE(Get(u"P1", u"Driver A", driverCookie), nullptr);
    GJobContext* job = Server().GetJobObject(Identity(u"P1", u"Driver A"), &first);
    ASSERT_NE(job, nullptr);
    ASSERT_NE(Server().GetJobObject(Identity(u"P3", u"Driver B"), &second), nullptr);
    EXPECT_EQ(Server().Lookup(first), job);
    EXPECT_EQ(Server().Lookup(driverCookie), nullptr);
    EXPECT_EQ(Server().LookupDriver(first), nullptr);
    Server().SetFailed();
    Server().ReleaseJobObject(first);
    EXPECT_TRUE(Server().IsFailed());
    EXPECT_EQ(s_fontPoolResets, 0);
    Server().ReleaseJobObject(second); // the job table is empty now
    EXPECT_FALSE(Server().IsFailed());
    EXPECT_EQ(s_fontPoolResets, 1);
    Server().ReleaseDriver(driverCookie);
    EXPECT_TRUE(g_reports.empty());
}

TEST_F(DriverServerTest, TheJobPipelineFindsJobsThroughTheProcessWideServerWhileItLives) {
    GDriverServer* server = GDriverServer::Create();
    ASSERT_NE(server, nullptr);
    uint32_t cookie = 0;
    GJobContext* job = server->GetJobObject(Identity(u"P1", u"Driver A"), &cookie);
    ASSERT_NE(job, nullptr);
    EXPECT_EQ(GJobContextTable::Find(cookie), job);
    EXPECT_EQ(GJobContextTable::Find(cookie + 1), nullptr);
    server->ReleaseJobObject(cookie);
    EXPECT_EQ(GJobContextTable::Find(cookie), nullptr);
    GDriverServer::Destroy();
    EXPECT_EQ(GJobContextTable::Find(cookie), nullptr);
}

namespace {
// A lock that fails on request.
class BrokenLock : public GLock {
public:
    int32_t Lock() override { return kLockFailed; }
    int32_t Unlock() override { return 0; }
};

class BrokenLockFactory : public ServerTestFactory {
public:
    std::unique_ptr<GLock> CreateLock() override {
        return brokenLocks ? std::make_unique<BrokenLock>() : GNT40OSFactory::CreateLock();
    }
    bool brokenLocks = false;
    bool noLocks = false;
};
} // namespace

TEST_F(DriverServerTest, LockFailuresAreCriticalErrorsAndTheRequestGivesUp) {
    auto* factory = new BrokenLockFactory;
    factory->brokenLocks = true;
    GOSFactory::Install(std::unique_ptr<GOSFactory>(factory));
    uint32_t cookie = 7;
    EXPECT_EQ(Get(u"P1", u"Driver A", cookie), nullptr);
    EXPECT_EQ(cookie, 7u);
    ASSERT_FALSE(g_reports.empty());
    EXPECT_EQ(g_reports.front(), "2 301 drvrsrvr");
    EXPECT_EQ(g_events.created, g_events.deleted);
    EXPECT_EQ(g_events.identitiesDeleted, 1);
}

TEST_F(DriverServerTest, TheProcessWideServerNeedsItsLocks) {
    GOSFactory::Install(nullptr);
    EXPECT_EQ(GDriverServer::Create(), nullptr); // no platform services, no locks
    EXPECT_EQ(GDriverServer::Instance(), nullptr);
    GOSFactory::Install(std::make_unique<ServerTestFactory>());
    GDriverServer* server = GDriverServer::Create();
    ASSERT_NE(server, nullptr);
    EXPECT_EQ(GDriverServer::Create(), server);
    EXPECT_EQ(GDriverServer::Instance(), server);
    GDriverServer::Destroy();
    EXPECT_EQ(GDriverServer::Instance(), nullptr);
}

// Many callers at once: every instance is open for one request at a time,
// and every instance made is deleted once.
TEST_F(DriverServerTest, ConcurrentRequestsNeverShareAnInstance) {
    constexpr int kThreads = 8;
    constexpr int kRounds = 200;
    GDriverServer& server = Server(); // made before the threads start
    std::atomic<int> shared{0};
    std::atomic<int> failures{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            for (int round = 0; round < kRounds; ++round) {
                const bool a = (t + round) % 3 != 0;
                uint32_t cookie = 0;
                auto* instance = dynamic_cast<TestInstance*>(
                    server.GetDriver(Identity(a ? u"P1" : u"P3", a ? u"Driver A" : u"Driver B"), &cookie));
                if (instance == nullptr) {
                    ++failures;
                    continue;
                }
                if (instance->inUse.exchange(1) != 0) ++shared;
                if (server.LookupDriver(cookie) != instance) ++failures;
                instance->inUse = 0;
                server.ReleaseDriver(cookie);
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(shared, 0);
    EXPECT_EQ(failures, 0);
    EXPECT_TRUE(g_reports.empty());
    EXPECT_EQ(server.DriverCount(), 0u);
    server.FreeParked();
    EXPECT_EQ(g_events.created, g_events.deleted);
    EXPECT_EQ(g_events.identitiesDeleted, kThreads * kRounds);
}
