// The module's dynamic symbols: only its printer-interface entry points and
// DllMain, as the real module exports; none of the platform layer's or the
// C++ library's.
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <sstream>
#include <string>

namespace {
std::vector<std::string> DefinedDynamicSymbols(const std::string& library) {
    const std::string command = std::string(QV_NM_PROGRAM) + " -D --defined-only " + library;
    std::vector<std::string> names;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return names;
    char line[4096];
    while (std::fgets(line, sizeof line, pipe) != nullptr) {
        std::istringstream fields(line);
        std::string address, type, name;
        if (fields >> address >> type >> name) names.push_back(name);
    }
    EXPECT_EQ(pclose(pipe), 0) << command;
    return names;
}
} // namespace

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
