// The printer-data writes of the calls an application repeats on a parked
// driver instance: asking for capabilities or handing back the DEVMODE it
// was given changes nothing, so nothing is written; a printer that has no
// default DEVMODE yet has its settings written once, not on every call.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

#include "driver/GDriverServer.h"
#include "tests/winnt40/NTDriverTestSupport.h"
#include "winapi/WinDriverUI.h"
#include "winapi/WinError.h"
#include "winapi/WinModule.h"
#include "winapi/WinUser.h"
#include "winnt40/GModuleEntry.h"
#include "winnt40/PrinterInterfaceExports.h"

namespace {

using namespace ntdrivertest;

constexpr size_t kImageBytes = 1172;

// The NT platform services, counting every write of printer data. A
// chunked value is counted when its write reached the spooler: the tests
// make the writes of its first chunk fail, so a value written fails and a
// value left as it is succeeds.
class CountingFactory : public GNT40OSFactory {
public:
    explicit CountingFactory(int& writes) : writes_(writes) {}

    int SetPrinterDataDword(GDriverContext* context, const RWWString& name, uint32_t value) override {
        ++writes_;
        return GNT40OSFactory::SetPrinterDataDword(context, name, value);
    }
    int SetPrinterDataString(GDriverContext* context, const RWWString& name, const RWWString& text) override {
        ++writes_;
        return GNT40OSFactory::SetPrinterDataString(context, name, text);
    }
    int WriteChunkedBinary(GDriverContext* context, const RWWString& name, const void* data,
                           uint32_t length) override {
        const int written = GNT40OSFactory::WriteChunkedBinary(context, name, data, length);
        if (written == 0) ++writes_;
        return written;
    }
    int SetPrinterKeyString(GDriverContext* context, const RWWString& subkey, const RWWString& name,
                            const RWWString& text) override {
        ++writes_;
        return GNT40OSFactory::SetPrinterKeyString(context, subkey, name, text);
    }
    int DeletePrinterDataValue(GDriverContext* context, const RWWString& name) override {
        ++writes_;
        return GNT40OSFactory::DeletePrinterDataValue(context, name);
    }

private:
    int& writes_;
};

class PrinterDataWritesTest : public NTDriverTest {
protected:
    void SetUp() override {
        NTDriverTest::SetUp();
        UseModelDataFile(u"QVMONO");
        GOSFactory::Install(std::make_unique<CountingFactory>(writes_));
        AttachModule();
        // An administrator's handle: the settings stores can reach the
        // printer's data through it.
        printer_ = Open(kPrinter, PRINTER_ALL_ACCESS);
        ASSERT_TRUE(printer_);
    }

    void TearDown() override {
        printer_.Reset();
        DetachModule();
        NTDriverTest::TearDown();
    }

    LPWSTR Name() const { return const_cast<LPWSTR>(kPrinter); }

    // The writes of one call, with the first chunk of each settings
    // composite value failing in turn (the store fails one value name at a
    // time): the most any one of them gives.
    int WritesOf(const std::function<void()>& call) {
        int most = 0;
        for (const char16_t* value : {u"365", u"366", u"368"}) {
            WinHostStore::Instance().FailValueWrites(GNTOSFactory::ChunkName(value, 0).Data(),
                                                     ERROR_ACCESS_DENIED);
            writes_ = 0;
            call();
            most = std::max(most, writes_);
        }
        WinHostStore::Instance().FailValueWrites(u"", ERROR_SUCCESS);
        return most;
    }

    void AskPapers() {
        std::vector<WORD> papers(256);
        EXPECT_NE(DrvDeviceCapabilities(printer_.Get(), Name(), DC_PAPERS, papers.data(), nullptr),
                  0xFFFFFFFFu);
    }

    // The DEVMODE written for in (the defaults without one).
    std::vector<BYTE> Properties(std::vector<BYTE>* in) {
        std::vector<BYTE> out(kImageBytes);
        const DWORD mode = in != nullptr ? DM_IN_BUFFER | DM_OUT_BUFFER : DM_OUT_BUFFER;
        EXPECT_EQ(
            DrvDocumentProperties(nullptr, printer_.Get(), Name(), reinterpret_cast<DEVMODEW*>(out.data()),
                                  in != nullptr ? reinterpret_cast<DEVMODEW*>(in->data()) : nullptr, mode),
            IDOK);
        return out;
    }

    int writes_ = 0;
    WinScopedPrinter printer_;
};

TEST_F(PrinterDataWritesTest, CallsThatChangeNothingWriteNothingOnAnInstalledPrinter) {
    ASSERT_EQ(DrvPrinterEvent(Name(), PRINTER_EVENT_INITIALIZE, 0, 0), TRUE);
    ASSERT_EQ(WinHostStore::Instance().FindPrinter(kPrinter)->devMode.size(), kImageBytes);
    // The first calls make the instance, park it and mark the defaults loaded.
    AskPapers();
    AskPapers();
    EXPECT_EQ(WritesOf([&] { AskPapers(); }), 0);

    std::vector<BYTE> given = Properties(nullptr);
    std::vector<BYTE> back;
    EXPECT_EQ(WritesOf([&] { back = Properties(&given); }), 0);
    EXPECT_EQ(back, given);
}

TEST_F(PrinterDataWritesTest, APrinterWithoutADefaultDevModeHasItsSettingsWrittenOnce) {
    ASSERT_TRUE(WinHostStore::Instance().FindPrinter(kPrinter)->devMode.empty());
    EXPECT_GT(WritesOf([&] { AskPapers(); }), 0) << "nothing was stored yet";
    for (int call = 0; call < 3; ++call)
        EXPECT_EQ(WritesOf([&] { AskPapers(); }), 0) << "call " << call;
}

} // namespace
