#pragma once
// What the job hook tests share: a fresh host store whose current folder is
// a temporary folder, where a double module the tests build is installed
// under the hook module's file name, and the log each double keeps of its
// calls.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/driver/PlatformServicesTestSupport.h"
#include "tests/support/TempFolder.h"
#include "winapi/WinModule.h"

namespace platformtest {

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

    // Installs a double module as the job hook module.
    void InstallHook(const char* library) {
        std::filesystem::copy_file(std::filesystem::path(QV_TEST_MODULE_DIR) / library,
                                   folder_ / "davevu32.dll",
                                   std::filesystem::copy_options::overwrite_existing);
    }

    // The calls the double named module logged, in order.
    static std::u16string Log(const char16_t* module) {
        auto value = Value(HKEY_CURRENT_USER, u"Software\\QVTest", module);
        if (!value.has_value()) return u"";
        return std::u16string(reinterpret_cast<const char16_t*>(value->data.data()),
                              value->data.size() / 2 - 1);
    }

    static bool HookLoaded() { return GetModuleHandleW(u"davevu32.dll") != nullptr; }

    qvtest::TempFolder temp_{"qvhook"};
    std::filesystem::path folder_;
};

} // namespace platformtest
