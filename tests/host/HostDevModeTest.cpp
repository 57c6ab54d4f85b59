#include "host/HostDevMode.h"

#include <gtest/gtest.h>

#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"

namespace {

// A DEVMODE of dmSize publicSize and dmDriverExtra extra bytes, all other
// bytes zero: dmSize at offset 68, dmDriverExtra at 70, both little-endian.
std::vector<uint8_t> Blank(uint16_t publicSize, uint16_t extra) {
    std::vector<uint8_t> bytes(publicSize + extra, 0);
    bytes[68] = static_cast<uint8_t>(publicSize);
    bytes[69] = static_cast<uint8_t>(publicSize >> 8);
    bytes[70] = static_cast<uint8_t>(extra);
    bytes[71] = static_cast<uint8_t>(extra >> 8);
    return bytes;
}

std::vector<uint8_t> Slice(const std::vector<uint8_t>& bytes, size_t offset, size_t size) {
    return {bytes.begin() + static_cast<long>(offset), bytes.begin() + static_cast<long>(offset + size)};
}

TEST(HostDevMode, SetWritesTheFieldAtItsOffsetAndItsFieldsBit) {
    struct Case {
        const char* field;
        const char* value;
        size_t offset;
        std::vector<uint8_t> bytes;
        std::vector<uint8_t> fields; // dmFields (offset 72) afterwards
    };
    const Case cases[] = {
        {"dmCopies", "3", 86, {0x03, 0x00}, {0x00, 0x01, 0x00, 0x00}},
        {"orientation", "2", 76, {0x02, 0x00}, {0x01, 0x00, 0x00, 0x00}},
        {"DMPAPERSIZE", "-1", 78, {0xFF, 0xFF}, {0x02, 0x00, 0x00, 0x00}},
        {"dmDuplex", "0x3", 94, {0x03, 0x00}, {0x00, 0x10, 0x00, 0x00}},
        {"dmBitsPerPel", "4294967295", 168, {0xFF, 0xFF, 0xFF, 0xFF}, {0x00, 0x00, 0x04, 0x00}},
        {"dmMediaType", "258", 196, {0x02, 0x01, 0x00, 0x00}, {0x00, 0x00, 0x00, 0x02}},
        {"formname", "A4", 102, {0x41, 0x00, 0x34, 0x00, 0x00, 0x00}, {0x00, 0x00, 0x01, 0x00}},
        // No dmFields bit of its own.
        {"dmSpecVersion", "1025", 64, {0x01, 0x04}, {0x00, 0x00, 0x00, 0x00}},
    };
    for (const Case& c : cases) {
        HostDevMode devMode(Blank(220, 8));
        std::string error;
        ASSERT_TRUE(devMode.Set(c.field, c.value, error)) << c.field << ": " << error;
        EXPECT_EQ(Slice(devMode.Bytes(), c.offset, c.bytes.size()), c.bytes) << c.field;
        EXPECT_EQ(Slice(devMode.Bytes(), 72, 4), c.fields) << c.field;
        EXPECT_EQ(devMode.Bytes().size(), 228u);
    }
}

TEST(HostDevMode, SetRefusesWhatTheFieldCannotHold) {
    struct Case {
        const char* field;
        const char* value;
        const char* message;
    };
    const Case cases[] = {
        {"dmCopies", "32768", "dmCopies wants a whole number from -32768 to 32767, not \"32768\""},
        {"dmCopies", "3x", "dmCopies wants a whole number from -32768 to 32767, not \"3x\""},
        {"dmCopies", "", "dmCopies wants a whole number from -32768 to 32767, not \"\""},
        {"dmLogPixels", "-1", "dmLogPixels wants a whole number from 0 to 65535, not \"-1\""},
        {"dmNup", "4294967296", "dmNup wants a whole number from 0 to 4294967295, not \"4294967296\""},
        {"dmFormName", "0123456789012345678901234567890X", "dmFormName takes at most 31 characters"},
        {"dmSize", "1172", "dmSize is fixed by the DEVMODE's bytes"},
        {"dmDriverExtra", "0", "dmDriverExtra is fixed by the DEVMODE's bytes"},
        {"dmWhatever", "1", "no DEVMODE field named dmWhatever"},
    };
    for (const Case& c : cases) {
        HostDevMode devMode(Blank(220, 0));
        const std::vector<uint8_t> before = devMode.Bytes();
        std::string error;
        EXPECT_FALSE(devMode.Set(c.field, c.value, error)) << c.field;
        EXPECT_EQ(error, c.message);
        EXPECT_EQ(devMode.Bytes(), before) << c.field;
    }
}

TEST(HostDevMode, FieldsBeyondDmSizeAreNeitherSetNorShown) {
    // An older DEVMODE of 156 public bytes ends inside dmFormName (102..165).
    HostDevMode devMode(Blank(156, 2));
    std::string error;
    EXPECT_FALSE(devMode.Set("dmFormName", "A4", error));
    EXPECT_EQ(error, "this DEVMODE has no dmFormName");
    ASSERT_TRUE(devMode.Set("dmCollate", "1", error)) << error;
    const HostValue summary = devMode.Summary();
    ASSERT_NE(summary.Find("dmCollate"), nullptr);
    EXPECT_EQ(summary.Find("dmCollate")->GetNumber(), 1);
    EXPECT_EQ(summary.Find("dmFormName"), nullptr);
    EXPECT_EQ(summary.Find("private bytes")->GetNumber(), 2);
}

TEST(HostDevMode, SummaryNamesThePublicFieldsAndTheFieldsBits) {
    std::vector<uint8_t> bytes = Blank(220, 952);
    // dmDeviceName "QV" at 0, dmFields 0x00010101 at 72, dmOrientation 2 at 76,
    // dmPaperSize 9 at 78, dmScale 100 at 84, dmYResolution 600 (0x258) at 96.
    bytes[0] = 'Q';
    bytes[2] = 'V';
    bytes[72] = 0x01;
    bytes[73] = 0x01;
    bytes[74] = 0x01;
    bytes[76] = 2;
    bytes[78] = 9;
    bytes[84] = 100;
    bytes[96] = 0x58;
    bytes[97] = 0x02;
    const HostValue summary = HostDevMode(bytes).Summary();
    EXPECT_EQ(summary.Find("dmDeviceName")->GetText(), "QV");
    EXPECT_EQ(summary.Find("dmSize")->GetNumber(), 220);
    EXPECT_EQ(summary.Find("dmDriverExtra")->GetNumber(), 952);
    EXPECT_EQ(summary.Find("dmFields")->GetNumber(), 0x00010101);
    const HostValue* names = summary.Find("dmFields names");
    ASSERT_NE(names, nullptr);
    ASSERT_EQ(names->Items().size(), 3u);
    EXPECT_EQ(names->Items()[0].GetText(), "DM_ORIENTATION");
    EXPECT_EQ(names->Items()[1].GetText(), "DM_COPIES");
    EXPECT_EQ(names->Items()[2].GetText(), "DM_FORMNAME");
    EXPECT_EQ(summary.Find("dmOrientation")->GetNumber(), 2);
    EXPECT_EQ(summary.Find("dmPaperSize")->GetNumber(), 9);
    EXPECT_EQ(summary.Find("dmScale")->GetNumber(), 100);
    EXPECT_EQ(summary.Find("dmYResolution")->GetNumber(), 600);
    EXPECT_NE(summary.Find("dmDitherType"), nullptr);
    EXPECT_EQ(summary.Find("private bytes")->GetNumber(), 952);
}

TEST(HostDevMode, ReadFileTakesDmSizePlusDmDriverExtraBytesAndRefusesLess) {
    qvtest::TempFolder folder("qvhostdm");
    std::vector<uint8_t> bytes = Blank(220, 4);
    bytes.insert(bytes.end(), {0xEE, 0xEE}); // past the DEVMODE: not part of it
    const std::string path = folder.Path("a.devmode");
    ASSERT_TRUE(qvtest::WriteFileBytes(path, std::string(bytes.begin(), bytes.end())));
    HostDevMode devMode;
    std::string error;
    ASSERT_TRUE(devMode.ReadFile(path, error)) << error;
    EXPECT_EQ(devMode.Bytes().size(), 224u);

    const std::string out = folder.Path("b.devmode");
    ASSERT_TRUE(devMode.WriteFile(out, error)) << error;
    EXPECT_EQ(qvtest::ReadFileBytes(out), std::string(bytes.begin(), bytes.begin() + 224));

    const std::vector<uint8_t> truncated(bytes.begin(), bytes.begin() + 223);
    ASSERT_TRUE(qvtest::WriteFileBytes(path, std::string(truncated.begin(), truncated.end())));
    EXPECT_FALSE(devMode.ReadFile(path, error));
    EXPECT_EQ(error, path + " holds no DEVMODE: dmSize + dmDriverExtra is 224, the file 223 bytes");
    ASSERT_TRUE(qvtest::WriteFileBytes(path, std::string(71, '\0')));
    EXPECT_FALSE(devMode.ReadFile(path, error));
    EXPECT_EQ(error, path + " holds no DEVMODE: 71 bytes");
    EXPECT_FALSE(devMode.ReadFile(folder.Path("missing"), error));
    EXPECT_EQ(error, "cannot read " + folder.Path("missing"));
}

} // namespace
