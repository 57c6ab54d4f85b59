// The module's own extension-UI entry points: UI_INITIALIZE makes the
// module handle of the first sheet's block the module of resource lookups.
#include <gtest/gtest.h>

#include <cstdlib>

#include "driver/GUIData.h"
#include "ui/framework/ExtensionUIExports.h"
#include "ui/framework/GResourceLibrary.h"

namespace {

HMODULE Handle(uintptr_t value) {
    return reinterpret_cast<HMODULE>(value);
}

// The lookup module is set once per process: each run starts a fresh test
// process (the thread-safe death-test style re-runs the program), so no
// other test of this program can have set it before.
TEST(ExtensionUIExportsTest, TheFirstSheetsModuleBecomesTheModuleOfResourceLookups) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    struct Step {
        uint32_t size;
        uintptr_t instance;
        uint16_t firstPage;
        uintptr_t expected; // the lookup module afterwards
    };
    struct Case {
        const char* name;
        std::vector<Step> steps;
    };
    const Case cases[] = {
        {"a counting call sets it", {{GUIData::kSizeTag, 0x1000, 0, 0x1000}}},
        {"the notice mode sets it", {{GUIData::kSizeTag, 0x1000, 0x789B, 0x1000}}},
        {"the first handle stays",
         {{GUIData::kSizeTag, 0x1000, 0, 0x1000}, {GUIData::kSizeTag, 0x2000, 0, 0x1000}}},
        {"a block without a handle leaves it unset",
         {{GUIData::kSizeTag, 0, 0, 0}, {GUIData::kSizeTag, 0x2000, 0, 0x2000}}},
        {"a block of another size is not read", {{56, 0x1000, 0, 0}, {GUIData::kSizeTag, 0x2000, 0, 0x2000}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EXIT(
            {
                int failed = ResourceLookupModule() != nullptr ? 1 : 0;
                for (const Step& step : c.steps) {
                    GUIData data;
                    data.size = step.size;
                    data.instance = Handle(step.instance);
                    data.kind = GUIData::kDocumentSheet;
                    UI_INITIALIZE(&data, step.firstPage);
                    if (ResourceLookupModule() != Handle(step.expected)) failed = 2;
                }
                std::exit(failed);
            },
            ::testing::ExitedWithCode(0), "");
    }
}

} // namespace
