#pragma once
// What the job hook tests share: a fresh host store whose current folder is
// a temporary folder, where a double module the tests build is installed
// under the hook module's file name, and the log each double keeps of its
// calls.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/driver/modules/TestModuleLog.h"
#include "tests/support/TempFolder.h"
#include "tests/winnt40/PlatformServicesTestSupport.h"
#include "winapi/WinModule.h"

namespace platformtest {

// Installs a double module the tests build as the job hook module in folder.
inline void InstallHookModule(const std::filesystem::path& folder, const char* library) {
    std::filesystem::copy_file(std::filesystem::path(QV_TEST_MODULE_DIR) / library, folder / "davevu32.dll",
                               std::filesystem::copy_options::overwrite_existing);
}

class JobHookTest : public HostStoreTest {
protected:
    void SetUp() override {
        HostStoreTest::SetUp();
        folder_ = temp_.Path();
        // The hook module is looked for by its file name in the current
        // folder and loaded from there.
        WinHostStore& store = WinHostStore::Instance();
        store.MapDrive(u'H', folder_.string());
        store.SetCurrentDirectory(u"H:\\");
        store.AddModuleFolder(folder_.string());
    }

    void InstallHook(const char* library) { InstallHookModule(folder_, library); }
    static std::u16string Log(const char16_t* module) { return testmodule::Read(module); }

    static bool HookLoaded() { return GetModuleHandleW(u"davevu32.dll") != nullptr; }

    qvtest::TempFolder temp_{"qvhook"};
    std::filesystem::path folder_;
};

} // namespace platformtest
