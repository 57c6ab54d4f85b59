// The job-mode escape at the end of a document: sent only for a manual
// duplex job (253 and 245 non-zero), as ~0x303EB8EE, the mode and a zero
// word; a device answering 1 to mode 1 runs the page without a sheet
// unless the one-shot setting 1010 is there.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <vector>

#include "model/GAttributeComposite.h"
#include "model/GValueAttribute.h"
#include "tests/winnt40/NTDriverTestSupport.h"
#include "winapi/host/WinPrinterDcSetup.h"
#include "winapi/host/WinUiDriver.h"

namespace {

using namespace ntdrivertest;

class JobModeDriver : public TestDriver {
public:
    JobModeDriver() : GDriverContext(kPrinter, kDriver, kPort), TestDriver(nullptr) {}
    int32_t RunNonPropPageSheet() override {
        ++sheets;
        return 1;
    }
    int sheets = 0;
};

std::unique_ptr<GAttributeComposite> Settings(uint16_t duplex, uint16_t manual, bool oneShot) {
    auto settings = std::make_unique<GAttributeComposite>(360);
    settings->Add(new GValueAttribute(duplex, 253));
    settings->Add(new GValueAttribute(manual, 245));
    if (oneShot) settings->Add(new GValueAttribute(0, 1010));
    return settings;
}

TEST(GNT40DriverJobModeEscapeTest, SentOnlyForManualDuplexAndItsAnswerDecidesTheSheet) {
    struct Case {
        uint16_t duplex, manual;
        bool oneShot;
        int deviceAnswer;
        uint32_t mode;
        bool sent;
        int sheets;
    };
    const std::vector<Case> cases = {
        {1, 1, false, 1, 1, true, 1}, {1, 1, true, 1, 1, true, 0},   {1, 1, false, 0, 1, true, 0},
        {1, 1, false, 1, 0, true, 0}, {0, 1, false, 1, 1, false, 0}, {1, 0, false, 1, 1, false, 0},
    };
    for (const Case& c : cases) {
        JobModeDriver driver;
        driver.SetCachedPrinterSettings(Settings(c.duplex, c.manual, c.oneShot));
        WinPrinterDcSetup setup;
        setup.drawable = false;
        setup.escapeAnswers[0x303EB8EE] = c.deviceAnswer;
        HDC dc = WinUiDriver::CreatePrinterDC(setup);
        EXPECT_EQ(driver.SendJobModeEscape(dc, c.mode), 1);
        const std::vector<WinRecordedEscape> escapes = WinUiDriver::Escapes(dc);
        ASSERT_EQ(escapes.size(), c.sent ? 1u : 0u);
        if (c.sent) {
            EXPECT_EQ(escapes[0].escape, 0x303EB8EE);
            const std::vector<BYTE> expected = {0x11, 0x47, 0xC1, 0xCF, static_cast<BYTE>(c.mode), 0, 0, 0,
                                                0,    0,    0,    0};
            EXPECT_EQ(escapes[0].input, expected);
            EXPECT_EQ(escapes[0].outputSize, 0);
        }
        EXPECT_EQ(driver.sheets, c.sheets);
        DeleteDC(dc);
    }
}

class NonPropSheetTest : public NTDriverTest {};

TEST_F(NonPropSheetTest, RunsForManualDuplexAndGivesUpTheAdministrationHandle) {
    for (const uint16_t manual : {uint16_t{0}, uint16_t{1}}) {
        TestDriver driver(nullptr);
        driver.SetCachedPrinterSettings(Settings(1, manual, false));
        ASSERT_EQ(driver.OpenAdminHandle(), 1);
        EXPECT_EQ(driver.RunNonPropPageSheet(), 1);
        // Only a sheet that ran gives the handle up.
        EXPECT_EQ(driver.IsAdminHandleOpen(), manual == 0 ? 1 : 0) << manual;
        driver.CloseAdminHandle();
    }
}

} // namespace
