// The module's start-up and shut-down, run on this program's own copy of
// the module code with a double module standing in for the module's file
// (its path names the folder where "RUZEVE32.DLL" is looked for).
#include <gtest/gtest.h>

#include <new>

#include "config/GNRAProvider.h"
#include "driver/GDocumentEventTable.h"
#include "driver/GDriverServer.h"
#include "driver/GOSFactory.h"
#include "driver/GProviderRegistry.h"
#include "driver/OutOfMemoryHandler.h"
#include "tests/driver/modules/TestModuleLog.h"
#include "winapi/WinCrtLocale.h"
#include "winapi/WinHandle.h"
#include "winapi/WinModule.h"
#include "winapi/WinReg.h"
#include "winapi/host/WinHostProcess.h"
#include "winapi/host/WinHostStore.h"
#include "winnt40/GModuleEntry.h"
#include "winnt40/GNT40OSFactory.h"

namespace {
constexpr const char16_t* kStandIn = u"QVSTANDIN.DLL";

void PreviousHandler() {
    throw std::bad_alloc();
}

class GModuleEntryTest : public ::testing::Test {
protected:
    void SetUp() override {
        WinHostStore& store = WinHostStore::Instance();
        store.RegisterModule(kStandIn, QV_TEST_MODULE_DIR "/libqvtestentries.so",
                             u"C:\\Drivers\\QVSTANDIN.DLL");
        module_.Reset(LoadLibraryW(kStandIn));
        ASSERT_TRUE(module_);
        previous_ = std::set_new_handler(&PreviousHandler);
    }

    void TearDown() override {
        entry_.Detach();
        GDriverServer::Destroy();
        GOSFactory::Install(nullptr);
        std::set_new_handler(previous_);
    }

    static void PutBeside(const char* library) {
        WinHostStore::Instance().RegisterModule(
            u"RUZEVE32.DLL", std::string(QV_TEST_MODULE_DIR) + "/" + library, u"C:\\Drivers\\RUZEVE32.DLL");
    }

    static std::u16string Log(const char16_t* module) { return testmodule::Read(module); }

    GModuleEntry entry_;
    WinScopedModule module_;
    std::new_handler previous_ = nullptr;
};
} // namespace

TEST_F(GModuleEntryTest, AttachBringsUpTheModulesObjectsAndDetachTakesThemDown) {
    ASSERT_EQ(entry_.Attach(module_.Get()), TRUE);
    EXPECT_EQ(entry_.GetModuleHandle(), module_.Get());
    ASSERT_NE(GOSFactory::Instance(), nullptr);
    EXPECT_NE(dynamic_cast<GNT40OSFactory*>(GOSFactory::Instance()), nullptr);
    EXPECT_EQ(GOSFactory::Instance()->GetModuleHandle(), module_.Get());
    EXPECT_EQ(std::get_new_handler(), &outOfMemoryHandler);
    EXPECT_EQ(NewHandlerReserveSize(), 1024u);
    ASSERT_NE(GDriverServer::Instance(), nullptr);
    ASSERT_NE(entry_.GetDocumentEventTable(), nullptr);
    EXPECT_EQ(entry_.GetDocumentEventTable()->Count(), 0u);
    EXPECT_NE(entry_.GetTableLock(), nullptr);
    EXPECT_NE(dynamic_cast<GNRAProvider*>(GProviderRegistry::Instance().FindProvider("VUZER 1.0")), nullptr);
    EXPECT_NE(entry_.KeepAlive().GetThreadHandle(), nullptr);
    EXPECT_EQ(entry_.KeepAlive().GetPeriod(), 500u);

    // The keep-alive holds a reference of its own.
    const HMODULE module = module_.Get();
    module_.Release();
    FreeLibrary(module);
    EXPECT_NE(GetModuleHandleW(kStandIn), nullptr);

    entry_.GetDocumentEventTable()->Set(reinterpret_cast<HANDLE>(uintptr_t{0x20}), 5);
    EXPECT_EQ(entry_.Detach(), TRUE);
    EXPECT_EQ(GetModuleHandleW(kStandIn), nullptr); // the keep-alive stopped and gave it back
    EXPECT_EQ(entry_.GetModuleHandle(), nullptr);
    EXPECT_EQ(entry_.GetDocumentEventTable(), nullptr);
    EXPECT_EQ(entry_.GetTableLock(), nullptr);
    EXPECT_EQ(GProviderRegistry::Instance().FindProvider("VUZER 1.0"), nullptr);
    EXPECT_EQ(std::get_new_handler(), &PreviousHandler);
    EXPECT_EQ(NewHandlerReserveSize(), 0u);
    EXPECT_NE(GDriverServer::Instance(), nullptr); // deleted at unload, not at detach
}

TEST_F(GModuleEntryTest, TheLocaleFollowsTheSystemsPrimaryLanguage) {
    struct Case {
        LANGID language;
        bool everyCategory;
    };
    const Case cases[] = {
        {0x0411, true},  {0x0804, true},  {0x0404, true}, {0x0412, true},
        {0x0407, false}, {0x0409, false}, {0x0111, true}, // only the low 8 bits count
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.language);
        WinHostStore::Instance().SetLanguages(c.language, 0x0409);
        WinHostStore::Instance().SetCodePages(936, 437);
        ASSERT_TRUE(CrtSetLocale(CRT_LC_ALL, "C"));
        ASSERT_EQ(entry_.Attach(module_.Get()), TRUE);
        for (int category = CRT_LC_COLLATE; category <= CRT_LC_MAX; ++category)
            EXPECT_EQ(CrtLocaleCodePage(category), c.everyCategory || category == CRT_LC_CTYPE ? 936u : 0u)
                << category;
        entry_.Detach();
    }
}

TEST_F(GModuleEntryTest, TheApplicationFlagsComeFromTheModuleBesideIt) {
    struct Case {
        const char* what;
        const char* library; // registered as C:\Drivers\RUZEVE32.DLL; null: none
        uint32_t flags;
    };
    const Case cases[] = {
        {"none", nullptr, 0},
        {"without GetAppFlags", "libqvtestentries.so", 0},
        {"with GetAppFlags", "libqvappflags.so", 0x20040180},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.library != nullptr) PutBeside(c.library);
        ASSERT_EQ(entry_.Attach(module_.Get()), TRUE);
        EXPECT_EQ(entry_.GetApplicationFlags(), c.flags);
        EXPECT_EQ(GetModuleHandleW(u"RUZEVE32.DLL"), nullptr); // freed again
        entry_.Detach();
        // Instances made after the detach read no application of it.
        EXPECT_EQ(entry_.GetApplicationFlags(), 0u);
    }
    EXPECT_EQ(Log(u"qvappflags"), u"attach;GetAppFlags;detach;");
}

namespace {
// Platform services that can make only the first n locks.
class LockRationFactory : public GNT40OSFactory {
public:
    explicit LockRationFactory(int locks) : locks_(locks) {}
    std::unique_ptr<GLock> CreateLock() override {
        if (locks_-- <= 0) return nullptr;
        return GNT40OSFactory::CreateLock();
    }

private:
    int locks_;
};
} // namespace

TEST_F(GModuleEntryTest, AFailedAttachUndoesWhatItDidAndALaterOneStartsClean) {
    // The handler's lock can be had, the driver server's cannot.
    GOSFactory::Install(std::make_unique<LockRationFactory>(1));
    EXPECT_EQ(entry_.Attach(module_.Get()), FALSE);
    EXPECT_EQ(std::get_new_handler(), &PreviousHandler);
    EXPECT_EQ(NewHandlerReserveSize(), 0u);
    EXPECT_EQ(GDriverServer::Instance(), nullptr);
    EXPECT_EQ(GOSFactory::Instance(), nullptr);
    EXPECT_EQ(entry_.GetDocumentEventTable(), nullptr);
    EXPECT_EQ(GProviderRegistry::Instance().FindProvider("VUZER 1.0"), nullptr);
    EXPECT_EQ(entry_.KeepAlive().GetThreadHandle(), nullptr);
    EXPECT_EQ(entry_.Detach(), TRUE); // what the loader does after a refused attach

    ASSERT_EQ(entry_.Attach(module_.Get()), TRUE);
    EXPECT_NE(dynamic_cast<GNT40OSFactory*>(GOSFactory::Instance()), nullptr);
    EXPECT_NE(GDriverServer::Instance(), nullptr);
    EXPECT_EQ(std::get_new_handler(), &outOfMemoryHandler);
}

TEST_F(GModuleEntryTest, AnotherProvidersNameIsLeftAlone) {
    GNRAProvider other;
    GProviderRegistry::Instance().Register(&other, "VUZER 1.0");
    ASSERT_EQ(entry_.Attach(module_.Get()), TRUE);
    EXPECT_EQ(GProviderRegistry::Instance().FindProvider("VUZER 1.0"), &other);
    entry_.Detach();
    EXPECT_EQ(GProviderRegistry::Instance().FindProvider("VUZER 1.0"), &other);
    GProviderRegistry::Instance().Unregister("VUZER 1.0");
}

TEST(GDocumentEventTableTest, EntriesAreKeyedByPrinterHandle) {
    GDocumentEventTable table;
    const auto handle = [](uintptr_t n) { return reinterpret_cast<HANDLE>(n); };
    EXPECT_TRUE(table.Set(handle(0x10), 1));
    EXPECT_TRUE(table.Set(handle(0x20), 2)); // same bucket (both 0 mod 16)
    EXPECT_TRUE(table.Set(handle(0x21), 3));
    EXPECT_FALSE(table.Set(handle(0x10), 4)); // replaced, not counted again
    EXPECT_EQ(table.Count(), 3u);
    uint32_t cookie = 0;
    ASSERT_TRUE(table.Find(handle(0x10), cookie));
    EXPECT_EQ(cookie, 4u);
    EXPECT_FALSE(table.Find(handle(0x30), cookie));
    EXPECT_TRUE(table.Remove(handle(0x20)));
    EXPECT_FALSE(table.Remove(handle(0x20)));
    ASSERT_TRUE(table.Find(handle(0x10), cookie));
    EXPECT_EQ(table.Count(), 2u);
    table.Clear();
    EXPECT_EQ(table.Count(), 0u);
    EXPECT_FALSE(table.Find(handle(0x21), cookie));
}
