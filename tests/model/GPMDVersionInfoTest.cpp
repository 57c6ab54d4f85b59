#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "ModelTestObjects.h"
#include "ValueTestSupport.h"
#include "model/GPMDVersionInfo.h"

using namespace modeltest;
using namespace valuetest;

namespace {

uint32_t Version(uint16_t major, uint16_t minor) {
    return (static_cast<uint32_t>(major) << 16) | minor;
}

GPMDVersionInfo Sample() {
    GPMDVersionInfo info(Version(2, 5), Version(1, 3), 2, 8);
    info.SetSerial(9);
    info.SetData1(0x11);
    info.SetData2(0x22);
    info.AddString("x");
    info.AddString("yz");
    return info;
}

} // namespace

TEST(GPMDVersionInfoTest, NextMinorAndNextMajorStopAt0xFFFF) {
    struct Case {
        const char* what;
        uint32_t before;
        bool major;
        uint16_t returned;
        uint32_t after;
    };
    const Case cases[] = {
        {"minor 2.5", Version(2, 5), false, 5, Version(2, 6)},
        {"major 2.6", Version(2, 6), true, 2, Version(3, 0)},
        {"minor saturated", Version(2, 0xFFFF), false, 0xFFFF, Version(2, 0xFFFF)},
        {"major saturated", Version(0xFFFF, 7), true, 0xFFFF, Version(0xFFFF, 7)},
        {"minor just below", Version(4, 0xFFFE), false, 0xFFFE, Version(4, 0xFFFF)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        GPMDVersionInfo onA(c.before, 0x12345678, 1);
        EXPECT_EQ(c.major ? onA.NextMajorA() : onA.NextMinorA(), c.returned);
        EXPECT_EQ(onA.GetVersionA(), c.after);
        EXPECT_EQ(onA.GetVersionB(), 0x12345678u);
        GPMDVersionInfo onB(0x12345678, c.before, 1);
        EXPECT_EQ(c.major ? onB.NextMajorB() : onB.NextMinorB(), c.returned);
        EXPECT_EQ(onB.GetVersionB(), c.after);
        EXPECT_EQ(onB.GetVersionA(), 0x12345678u);
    }
    GPMDVersionInfo fresh;
    EXPECT_EQ(fresh.GetKind(), 1);
    EXPECT_EQ(fresh.GetVersionA(), 0u);
}

TEST(GPMDVersionInfoTest, StringListOperations) {
    GPMDVersionInfo info;
    for (const char* text : {"a", "b", "a", "c", "a"})
        info.Append(text);
    EXPECT_EQ(info.IndexOf("c"), 3u);
    EXPECT_EQ(info.IndexOf("missing"), 0xFFFFFFFFu);
    EXPECT_EQ(info.IndexOf(RWCString("a\0", 2)), 0xFFFFFFFFu); // bytes and length
    EXPECT_EQ(info.Occurrences("a"), 3u);
    EXPECT_EQ(info.Remove("b"), 1);
    EXPECT_EQ(info.Remove("b"), 0);
    EXPECT_EQ(info.IndexOf("c"), 2u); // later strings moved down
    EXPECT_EQ(info.RemoveAll(info.GetStrings()[0]), 3u);
    ASSERT_EQ(info.GetStrings().size(), 1u);
    EXPECT_EQ(info.GetStrings()[0], RWCString("c"));

    for (int i = 0; i < 200; ++i)
        info.Append("n"); // grows past 64 and 128
    EXPECT_EQ(info.Occurrences("n"), 200u);
}

// The string forms sit beside the root's child operations instead of hiding
// them: called on the record, the child operations keep the root's answers
// and leave the string list alone.
TEST(GPMDVersionInfoTest, ChildOperationsAreTheRootsAndLeaveTheStrings) {
    GPMDVersionInfo info;
    info.Append("a");
    TestLeaf stranger(1);
    EXPECT_EQ(info.Remove(&stranger), nullptr);
    info.RemoveAll();
    MPersistentObject& asRoot = info;
    asRoot.RemoveAll();
    ASSERT_EQ(info.GetStrings().size(), 1u);
    EXPECT_EQ(info.GetStrings()[0], RWCString("a"));
}

TEST(GPMDVersionInfoTest, SavedFormPutsVersionBBeforeVersionA) {
    const GPMDVersionInfo info = Sample();
    const std::string fields =
        Words({1, 8, 9, 1, Version(1, 3), Version(2, 5)}) + U16(2) + Words({0x11, 0x22, 2});
    // A stream's text form repeats the length (its string output); a file's does not.
    const std::string streamBytes = fields + U32(1) + U32(1) + "x" + U32(2) + U32(2) + "yz";
    const std::string fileBytes = fields + U32(1) + "x" + U32(2) + "yz";

    BytesOut out;
    info.SaveGuts(out.stream);
    EXPECT_EQ(out.Bytes(), streamBytes);
    EXPECT_EQ(info.BinaryStoreSize(), fileBytes.size());
    TempFolder dir;
    const std::string path = dir.Path("version.bin");
    {
        RWBinaryFile file(path.c_str(), "wb");
        info.SaveGuts(file);
    }
    EXPECT_EQ(ReadFileBytes(path), fileBytes);

    GPMDVersionInfo restored(0, 0, 1);
    restored.AddString("old");
    BytesIn in(streamBytes);
    restored.RestoreGuts(in.stream);
    EXPECT_FALSE(in.stream.fail());
    EXPECT_TRUE(restored.IsEqualId(&info));
    EXPECT_EQ(restored.GetVersionA(), Version(2, 5));
}

TEST(GPMDVersionInfoTest, RestoreRefusesBadCountsAndKeepsTheRecord) {
    const std::string fields =
        Words({1, 8, 9, 1, Version(1, 3), Version(2, 5)}) + U16(2) + Words({0x11, 0x22});
    const std::string cases[] = {
        fields + U32(GPMDVersionInfo::kMaxStrings + 1), fields + U32(0xFFFFFFFF) + U32(1) + U32(1) + "x",
        fields + U32(2) + U32(1) + U32(1) + "x", // the second string is missing
        fields,                                  // count missing
    };
    for (const std::string& bytes : cases) {
        GPMDVersionInfo info(Version(7, 7), Version(6, 6), 3);
        info.AddString("kept");
        BytesIn in(bytes);
        info.RestoreGuts(in.stream);
        EXPECT_TRUE(in.stream.fail());
        EXPECT_EQ(info.GetVersionA(), Version(7, 7));
        EXPECT_EQ(info.GetKind(), 3);
        ASSERT_EQ(info.GetStrings().size(), 1u);
        EXPECT_EQ(info.GetStrings()[0], RWCString("kept"));
    }
}

TEST(GPMDVersionInfoTest, CopiesAndEqualityCoverEveryField) {
    const GPMDVersionInfo info = Sample();
    GPMDVersionInfo copy(info);
    EXPECT_TRUE(copy.IsEqualId(&info));
    EXPECT_EQ(copy.GetSerial(), info.GetSerial());
    GPMDVersionInfo assigned;
    assigned.AddString("gone");
    assigned = info;
    EXPECT_TRUE(assigned.IsEqualId(&info));

    struct Case {
        const char* what;
        void (*change)(GPMDVersionInfo&);
    };
    const Case cases[] = {
        {"id", [](GPMDVersionInfo& i) { i.SetId(1); }},
        {"versionA", [](GPMDVersionInfo& i) { i.NextMinorA(); }},
        {"versionB", [](GPMDVersionInfo& i) { i.NextMajorB(); }},
        {"data1", [](GPMDVersionInfo& i) { i.SetData1(0); }},
        {"data2", [](GPMDVersionInfo& i) { i.SetData2(0); }},
        {"one more string", [](GPMDVersionInfo& i) { i.AddString("w"); }},
        {"other string",
         [](GPMDVersionInfo& i) {
             i.Remove("yz");
             i.AddString("zz");
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        GPMDVersionInfo changed(info);
        c.change(changed);
        EXPECT_FALSE(changed.IsEqualId(&info));
    }
    GPMDVersionInfo otherKind(Version(2, 5), Version(1, 3), 3, 8);
    otherKind.SetData1(0x11);
    otherKind.SetData2(0x22);
    otherKind.AddString("x");
    otherKind.AddString("yz");
    EXPECT_FALSE(otherKind.IsEqualId(&info));

    for (Encoding encoding : {Encoding::Portable, Encoding::Endian}) {
        SCOPED_TRACE(Name(encoding));
        std::unique_ptr<MPersistentObject> restored = RoundTrip(info, encoding);
        ASSERT_NE(restored, nullptr);
        EXPECT_EQ(restored->IsA(), 1051);
        EXPECT_TRUE(restored->IsEqualId(&info));
    }
}
