#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "WinTestSupport.h"
#include "winapi/WinHandle.h"
#include "winapi/WinModule.h"
#include "winapi/WinReg.h"
#include "winapi/WinSpool.h"
#include "winapi/WinVersion.h"
#include "winapi/host/WinHostProcess.h"
#include "winapi/host/WinHostStore.h"

namespace {
class WinModulesTest : public ::testing::Test {
protected:
    void SetUp() override { WinHostStore::Instance().AddModuleFolder(QV_TEST_MODULE_DIR); }

    static DWORD Counter(const char16_t* key, const char16_t* name) {
        WinScopedKey open;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, key, 0, KEY_READ, open.Receive()) != ERROR_SUCCESS) return 0;
        DWORD value = 0, size = 4;
        RegQueryValueExW(open.Get(), name, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size);
        return value;
    }
};

template <typename Function> Function Entry(HMODULE module, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}
} // namespace

TEST_F(WinModulesTest, ModulesAreFoundByWindowsNameAndCountedPerLoad) {
    WinScopedModule first(LoadLibraryW(u"QVDOUBLE.DLL"));
    ASSERT_TRUE(first);
    EXPECT_EQ(Counter(u"Software\\QvDouble", u"Attached"), 1u); // DllMain wrote into the tests' registry
    WinScopedModule second(LoadLibraryW(u"qvdouble"));          // no extension: ".DLL" is implied
    EXPECT_EQ(second.Get(), first.Get());
    EXPECT_EQ(Counter(u"Software\\QvDouble", u"Attached"), 1u);
    EXPECT_EQ(GetModuleHandleW(u"QvDouble.dll"), first.Get());
    second.Reset();
    EXPECT_EQ(Counter(u"Software\\QvDouble", u"Detached"), 0u);
    first.Reset();
    EXPECT_EQ(Counter(u"Software\\QvDouble", u"Detached"), 1u);
    EXPECT_EQ(GetModuleHandleW(u"QVDOUBLE.DLL"), nullptr);
    EXPECT_FALSE(FreeLibrary(reinterpret_cast<HMODULE>(uintptr_t{0x1000})));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}

TEST_F(WinModulesTest, MissingModulesAndRefusedAttachesFail) {
    EXPECT_EQ(LoadLibraryW(u"NOSUCH.DLL"), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);
    EXPECT_EQ(LoadLibraryW(u"QVREFUSE.DLL"), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_DLL_INIT_FAILED);
    EXPECT_EQ(Counter(u"Software\\QvRefuse", u"Detached"), 1u);
    EXPECT_EQ(GetModuleHandleW(u"QVREFUSE.DLL"), nullptr);
}

TEST_F(WinModulesTest, GetProcAddressFindsOnlyTheModulesOwnExports) {
    WinScopedModule plain(LoadLibraryA("qvplain.dll"));
    ASSERT_TRUE(plain);
    auto answer = Entry<DWORD (*)(DWORD)>(plain.Get(), "PlainAnswer");
    ASSERT_NE(answer, nullptr);
    EXPECT_EQ(answer(20), 41u);
    // The module links the platform layer, but its calls are not its exports.
    EXPECT_EQ(GetProcAddress(plain.Get(), "RegSetValueExW"), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_PROC_NOT_FOUND);
    EXPECT_EQ(GetProcAddress(plain.Get(), "DllMain"), nullptr);
    EXPECT_EQ(GetProcAddress(plain.Get(), reinterpret_cast<LPCSTR>(uintptr_t{1})), nullptr);
}

TEST_F(WinModulesTest, ADoubleModuleAndTheTestsShareTheSpooler) {
    WinPrinterRecord printer;
    printer.name = u"P";
    WinHostStore::Instance().AddPrinter(printer);
    WinScopedModule module(LoadLibraryW(u"QVDOUBLE.DLL"));
    ASSERT_TRUE(module);
    auto set = Entry<DWORD (*)(LPWSTR, LPWSTR, DWORD)>(module.Get(), "DoubleSetPrinterData");
    auto get = Entry<DWORD (*)(LPWSTR, LPWSTR)>(module.Get(), "DoubleGetPrinterData");
    ASSERT_NE(set, nullptr);
    ASSERT_NE(get, nullptr);
    ASSERT_EQ(set(const_cast<LPWSTR>(u"P"), const_cast<LPWSTR>(u"FromModule"), 0x1234), ERROR_SUCCESS);
    WinScopedPrinter handle;
    ASSERT_TRUE(OpenPrinterW(const_cast<LPWSTR>(u"P"), handle.Receive(), nullptr));
    DWORD value = 0, needed = 0;
    ASSERT_EQ(GetPrinterDataW(handle.Get(), const_cast<LPWSTR>(u"FromModule"), nullptr,
                              reinterpret_cast<BYTE*>(&value), 4, &needed),
              ERROR_SUCCESS);
    EXPECT_EQ(value, 0x1234u);
    WinHostStore::Instance().SetRegistryDword(
        HKEY_LOCAL_MACHINE, u"SYSTEM\\CurrentControlSet\\Control\\Print\\Printers\\P\\PrinterDriverData",
        u"FromTest", 77);
    EXPECT_EQ(get(const_cast<LPWSTR>(u"P"), const_cast<LPWSTR>(u"FromTest")), 77u);
}

TEST_F(WinModulesTest, ModuleFileNamesAreWindowsPaths) {
    WinHostStore& store = WinHostStore::Instance();
    store.RegisterModule(u"RUZEVE32.DLL", std::string(QV_TEST_MODULE_DIR) + "/libqvplain.so",
                         u"C:\\WINNT\\System32\\spool\\drivers\\w32x86\\3\\RUZEVE32.DLL");
    WinScopedModule module(LoadLibraryW(u"C:\\anywhere\\ruzeve32.dll"));
    ASSERT_TRUE(module);
    WCHAR path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(module.Get(), path, MAX_PATH);
    EXPECT_EQ(std::u16string(path, length), u"C:\\WINNT\\System32\\spool\\drivers\\w32x86\\3\\RUZEVE32.DLL");
    WCHAR small[6];
    EXPECT_EQ(GetModuleFileNameW(module.Get(), small, 6), 6u);
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    EXPECT_EQ(std::u16string(small), u"C:\\WI");
    WinScopedModule byFolder(LoadLibraryW(u"qvDouble.dll"));
    ASSERT_EQ(GetModuleFileNameW(byFolder.Get(), path, MAX_PATH), 30u);
    EXPECT_EQ(std::u16string(path), u"C:\\WINNT\\System32\\qvDouble.dll"); // the name as first loaded
    store.SetProcessPath(u"C:\\WINNT\\System32\\spoolsv.exe");
    char narrow[MAX_PATH];
    EXPECT_EQ(GetModuleFileNameA(nullptr, narrow, MAX_PATH), 29u);
    EXPECT_STREQ(narrow, "C:\\WINNT\\System32\\spoolsv.exe");
}

TEST_F(WinModulesTest, StringsComeFromTheModulesResourceData) {
    WinScopedModule module(LoadLibraryW(u"QVDOUBLE.DLL"));
    HINSTANCE instance = module.Get();
    WCHAR buffer[8];
    EXPECT_EQ(LoadStringW(instance, 100, buffer, 8), 5);
    EXPECT_EQ(std::u16string(buffer), u"Hello");
    EXPECT_EQ(LoadStringW(instance, 101, buffer, 8), 7); // truncated to the buffer
    EXPECT_EQ(std::u16string(buffer), u"A longe");
    const WCHAR* direct = nullptr;
    EXPECT_EQ(LoadStringW(instance, 101, reinterpret_cast<LPWSTR>(&direct), 0), 15);
    EXPECT_EQ(std::u16string(direct, 15), u"A longer string");
    EXPECT_EQ(LoadStringW(instance, 102, buffer, 8), 0);
    EXPECT_EQ(GetLastError(), ERROR_RESOURCE_NAME_NOT_FOUND);
    char narrow[4];
    EXPECT_EQ(LoadStringA(instance, 100, narrow, 4), 3);
    EXPECT_STREQ(narrow, "Hel");
    WinScopedModule plain(LoadLibraryW(u"QVPLAIN.DLL"));
    EXPECT_EQ(LoadStringW(plain.Get(), 100, buffer, 8), 0);
}

TEST_F(WinModulesTest, VersionInformationComesFromTheModulesResourceData) {
    DWORD handle = 7;
    const DWORD size = GetFileVersionInfoSizeW(u"QVDOUBLE.DLL", &handle);
    ASSERT_GT(size, 0u);
    EXPECT_EQ(handle, 0u);
    // The module was loaded as data only: its DllMain never ran.
    EXPECT_EQ(Counter(u"Software\\QvDouble", u"Attached"), 0u);
    std::vector<BYTE> block(size);
    EXPECT_FALSE(GetFileVersionInfoW(u"QVDOUBLE.DLL", 0, size - 1, block.data()));
    ASSERT_TRUE(GetFileVersionInfoW(u"QVDOUBLE.DLL", 0, size, block.data()));
    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), u"\\", &value, &length));
    EXPECT_EQ(length, sizeof(VS_FIXEDFILEINFO));
    EXPECT_EQ(static_cast<VS_FIXEDFILEINFO*>(value)->dwFileVersionMS, 0x00040002u);
    ASSERT_TRUE(VerQueryValueW(block.data(), u"\\VarFileInfo\\Translation", &value, &length));
    ASSERT_EQ(length, 8u);
    EXPECT_EQ(static_cast<DWORD*>(value)[1], 0x04B00407u);
    struct Case {
        const char16_t* query;
        const char16_t* expected;
    };
    const Case cases[] = {{u"\\StringFileInfo\\040904B0\\FileDescription", u"Double module"},
                          {u"\\StringFileInfo\\040904b0\\productname", u"QV Test"},
                          {u"\\StringFileInfo\\040704B0\\FileDescription", u"Doppelmodul"},
                          {u"\\StringFileInfo\\040704B0\\ProductName", nullptr},
                          {u"\\StringFileInfo\\040904B0", nullptr}};
    for (const Case& c : cases) {
        const BOOL found = VerQueryValueW(block.data(), c.query, &value, &length);
        if (c.expected == nullptr) {
            EXPECT_FALSE(found);
            continue;
        }
        ASSERT_TRUE(found);
        EXPECT_EQ(std::u16string(static_cast<WCHAR*>(value)), c.expected);
        EXPECT_EQ(length, std::char_traits<char16_t>::length(c.expected) + 1);
    }
    EXPECT_EQ(GetFileVersionInfoSizeW(u"QVPLAIN.DLL", &handle), 0u);
    EXPECT_EQ(GetLastError(), ERROR_RESOURCE_TYPE_NOT_FOUND);
}

TEST(WinLanguageNamesTest, LanguageIdsHaveTheirNamesAndAShortBufferGetsTheNameCut) {
    struct Case {
        DWORD language;
        DWORD size;
        const char16_t* expected;
    };
    const Case cases[] = {
        {0x0409, 64, u"English (United States)"},
        {0x040D, 64, u"Hebrew"},
        {0x0401, 64, u"Arabic (Saudi Arabia)"},
        {0x0000, 64, u"Language Neutral"},
        {0x7777, 64, u"Language Neutral"}, // unknown: no error
        {0x0409, 8, u"English"},           // 7 characters and the NUL
        {0x0409, 1, u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.language);
        WCHAR buffer[64];
        std::fill(std::begin(buffer), std::end(buffer), u'#');
        const DWORD copied = VerLanguageNameW(c.language, buffer, c.size);
        EXPECT_EQ(std::u16string(buffer), c.expected);
        EXPECT_EQ(copied, std::char_traits<char16_t>::length(c.expected));
    }
    EXPECT_EQ(VerLanguageNameW(0x0409, nullptr, 64), 0u);
    WCHAR untouched = u'#';
    EXPECT_EQ(VerLanguageNameW(0x0409, &untouched, 0), 0u);
    EXPECT_EQ(untouched, u'#');
}

TEST_F(WinModulesTest, FreeLibraryAndExitThreadUnloadsAfterTheThreadHasLeftTheModule) {
    HMODULE module = LoadLibraryW(u"QVDOUBLE.DLL");
    ASSERT_NE(module, nullptr);
    WinScopedKernelObject thread(CreateThread(
        nullptr, 0,
        [](LPVOID parameter) -> DWORD { FreeLibraryAndExitThread(static_cast<HMODULE>(parameter), 9); },
        module, 0, nullptr));
    ASSERT_EQ(WaitForSingleObject(thread.Get(), INFINITE), WAIT_OBJECT_0);
    DWORD exitCode = 0;
    ASSERT_TRUE(GetExitCodeThread(thread.Get(), &exitCode));
    EXPECT_EQ(exitCode, 9u);
    EXPECT_EQ(Counter(u"Software\\QvDouble", u"Detached"), 1u);
    EXPECT_EQ(GetModuleHandleW(u"QVDOUBLE.DLL"), nullptr);
}

// Once the process has begun to end, a last FreeLibrary neither detaches
// nor unloads (checked in a child process: the state is process-wide).
TEST_F(WinModulesTest, AfterTheProcessBeganToEndModulesAreNeitherDetachedNorUnloaded) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_FALSE(WinProcessEnding());
    EXPECT_EXIT(
        {
            HMODULE module = LoadLibraryW(u"QVDOUBLE.DLL");
            WinBeginProcessEnd();
            FreeLibrary(module);
            const bool kept = Counter(u"Software\\QvDouble", u"Detached") == 0 &&
                              GetModuleHandleW(u"QVDOUBLE.DLL") == module && module != nullptr;
            std::_Exit(kept ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}
