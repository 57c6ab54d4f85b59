// The dynamic-library wrapper over a double module the tests build: lazy
// loading, calls, the module shared by copies, and its persisted path.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "driver/GDynamicLibrary.h"
#include "tests/driver/modules/TestModuleLog.h"
#include "tests/model/ModelTestObjects.h"
#include "tests/model/ValueTestSupport.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"
#include "tests/winnt40/PlatformServicesTestSupport.h"
#include "winapi/WinModule.h"

using namespace modeltest;
using namespace valuetest;

namespace {

constexpr const char16_t* kLibrary = u"QVTEST.DLL";

class GDynamicLibraryTest : public platformtest::HostStoreTest {
protected:
    void SetUp() override {
        HostStoreTest::SetUp();
        WinHostStore::Instance().RegisterModule(kLibrary, QV_TEST_MODULE_DIR "/libqvtestentries.so");
    }

    // The module's attach and detach calls so far.
    static std::u16string Log() { return testmodule::Read(u"qvtestentries"); }

    static bool Loaded() { return GetModuleHandleW(kLibrary) != nullptr; }
};

TEST_F(GDynamicLibraryTest, ALibraryIsLoadedByItsFirstCall) {
    GDynamicLibrary library(kLibrary);
    EXPECT_EQ(library.IsLoaded(), 0);
    EXPECT_FALSE(Loaded());
    EXPECT_EQ(library.CallProc("Twice", 20), 41u);
    EXPECT_EQ(library.IsLoaded(), 1);
    EXPECT_NE(library.GetHandle(), nullptr);
    // Two arguments: the low 16 bits of the result.
    EXPECT_EQ(library.CallProc2("AddPair", 0x1FFFF, 0x00002), 0x0001);
    EXPECT_EQ(library.CallProc("Missing", 1), 0u);
    EXPECT_EQ(library.CallProc2("Missing", 1, 2), 0);
    library.Unload();
    EXPECT_EQ(library.IsLoaded(), 0);
    EXPECT_FALSE(Loaded());
    EXPECT_EQ(Log(), u"attach;detach;");
}

TEST_F(GDynamicLibraryTest, ALibraryThatCannotBeLoadedAnswersZeroAndStaysUnloaded) {
    GDynamicLibrary library(u"NOSUCH.DLL");
    EXPECT_EQ(library.CallProc("Twice", 20), 0u);
    EXPECT_EQ(library.IsLoaded(), 0);
    EXPECT_EQ(library.Load(), 0);
    // Once the library is there, the next use loads it.
    WinHostStore::Instance().RegisterModule(u"NOSUCH.DLL", QV_TEST_MODULE_DIR "/libqvtestentries.so");
    EXPECT_EQ(library.CallProc("Twice", 1), 3u);
}

TEST_F(GDynamicLibraryTest, CopiesShareTheModuleAndTheLastOneFreesIt) {
    auto original = std::make_unique<GDynamicLibrary>(kLibrary);
    ASSERT_EQ(original->Load(), 1);
    GDynamicLibrary copy(*original);
    GDynamicLibrary assigned;
    assigned = copy;
    EXPECT_EQ(copy.IsLoaded(), 1);
    EXPECT_EQ(copy.GetHandle(), original->GetHandle());
    EXPECT_TRUE(copy.IsEqualId(original.get()));

    original.reset();
    EXPECT_TRUE(Loaded());
    EXPECT_EQ(copy.CallProc("Twice", 4), 9u);
    copy.Unload();
    EXPECT_TRUE(Loaded());
    EXPECT_EQ(assigned.CallProc("Twice", 5), 11u);
    assigned = GDynamicLibrary(u"OTHER.DLL");
    EXPECT_FALSE(Loaded());
    EXPECT_EQ(Log(), u"attach;detach;");
}

TEST_F(GDynamicLibraryTest, EqualityComparesPathLoadedFlagAndHandle) {
    GDynamicLibrary a(kLibrary);
    GDynamicLibrary b(kLibrary);
    EXPECT_TRUE(a.IsEqualId(&b));
    ASSERT_EQ(a.Load(), 1);
    EXPECT_FALSE(a.IsEqualId(&b));
    const GDynamicLibrary upper(kLibrary);
    const GDynamicLibrary lower(u"qvtest.dll");
    EXPECT_FALSE(lower.IsEqualId(&upper)); // the path's characters, exactly
}

TEST_F(GDynamicLibraryTest, TheSavedFormHoldsThePathAndARestoredLibraryIsNotLoaded) {
    GDynamicLibrary library(u"AB.DLL");
    library.SetId(7);
    library.SetSerial(8);
    // root, version 1, the wide string: u32 length and UTF-16LE units.
    const std::string expected = Words({1, 7, 8}) + U32(1) + U32(6) + std::string("A\0B\0.\0D\0L\0L\0", 12);
    qvtest::TempFolder dir;
    const std::string path = dir.Path("library.bin");
    {
        RWBinaryFile file(path.c_str(), "wb");
        library.SaveGuts(file);
    }
    EXPECT_EQ(qvtest::ReadFileBytes(path), expected);
    EXPECT_EQ(library.BinaryStoreSize(), expected.size());

    GDynamicLibrary loaded(kLibrary);
    ASSERT_EQ(loaded.Load(), 1);
    for (Encoding encoding : {Encoding::RawBinary, Encoding::Portable, Encoding::Endian}) {
        SCOPED_TRACE(Name(encoding));
        std::unique_ptr<MPersistentObject> restored = RoundTrip(loaded, encoding);
        ASSERT_NE(restored, nullptr);
        auto* copy = dynamic_cast<GDynamicLibrary*>(restored.get());
        ASSERT_NE(copy, nullptr);
        EXPECT_EQ(copy->IsLoaded(), 0);
        EXPECT_TRUE(copy->GetPath() == RWWString(kLibrary));
        EXPECT_EQ(copy->CallProc("Twice", 2), 5u);
    }
}

TEST_F(GDynamicLibraryTest, ARestoreOfAnotherVersionLeavesTheLibraryAsItWas) {
    GDynamicLibrary library(kLibrary);
    ASSERT_EQ(library.Load(), 1);
    BytesIn in(Words({1, 7, 8}) + U32(2) + U32(1) + U32(1) + "X");
    library.RestoreGuts(in.stream);
    EXPECT_TRUE(in.stream.fail());
    EXPECT_TRUE(library.GetPath() == RWWString(kLibrary));
    EXPECT_EQ(library.IsLoaded(), 1);
}

} // namespace
