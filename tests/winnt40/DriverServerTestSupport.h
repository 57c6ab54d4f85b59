#pragma once
// What the driver-server tests share: an instance double made through the
// platform factory's creation seam, a job-side double, an identity that
// counts its deletions, a factory double that counts data-file reads, and a
// fixture with printers of three drivers whose data files live in a
// temporary folder mapped as drive D:.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "driver/GDriver.h"
#include "driver/GDriverServer.h"
#include "driver/GPrinterIdentity.h"
#include "driver/ReportCriticalError.h"
#include "model/GAttributeComposite.h"
#include "model/GCountedPtr.h"
#include "model/GPersistInputStream.h"
#include "model/GPersistOutputStream.h"
#include "model/GResourceMapping.h"
#include "model/GResourceMappingList.h"
#include "model/GSettingIds.h"
#include "model/MPersistentComposite.h"
#include "rw/RWVirtualOutStream.h"
#include "tests/driver/NeutralDriver.h"
#include "tests/support/TempFolder.h"
#include "winapi/host/WinHostStore.h"
#include "winnt40/GNT40OSFactory.h"

namespace servertest {

// What the doubles saw, reset by the fixture.
struct Events {
    std::atomic<int> created{0};
    std::atomic<int> deleted{0};
    std::atomic<int> parked{0};
    std::atomic<int> reset{0};
    std::atomic<int> identitiesDeleted{0};
    std::atomic<int> dataFileReads{0};
    std::atomic<int> memoryQuestions{0};
    std::atomic<bool> failReset{false}; // ResetCache throws
    void Clear() {
        created = deleted = parked = reset = identitiesDeleted = dataFileReads = memoryQuestions = 0;
        failReset = false;
    }
};
inline Events g_events;

class CountedIdentity : public GPrinterIdentity {
public:
    using GPrinterIdentity::GPrinterIdentity;
    ~CountedIdentity() override { ++g_events.identitiesDeleted; }
};

inline std::unique_ptr<GPrinterIdentity> Identity(const RWWString& printer, const RWWString& driver) {
    return std::make_unique<CountedIdentity>(nullptr, printer, driver, RWWString(u"LPT1:"), 0);
}

// An exception of no standard kind.
struct ForeignFailure {};

// The driver instance the factory double makes.
class TestInstance : public NeutralDriver {
public:
    explicit TestInstance(const GPrinterIdentity& identity)
        : GDriverContext(identity.GetPrinterName(), identity.GetDriverName(), identity.GetPortName()),
          NeutralDriver(identity.GetPrinterName(), identity.GetDriverName(), identity.GetPortName()) {
        ++g_events.created;
    }
    ~TestInstance() override {
        ++g_events.deleted;
        if (announceDeletion) std::fprintf(stderr, "instance of %s deleted\n", announceDeletion);
    }

    using GDriver::ResetCache;
    void ResetCache(const GPrinterIdentity& identity) override {
        ++g_events.reset;
        if (g_events.failReset) throw ForeignFailure{};
        SetNames(identity.GetPrinterName(), identity.GetDriverName(), identity.GetPortName());
        GDriver::ResetCache(identity);
    }
    void PrepareToPark() override { ++g_events.parked; }
    int32_t ReleaseMemory() override {
        ++g_events.memoryQuestions;
        return givesMemory;
    }

    int32_t givesMemory = 0;
    std::atomic<int> inUse{0};
    const char* announceDeletion = nullptr; // death tests read stderr
};

// A job-side object: the job context is not built yet, so its interface is
// an opaque token (never used through).
class TestJobObject : public TestInstance {
public:
    // The most derived class names the virtual base's printer.
    explicit TestJobObject(const GPrinterIdentity& identity)
        : GDriverContext(identity.GetPrinterName(), identity.GetDriverName(), identity.GetPortName()),
          TestInstance(identity) {}
    GJobContext* AsJobObject() override { return reinterpret_cast<GJobContext*>(this); }
    GDriver* AsDriver() override { return nullptr; }
};

// The module's factory, making doubles and counting data-file reads.
class ServerTestFactory : public GNT40OSFactory {
public:
    GDriver* CreateDriver(const GPrinterIdentity& identity) override {
        return failCreate ? nullptr : new TestInstance(identity);
    }
    GDriverContext* CreateJobObject(const GPrinterIdentity& identity) override {
        return new TestJobObject(identity);
    }
    std::unique_ptr<GPersistInputStream> OpenFileInStream(const WCHAR* path, int32_t format) override {
        ++g_events.dataFileReads;
        EXPECT_EQ(format, 1); // raw binary
        if (beforeOpen) beforeOpen();
        return GNT40OSFactory::OpenFileInStream(path, format);
    }
    bool failCreate = false;
    std::function<void()> beforeOpen; // may throw, as a read of the data file can
};

inline std::vector<std::string> g_reports;

inline void RecordReport(int severity, uint32_t errorId, const char* sourceName, int, const char*) {
    g_reports.push_back(std::to_string(severity) + " " + std::to_string(errorId) + " " + sourceName);
}

// Printers P1 and P2 of "Driver A", P3 of "Driver B" (its data file has no
// node 194), P4 of "Driver C" (no data file), each data file in D:\.
class DriverServerTest : public ::testing::Test {
protected:
    void SetUp() override {
        WinHostStore& store = WinHostStore::Instance();
        store.Reset();
        g_events.Clear();
        g_reports.clear();
        previousHandler_ = SetCriticalErrorHandler(&RecordReport);
        store.MapDrive(u'D', folder_.Path().string());
        AddPrinter(u"P1", u"Driver A", u"D:\\a.dat");
        AddPrinter(u"P2", u"Driver A", u"D:\\a.dat");
        AddPrinter(u"P3", u"Driver B", u"D:\\b.dat");
        AddPrinter(u"P4", u"Driver C", u"D:\\missing.dat");
        factory_ = new ServerTestFactory;
        GOSFactory::Install(std::unique_ptr<GOSFactory>(factory_));
        WriteDataFile(u"D:\\a.dat", true);
        WriteDataFile(u"D:\\b.dat", false);
    }

    void TearDown() override {
        server_.reset();
        GOSFactory::Install(nullptr);
        SetCriticalErrorHandler(previousHandler_);
        WinHostStore::Instance().Reset();
    }

    static void AddPrinter(const char16_t* printer, const char16_t* driver, const char16_t* dataFile) {
        WinHostStore& store = WinHostStore::Instance();
        if (store.FindDriver(driver, u"Windows NT x86") == nullptr) {
            WinDriverRecord record;
            record.name = driver;
            record.dataFile = dataFile;
            store.AddDriver(record);
        }
        WinPrinterRecord record;
        record.name = printer;
        record.driverName = driver;
        record.portName = u"LPT1:";
        store.AddPrinter(record);
    }

    // A root holding nodes 353, 191 and 84, and 194 with one mapping when
    // asked, saved in the raw binary encoding.
    void WriteDataFile(const char16_t* path, bool withMappingList) {
        GCountedPtr root(new MPersistentComposite(1));
        root->Add(new GAttributeComposite(GSettingId::kConfigurationTree));
        root->Add(new GAttributeComposite(GSettingId::kPaperNumberTable));
        root->Add(new GAttributeComposite(GSettingId::kOsTrayMap));
        if (withMappingList) {
            auto* list = new GResourceMappingList(GSettingId::kResourceMappingList);
            list->AddUnique(new GResourceMapping(7, 15, 0, 0));
            root->Add(list);
        }
        std::unique_ptr<GPersistOutputStream> stream = factory_->OpenFileOutStream(path, 1);
        ASSERT_NE(stream, nullptr);
        *stream->GetStream() << static_cast<const RWCollectable*>(root.Get());
        stream->GetStream()->flush();
        ASSERT_TRUE(stream->GetStream()->good());
    }

    GDriverServer& Server() {
        if (server_ == nullptr) server_ = std::make_unique<GDriverServer>();
        return *server_;
    }

    // GetDriver for printer of driver, as an instance double (null on failure).
    TestInstance* Get(const char16_t* printer, const char16_t* driver, uint32_t& cookie) {
        return dynamic_cast<TestInstance*>(Server().GetDriver(Identity(printer, driver), &cookie));
    }

    ServerTestFactory* factory_ = nullptr;
    std::unique_ptr<GDriverServer> server_;
    qvtest::TempFolder folder_{"qvserver"};

private:
    CriticalErrorHandler previousHandler_ = nullptr;
};

} // namespace servertest
