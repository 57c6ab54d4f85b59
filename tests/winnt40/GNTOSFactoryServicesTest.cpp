// The Windows NT platform services beside the value stores: local times and
// their shift, the locale snapshot, the temporary and module folders, files
// and unique names, locks, the driver's data file and the process-wide
// instance.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "driver/GLocaleInfo.h"
#include "driver/ReportCriticalError.h"
#include "tests/support/TempFolder.h"
#include "tests/winnt40/FailingLock.h"
#include "tests/winnt40/PlatformServicesTestSupport.h"
#include "winnt40/GSemaphoreLock.h"

namespace {

using namespace platformtest;

std::string Narrow(const RWWString& text) {
    return std::string(text.Data(), text.Data() + text.Length());
}

// Whether name has the shape: each '#' of shape a digit or capital letter,
// every other character itself.
bool HasShape(const std::string& name, const std::string& shape) {
    if (name.size() != shape.size()) return false;
    for (size_t i = 0; i < name.size(); ++i) {
        const bool drawn = (name[i] >= '0' && name[i] <= '9') || (name[i] >= 'A' && name[i] <= 'Z');
        if (shape[i] == '#' ? !drawn : name[i] != shape[i]) return false;
    }
    return true;
}

// --- Local times ------------------------------------------------------------------

class DateTimeTest : public HostStoreTest {
protected:
    static void SetClock(WORD year, WORD month, WORD day, WORD dayOfWeek, WORD hour, WORD minute,
                         WORD second) {
        WinHostStore::Instance().UseFakeClock(
            SYSTEMTIME{year, month, dayOfWeek, day, hour, minute, second, 250});
    }

    GNT40OSFactory factory_;
};

TEST_F(DateTimeTest, TheShiftedRecordCarriesIntoDayMonthAndYearWithItsOwnWeekday) {
    struct Moment {
        WORD year, month, day, dayOfWeek, hour, minute;
    };
    struct Case {
        Moment now;
        int16_t offset;
        Moment shifted;
    };
    // Weekdays worked out from the calendar, 0 = Sunday.
    const Case cases[] = {
        {{2001, 12, 31, 1, 23, 45}, 90, {2002, 1, 1, 2, 1, 15}},
        {{2002, 1, 1, 2, 1, 15}, -90, {2001, 12, 31, 1, 23, 45}},
        {{2000, 3, 1, 3, 0, 30}, -90, {2000, 2, 29, 2, 23, 0}}, // leap year
        {{2001, 2, 28, 3, 23, 0}, 60, {2001, 3, 1, 4, 0, 0}},   // no leap year
        {{2100, 2, 28, 0, 23, 30}, 30, {2100, 3, 1, 1, 0, 0}},  // a century is no leap year
        {{2004, 12, 31, 5, 12, 0}, 0, {2004, 12, 31, 5, 12, 0}},
        {{2001, 6, 15, 5, 12, 0}, 32767, {2001, 7, 8, 0, 6, 7}}, // more than a day: every day counts
        {{2001, 6, 15, 5, 12, 0}, -32768, {2001, 5, 23, 3, 17, 52}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.now.year << "-" << c.now.month << "-" << c.now.day << " " << c.offset);
        SetClock(c.now.year, c.now.month, c.now.day, c.now.dayOfWeek, c.now.hour, c.now.minute, 42);
        EXPECT_EQ(factory_.SetTimeOffset(c.offset), c.offset);
        GDateTime local{};
        GDateTime shifted{};
        int16_t offset = 0;
        ASSERT_EQ(factory_.GetDateTime(&local, &shifted, &offset), 1);
        EXPECT_EQ(offset, c.offset);
        const GDateTime expectedLocal{c.now.year,   c.now.month, c.now.day, c.now.hour,
                                      c.now.minute, 42,          0,         c.now.dayOfWeek};
        const GDateTime expectedShifted{
            c.shifted.year,     c.shifted.month, c.shifted.day, c.shifted.hour, c.shifted.minute, 42, 0,
            c.shifted.dayOfWeek};
        EXPECT_EQ(std::memcmp(&local, &expectedLocal, sizeof local), 0);
        EXPECT_EQ(std::memcmp(&shifted, &expectedShifted, sizeof shifted), 0)
            << shifted.year << "-" << shifted.month << "-" << shifted.day << " " << shifted.hour << ":"
            << shifted.minute << " weekday " << shifted.dayOfWeek;
    }
}

// --- Locale ------------------------------------------------------------------------

class LocaleTest : public HostStoreTest {
protected:
    GNT40OSFactory factory_;
};

struct ExpectedLocale {
    int32_t numbers[GLocaleInfo::kNumberCount];
    const char* texts[GLocaleInfo::kTextCount];
};

void ExpectLocale(const GLocaleInfo& info, const ExpectedLocale& expected) {
    for (uint32_t i = 0; i < GLocaleInfo::kNumberCount; ++i) {
        EXPECT_EQ(info.GetNumber(static_cast<GLocaleInfo::Number>(i)), expected.numbers[i]) << "number " << i;
    }
    for (uint32_t i = 0; i < GLocaleInfo::kTextCount; ++i) {
        EXPECT_TRUE(info.GetText(static_cast<GLocaleInfo::Text>(i)) == expected.texts[i]) << "text " << i;
    }
}

const ExpectedLocale kUnitedStates = {
    {1, 2, 0, 0, 2, 1, 1, 1, 0, 0, 409},
    {"AM", "PM", "United States", "$", "/", ".", "ENU", ",", "dddd, MMMM dd, yyyy", "M/d/yy", ",", ":"},
};

TEST_F(LocaleTest, WithoutTheInternationalKeyEveryFieldKeepsItsDefault) {
    std::unique_ptr<GLocaleInfo> info = factory_.GetLocaleInfo();
    ASSERT_NE(info, nullptr);
    ExpectLocale(*info, kUnitedStates);
}

TEST_F(LocaleTest, ValuesReadFromTheKeyReplaceTheirDefaultsOneByOne) {
    WinHostStore& store = WinHostStore::Instance();
    const std::u16string key = u"Control Panel\\International";
    store.SetRegistryString(HKEY_CURRENT_USER, key, u"iCountry", u"44");
    store.SetRegistryString(HKEY_CURRENT_USER, key, u"iMeasure", u"0");
    store.SetRegistryString(HKEY_CURRENT_USER, key, u"Locale", u"00000809");
    store.SetRegistryString(HKEY_CURRENT_USER, key, u"iDigits", u"x");
    store.SetRegistryString(HKEY_CURRENT_USER, key, u"s1159", u"");
    store.SetRegistryString(HKEY_CURRENT_USER, key, u"sCurrency", u"\u00A3");
    store.SetRegistryString(HKEY_CURRENT_USER, key, u"sShortDate", u"dd/MM/yyyy");
    store.SetRegistryString(HKEY_CURRENT_USER, key, u"sLanguage", u"ENG");
    // A text longer than the 128-byte buffer cannot be read.
    store.SetRegistryString(HKEY_CURRENT_USER, key, u"sLongDate", std::u16string(200, u'd'));
    std::unique_ptr<GLocaleInfo> info = factory_.GetLocaleInfo();
    ASSERT_NE(info, nullptr);
    const ExpectedLocale expected = {
        {44, 2, 0, 0, 0, 1, 0, 1, 0, 0, 809},
        {"", "PM", "United States", "\xA3", "/", ".", "ENG", ",", "dddd, MMMM dd, yyyy", "dd/MM/yyyy", ",",
         ":"},
    };
    ExpectLocale(*info, expected);
}

// --- Folders and files ----------------------------------------------------------------

class FolderTest : public HostStoreTest {
protected:
    void SetUp() override {
        HostStoreTest::SetUp();
        LendPrinterHandle(factory_);
    }

    TestFactory factory_;
};

TEST_F(FolderTest, TheTemporaryFolderComesFromPrinterDataThenTmpThenTemp) {
    struct Case {
        const char16_t* printerValue;
        const char16_t* tmp;
        const char16_t* temp;
        const char16_t* expected;
    };
    const Case cases[] = {
        {u"D:\\Spool", u"C:\\Tmp", u"C:\\Temp", u"D:\\Spool"},
        {nullptr, u"C:\\Tmp", u"C:\\Temp", u"C:\\Tmp"},
        {u"", u"C:\\Tmp", u"C:\\Temp", u"C:\\Tmp"},
        {nullptr, nullptr, u"C:\\Temp", u"C:\\Temp"},
        {nullptr, nullptr, nullptr, u"\\SystemRoot\\System32\\Spool\\Printers"},
    };
    WinHostStore& store = WinHostStore::Instance();
    for (const Case& c : cases) {
        SCOPED_TRACE(Narrow(c.expected));
        if (c.printerValue != nullptr) {
            ASSERT_EQ(factory_.SetPrinterDataString(&context_, u"TempDirectoryLocation", c.printerValue), 1);
        } else {
            factory_.DeletePrinterDataValue(&context_, u"TempDirectoryLocation");
        }
        c.tmp != nullptr ? store.SetEnvironmentVariable(u"TMP", c.tmp)
                         : store.UnsetEnvironmentVariable(u"TMP");
        c.temp != nullptr ? store.SetEnvironmentVariable(u"TEMP", c.temp)
                          : store.UnsetEnvironmentVariable(u"TEMP");
        EXPECT_EQ(Narrow(factory_.GetTempFolder(&context_)), Narrow(c.expected));
    }
}

TEST(ModuleFolderTest, TheFolderHasNoTrailingSeparatorAndIsKept) {
    WinHostStore& store = WinHostStore::Instance();
    store.Reset();
    store.SetProcessPath(u"C:\\Program Files\\Quorvex\\host.exe");
    GNT40OSFactory factory;
    EXPECT_EQ(Narrow(factory.GetModuleFolder()), "C:\\Program Files\\Quorvex");
    store.SetProcessPath(u"D:\\Elsewhere\\host.exe");
    EXPECT_EQ(Narrow(factory.GetModuleFolder()), "C:\\Program Files\\Quorvex");

    GNT40OSFactory noFolder;
    store.SetProcessPath(u"host.exe");
    EXPECT_EQ(Narrow(noFolder.GetModuleFolder()), "");
    store.Reset();
}

class FileTest : public HostStoreTest {
protected:
    void SetUp() override {
        HostStoreTest::SetUp();
        root_ = temp_.Path();
        std::filesystem::create_directories(root_ / "Spool");
        WinHostStore::Instance().MapDrive(u'Q', root_.string());
    }

    std::vector<std::string> SpoolFiles() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(root_ / "Spool")) {
            names.push_back(entry.path().filename().string());
        }
        return names;
    }

    qvtest::TempFolder temp_{"qvfiles"};
    std::filesystem::path root_;
    GNT40OSFactory factory_;
};

TEST_F(FileTest, FileExistsCreatesNothingAndCreateEmptyFileTruncates) {
    EXPECT_EQ(factory_.FileExists(u"Q:\\Spool\\page.pg"), 0);
    EXPECT_TRUE(SpoolFiles().empty());
    { std::ofstream(root_ / "Spool" / "page.pg") << "ten bytes!"; }
    EXPECT_EQ(factory_.FileExists(u"Q:\\Spool\\page.pg"), 1);
    EXPECT_EQ(factory_.CreateEmptyFile(u"Q:\\Spool\\page.pg"), 1);
    EXPECT_EQ(std::filesystem::file_size(root_ / "Spool" / "page.pg"), 0u);
    EXPECT_EQ(factory_.CreateEmptyFile(u"Q:\\Missing\\page.pg"), 0);
}

TEST_F(FileTest, UniqueNamesFillTheTemplateAfterOneSeparator) {
    struct Case {
        const char16_t* folder;
        const char16_t* nameTemplate;
        const char* shape;
    };
    const Case cases[] = {
        {u"Q:\\Spool", u"", "Q:\\Spool\\########.###"},
        {u"Q:\\Spool\\", u"", "Q:\\Spool\\########.###"},
        {u"Q:\\Spool", u"pg&&&&.tmp", "Q:\\Spool\\pg####.tmp"},
        {u"", u"&&&&", "####"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shape);
        const RWWString name = factory_.MakeUniqueFileName(c.folder, c.nameTemplate, 0);
        EXPECT_TRUE(HasShape(Narrow(name), c.shape)) << Narrow(name);
    }
    EXPECT_TRUE(SpoolFiles().empty()) << "without the create flag nothing is created";

    std::set<std::string> created;
    for (int i = 0; i < 5; ++i) {
        const RWWString name = factory_.MakeUniqueFileName(u"Q:\\Spool", u"", 1);
        EXPECT_TRUE(HasShape(Narrow(name), "Q:\\Spool\\########.###")) << Narrow(name);
        created.insert(Narrow(name).substr(9));
    }
    const std::vector<std::string> files = SpoolFiles();
    EXPECT_EQ(std::set<std::string>(files.begin(), files.end()), created);
}

// A generator that always draws the same character.
class StuckRandomFactory : public GNT40OSFactory {
public:
    int32_t Random() override {
        ++draws;
        return 0;
    }
    int draws = 0;
};

TEST_F(FileTest, UniqueNamesGiveUpAfterABoundedNumberOfTries) {
    StuckRandomFactory factory;
    ASSERT_EQ(Narrow(factory.MakeUniqueFileName(u"Q:\\Spool", u"&&", 1)), "Q:\\Spool\\00");
    factory.draws = 0;
    // Every name the generator can make is taken.
    EXPECT_EQ(Narrow(factory.MakeUniqueFileName(u"Q:\\Spool", u"&&", 1)), "");
    EXPECT_EQ(factory.draws, 2 * GOSFactory::kUniqueNameAttempts);
    // A folder that cannot take the file ends the search at once.
    factory.draws = 0;
    EXPECT_EQ(Narrow(factory_.MakeUniqueFileName(u"Q:\\Missing", u"&&&&", 1)), "");
    EXPECT_EQ(Narrow(factory.MakeUniqueFileName(u"Q:\\Missing", u"&&", 1)), "");
    EXPECT_EQ(factory.draws, 2);
}

// --- Locks ------------------------------------------------------------------------------

TEST(SemaphoreLockTest, LockAndUnlockSucceedAndASecondUnlockFails) {
    WinHostStore::Instance().Reset();
    GSemaphoreLock lock;
    EXPECT_EQ(lock.Lock(), 0);
    EXPECT_EQ(lock.Unlock(), 0);
    EXPECT_EQ(lock.Unlock(), GLock::kUnlockFailed);
    EXPECT_EQ(lock.Lock(), 0);
    EXPECT_EQ(lock.Unlock(), 0);
}

TEST(SemaphoreLockTest, ALockHeldByOneThreadMakesAnotherWait) {
    WinHostStore::Instance().Reset();
    GSemaphoreLock lock;
    ASSERT_EQ(lock.Lock(), 0);
    std::atomic<bool> entered{false};
    std::thread other([&] {
        EXPECT_EQ(lock.Lock(), 0);
        entered = true;
        EXPECT_EQ(lock.Unlock(), 0);
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_FALSE(entered.load());
    EXPECT_EQ(lock.Unlock(), 0);
    other.join();
    EXPECT_TRUE(entered.load());
}

TEST(SharedLockTest, RacingThreadsGetTheSameLock) {
    WinHostStore::Instance().Reset();
    GNT40OSFactory factory;
    GLock* slot = nullptr;
    std::vector<GLock*> seen(8, nullptr);
    std::vector<std::thread> threads;
    for (size_t i = 0; i < seen.size(); ++i) {
        threads.emplace_back([&, i] {
            factory.CreateSharedLock(&slot);
            seen[i] = slot;
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    ASSERT_NE(slot, nullptr);
    for (GLock* lock : seen)
        EXPECT_EQ(lock, slot);
    GLock* kept = slot;
    factory.CreateSharedLock(&slot);
    EXPECT_EQ(slot, kept);
    delete slot;
}

class FailingSharedLockFactory : public GNT40OSFactory {
public:
    FailingSharedLockFactory(bool failLock, bool failUnlock) {
        SetSharedLock(std::make_unique<FailingLock>(failLock, failUnlock));
    }
};

std::vector<std::string> g_reports;

void RecordReport(int severity, uint32_t errorId, const char* sourceName, int, const char*) {
    g_reports.push_back(std::to_string(severity) + " " + std::to_string(errorId) + " " + sourceName);
}

TEST(SharedLockTest, LockFailuresAreCriticalErrors301And302) {
    WinHostStore::Instance().Reset();
    g_reports.clear();
    const CriticalErrorHandler previous = SetCriticalErrorHandler(&RecordReport);
    {
        FailingSharedLockFactory factory(true, false);
        GLock* slot = nullptr;
        factory.CreateSharedLock(&slot);
        EXPECT_EQ(slot, nullptr);
    }
    {
        FailingSharedLockFactory factory(false, true);
        GLock* slot = nullptr;
        factory.CreateSharedLock(&slot);
        EXPECT_NE(slot, nullptr);
        delete slot;
    }
    SetCriticalErrorHandler(previous);
    EXPECT_EQ(g_reports, (std::vector<std::string>{"2 301 osfactry", "2 302 osfactry"}));
}

// --- The driver's data file and the instance ------------------------------------------------

class DriverDataFileTest : public HostStoreTest {};

TEST_F(DriverDataFileTest, TheDataFileComesFromThePrintersDriver) {
    WinDriverRecord driver;
    driver.name = kDriver;
    driver.dataFile = u"C:\\WINNT\\System32\\spool\\drivers\\w32x86\\3\\QVCL.GPD";
    WinHostStore::Instance().AddDriver(driver);
    GNT40OSFactory factory;
    EXPECT_EQ(Narrow(factory.GetDriverDataFile(&context_)),
              "C:\\WINNT\\System32\\spool\\drivers\\w32x86\\3\\QVCL.GPD");
    TestDriverContext unknown(u"No Such Printer");
    EXPECT_EQ(Narrow(factory.GetDriverDataFile(&unknown)), "");
}

TEST(FactoryInstanceTest, TheCreatorInstallsTheProcessWideInstance) {
    GOSFactory* created = GNT40OSFactory::Create();
    ASSERT_NE(created, nullptr);
    EXPECT_EQ(GOSFactory::Instance(), created);
    EXPECT_NE(dynamic_cast<GNT40OSFactory*>(GOSFactory::Instance()), nullptr);
    GOSFactory::Install(nullptr);
    EXPECT_EQ(GOSFactory::Instance(), nullptr);
}

} // namespace
