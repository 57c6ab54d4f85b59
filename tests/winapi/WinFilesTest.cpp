#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>

#include "WinTestSupport.h"
#include "winapi/WinFile.h"
#include "winapi/WinHandle.h"
#include "winapi/host/WinHostStore.h"

namespace {
class WinFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(drive_ / "WINNT/System32/Spool/Printers");
        std::filesystem::create_directories(network_ / "server/print$/W32X86/3");
        WinHostStore& store = WinHostStore::Instance();
        store.MapDrive(u'C', drive_.Path());
        store.MapDrive(u'D', drive_ / "d");
        store.SetNetworkRoot(network_.Path());
        store.SetCurrentDirectory(u"C:\\WINNT");
    }
    static std::string Mapped(const char16_t* path) {
        std::string host;
        return MapWindowsPathToHost(path, host) ? host : "<" + std::to_string(GetLastError()) + ">";
    }
    static void Write(const std::string& host, const std::string& text) { std::ofstream(host) << text; }
    static std::string Read(const std::string& host) {
        std::ifstream in(host);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    TempHostFolder drive_;
    TempHostFolder network_;
};
} // namespace

TEST_F(WinFilesTest, OneMappingTurnsEveryKindOfWindowsPathIntoAHostFile) {
    const std::string c = drive_.Path();
    const std::string n = network_.Path();
    struct Case {
        const char16_t* windows;
        std::string host;
    };
    const Case cases[] = {
        {u"C:\\WINNT\\System32", c + "/WINNT/System32"},
        {u"c:\\winnt\\system32\\SPOOL\\printers\\new.tmp", c + "/WINNT/System32/Spool/Printers/new.tmp"},
        {u"\\SystemRoot\\System32\\Spool\\Printers", c + "/WINNT/System32/Spool/Printers"},
        {u"\\\\server\\print$\\w32x86\\3\\QVUI.DLL", n + "/server/print$/W32X86/3/QVUI.DLL"},
        {u"System32\\x.dat", c + "/WINNT/System32/x.dat"}, // relative to the current directory
        {u"\\Temp\\x", c + "/Temp/x"},                     // rooted on the current drive
        {u"C:x", c + "/WINNT/x"},
        {u"C:/WINNT/./System32/../x", c + "/WINNT/x"},
        {u"D:\\a", c + "/d/a"},
        {u"C:\\..\\etc\\passwd", "<3>"},           // never above the drive's folder
        {u"\\\\server\\print$\\..\\..\\x", "<3>"}, // nor above a share
        {u"E:\\a", "<3>"},                         // no such drive
        {u"\\\\server", "<53>"},
        {u"C:\\a:stream", "<123>"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.host);
        EXPECT_EQ(Mapped(test.windows), test.host);
    }
    WinHostStore::Instance().SetNetworkRoot("");
    EXPECT_EQ(Mapped(u"\\\\server\\print$\\x"), "<53>");
}

TEST_F(WinFilesTest, CreateFileDispositionsAndErrors) {
    const char16_t* name = u"C:\\WINNT\\data.bin";
    EXPECT_EQ(CreateFileW(name, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr),
              INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(CreateFileW(u"C:\\NoFolder\\x", GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr),
              INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
    {
        WinScopedFile file(
            CreateFileW(name, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(file);
        DWORD written = 0;
        ASSERT_TRUE(WriteFile(file.Get(), "hello", 5, &written, nullptr));
        EXPECT_EQ(written, 5u);
    }
    EXPECT_EQ(CreateFileW(name, GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_FILE_EXISTS);
    {
        // No access, OPEN_EXISTING: an existence test that changes nothing.
        WinScopedFile probe(CreateFileW(u"C:\\winnt\\DATA.BIN", 0, 0, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
        EXPECT_TRUE(probe);
        WinScopedFile reader(CreateFileW(name, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        char text[8] = {};
        DWORD read = 0;
        ASSERT_TRUE(ReadFile(reader.Get(), text, sizeof text, &read, nullptr));
        EXPECT_EQ(std::string(text, read), "hello");
        EXPECT_EQ(GetFileSize(reader.Get(), nullptr), 5u);
        EXPECT_EQ(SetFilePointer(reader.Get(), -2, nullptr, FILE_END), 3u);
        EXPECT_EQ(SetFilePointer(reader.Get(), -9, nullptr, FILE_CURRENT), INVALID_SET_FILE_POINTER);
        EXPECT_EQ(GetLastError(), ERROR_NEGATIVE_SEEK);
    }
    // No access, CREATE_ALWAYS: an existing file is emptied.
    WinScopedFile empty(CreateFileW(name, 0, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(empty);
    EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
    EXPECT_EQ(Read(drive_ / "WINNT/data.bin"), "");
    EXPECT_EQ(CreateFileW(u"C:\\WINNT", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr),
              INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED); // a folder needs backup semantics
}

TEST_F(WinFilesTest, FileCallsAndCRuntimeOpensGoThroughTheMapping) {
    Write(drive_ / "WINNT/Source.txt", "abc");
    ASSERT_TRUE(CopyFileW(u"C:\\WINNT\\source.txt", u"C:\\WINNT\\copy.txt", TRUE));
    EXPECT_FALSE(CopyFileW(u"C:\\WINNT\\source.txt", u"C:\\WINNT\\COPY.TXT", TRUE));
    EXPECT_EQ(GetLastError(), ERROR_FILE_EXISTS);
    EXPECT_EQ(Read(drive_ / "WINNT/copy.txt"), "abc");
    EXPECT_EQ(GetFileAttributesW(u"C:\\WINNT\\Copy.txt"), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(GetFileAttributesW(u"C:\\WINNT"), FILE_ATTRIBUTE_DIRECTORY);
    ASSERT_TRUE(MoveFileW(u"C:\\WINNT\\copy.txt", u"C:\\WINNT\\moved.txt"));
    FILE* file = _wfopen(u"\\SystemRoot\\MOVED.TXT", u"rb");
    ASSERT_NE(file, nullptr);
    char text[4] = {};
    EXPECT_EQ(std::fread(text, 1, 3, file), 3u);
    std::fclose(file);
    EXPECT_EQ(std::string(text), "abc");
    EXPECT_EQ(_waccess(u"C:\\WINNT\\moved.txt", 0), 0);
    EXPECT_EQ(_access("C:\\WINNT\\gone.txt", 0), -1);
    OFSTRUCT of;
    EXPECT_EQ(OpenFile("moved.txt", &of, OF_EXIST), 1);
    EXPECT_STREQ(of.szPathName, "C:\\WINNT\\moved.txt");
    EXPECT_EQ(OpenFile("gone.txt", &of, OF_EXIST), HFILE_ERROR);
    EXPECT_TRUE(DeleteFileW(u"C:\\WINNT\\Moved.txt"));
    EXPECT_FALSE(DeleteFileW(u"C:\\WINNT\\Moved.txt"));
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    EXPECT_TRUE(CreateDirectoryW(u"C:\\New", nullptr));
    EXPECT_FALSE(CreateDirectoryW(u"C:\\new", nullptr));
    EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
    EXPECT_TRUE(RemoveDirectoryW(u"C:\\NEW"));
}

TEST_F(WinFilesTest, FindListsMatchesWithoutCaseInNameOrder) {
    for (const char* name : {"b.DAT", "A.dat", "c.txt"})
        Write(drive_ / (std::string("WINNT/") + name), "");
    WIN32_FIND_DATAW data;
    WinScopedFind find(FindFirstFileW(u"C:\\WINNT\\*.dat", &data));
    ASSERT_TRUE(find);
    std::vector<std::u16string> names{data.cFileName};
    while (FindNextFileW(find.Get(), &data))
        names.emplace_back(data.cFileName);
    EXPECT_EQ(GetLastError(), ERROR_NO_MORE_FILES);
    EXPECT_EQ(names, (std::vector<std::u16string>{u"A.dat", u"b.DAT"}));
    EXPECT_EQ(FindFirstFileW(u"C:\\WINNT\\?.zip", &data), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
}

TEST_F(WinFilesTest, TempPathComesFromTmpThenTempThenTheWindowsFolder) {
    WinHostStore& store = WinHostStore::Instance();
    WCHAR buffer[MAX_PATH];
    struct Step {
        const char16_t* tmp;
        const char16_t* temp;
        std::u16string expected;
    };
    const Step steps[] = {{u"C:\\Tmp", u"C:\\Temp", u"C:\\Tmp\\"},
                          {nullptr, u"C:\\Temp\\", u"C:\\Temp\\"},
                          {nullptr, nullptr, u"C:\\WINNT\\"}};
    for (const Step& step : steps) {
        step.tmp ? store.SetEnvironmentVariable(u"TMP", step.tmp) : store.UnsetEnvironmentVariable(u"TMP");
        step.temp ? store.SetEnvironmentVariable(u"temp", step.temp)
                  : store.UnsetEnvironmentVariable(u"TEMP");
        const DWORD length = GetTempPathW(MAX_PATH, buffer);
        EXPECT_EQ(std::u16string(buffer, length), step.expected);
        EXPECT_EQ(GetTempPathW(2, buffer), step.expected.size() + 1); // too small: the size needed
    }
    EXPECT_EQ(GetEnvironmentVariableW(u"TMP", buffer, MAX_PATH), 0u);
    EXPECT_EQ(GetLastError(), ERROR_ENVVAR_NOT_FOUND);
    ASSERT_TRUE(SetEnvironmentVariableW(u"TMP", u"C:\\T"));
    EXPECT_EQ(GetEnvironmentVariableW(u"tmp", buffer, 3), 5u);
    EXPECT_EQ(GetEnvironmentVariableW(u"tmp", buffer, 5), 4u);
    EXPECT_EQ(std::u16string(buffer), u"C:\\T");
    char narrow[8];
    EXPECT_EQ(GetEnvironmentVariableA("TMP", narrow, sizeof narrow), 4u);
    EXPECT_STREQ(narrow, "C:\\T");
}

TEST_F(WinFilesTest, TempFileNamesAreCreatedExclusively) {
    WCHAR first[MAX_PATH], second[MAX_PATH];
    const UINT a = GetTempFileNameW(u"C:\\WINNT", u"QVabc", 0, first);
    const UINT b = GetTempFileNameW(u"C:\\WINNT\\", u"QV", 0, second);
    ASSERT_NE(a, 0u);
    ASSERT_NE(b, 0u);
    EXPECT_NE(std::u16string(first), std::u16string(second));
    EXPECT_EQ(std::u16string(first).substr(0, 12), u"C:\\WINNT\\QVa");
    EXPECT_EQ(std::u16string(first).substr(std::u16string(first).size() - 4), u".TMP");
    EXPECT_NE(GetFileAttributesW(first), INVALID_FILE_ATTRIBUTES);
    // A given number creates nothing and is written in hex.
    EXPECT_EQ(GetTempFileNameW(u"C:\\WINNT", u"QV", 0x1A2B, first), 0x1A2Bu);
    EXPECT_EQ(std::u16string(first), u"C:\\WINNT\\QV1A2B.TMP");
    EXPECT_EQ(GetFileAttributesW(first), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetTempFileNameW(u"C:\\Missing", u"QV", 0, first), 0u);
    EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
}
