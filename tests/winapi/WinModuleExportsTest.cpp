// The module's dynamic symbols: only its printer-interface entry points and
// DllMain, as the real module exports; none of the platform layer's or the
// C++ library's.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "tests/winapi/DynamicSymbols.h"

TEST(WinModuleExportsTest, TheModuleExportsOnlyItsEntryPointsAndDllMain) {
    const std::set<std::string> entryPoints = {
        "DllMain", "DrvDocumentPropertySheets", "DrvDevicePropertySheets", "DrvDeviceCapabilities",
        "DrvDocumentProperties", "DrvAdvancedDocumentProperties", "PrinterProperties", "DrvConvertDevMode",
        "DevQueryPrintEx", "DrvUpgradePrinter", "DrvPrinterEvent", "DrvDocumentEvent",
        "QVDrv_RegisterExtension", "QVDrv_QueryInterface", "UI_INITIALIZE", "UI_INTERFACEVERSION",
        "UI_DESTROY", "UI_CONFIGTOSETTINGS", "UI_SETTINGSTOCONFIG", "PropPageCallback", "DlgProcHook",
        "NonPropPageSheet", "PropertyPageProc", "ModalDlgProc", "GetStrDlgProc", "AboutBoxProc",
        // the module's resource data for the platform layer's loader
        "QvModuleResources"};
    const std::vector<std::string> symbols = DefinedDynamicSymbols(QV_MODULE_PATH);
    ASSERT_FALSE(symbols.empty());
    bool sawDllMain = false;
    for (const std::string& name : symbols) {
        EXPECT_TRUE(entryPoints.count(name) == 1) << "exported: " << name;
        sawDllMain = sawDllMain || name == "DllMain";
    }
    EXPECT_TRUE(sawDllMain);
}
