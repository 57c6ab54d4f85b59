// Single printer-data values, the printer's own key, and the per-machine and
// per-user registry values of the Windows NT platform services: the bytes
// each write leaves in the registry, and the defaults of every failed read.
#include <gtest/gtest.h>

#include "tests/winnt40/PlatformServicesTestSupport.h"

namespace {

using namespace platformtest;

class PrinterValueTest : public HostStoreTest {
protected:
    void SetUp() override {
        HostStoreTest::SetUp();
        LendPrinterHandle(factory_);
    }

    TestFactory factory_;
};

TEST_F(PrinterValueTest, APrinterDataDwordIsFourBytesInThePrintersKey) {
    ASSERT_EQ(factory_.SetPrinterDataDword(&context_, u"Counter", 0x01020304), 1);
    auto value = PrinterData(u"Counter");
    ASSERT_TRUE(value.has_value());
    EXPECT_EQ(value->type, REG_DWORD);
    EXPECT_EQ(value->data, (std::vector<BYTE>{0x04, 0x03, 0x02, 0x01}));
    EXPECT_EQ(factory_.GetPrinterDataDword(&context_, u"Counter", 9), 0x01020304u);
}

TEST_F(PrinterValueTest, ADwordOfAnotherShapeGivesTheDefault) {
    WinHostStore& store = WinHostStore::Instance();
    store.SetRegistryValue(HKEY_LOCAL_MACHINE, kPrinterDataPath, u"Text", REG_SZ, TextBytes(u"7", true));
    store.SetRegistryValue(HKEY_LOCAL_MACHINE, kPrinterDataPath, u"Short", REG_DWORD, {7, 0});
    store.SetRegistryValue(HKEY_LOCAL_MACHINE, kPrinterDataPath, u"Long", REG_DWORD, {7, 0, 0, 0, 0, 0});
    for (const char16_t* name : {u"Text", u"Short", u"Long", u"Missing"}) {
        EXPECT_EQ(factory_.GetPrinterDataDword(&context_, name, 55), 55u);
    }
}

TEST_F(PrinterValueTest, APrinterDataStringCarriesNoTerminatorAndReadsBackWhole) {
    ASSERT_EQ(factory_.SetPrinterDataString(&context_, u"Location", u"Room 12"), 1);
    auto value = PrinterData(u"Location");
    ASSERT_TRUE(value.has_value());
    EXPECT_EQ(value->type, REG_SZ);
    EXPECT_EQ(value->data, TextBytes(u"Room 12", false));
    EXPECT_TRUE(factory_.GetPrinterDataString(&context_, u"Location", u"x") == RWWString(u"Room 12"));
}

TEST_F(PrinterValueTest, StringReadsStopAtTheFirstNulAndNeverPassTheValue) {
    WinHostStore& store = WinHostStore::Instance();
    struct Case {
        const char16_t* name;
        DWORD type;
        std::vector<BYTE> data;
        const char16_t* expected;
    };
    const Case cases[] = {
        {u"Terminated", REG_SZ, TextBytes(u"abc", true), u"abc"},
        {u"Unterminated", REG_SZ, TextBytes(u"abcd", false), u"abcd"},
        {u"OddSize", REG_SZ, {'a', 0, 'b'}, u"a"},
        {u"EmbeddedNul", REG_SZ, TextBytes(std::u16string(u"ab\0cd", 5), false), u"ab"},
        {u"Empty", REG_SZ, {}, u"fallback"},
        {u"Binary", REG_BINARY, TextBytes(u"abc", true), u"fallback"},
        {u"Missing", REG_NONE, {}, u"fallback"},
    };
    for (const Case& c : cases) {
        if (c.type != REG_NONE)
            store.SetRegistryValue(HKEY_LOCAL_MACHINE, kPrinterDataPath, c.name, c.type, c.data);
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(std::u16string(c.name).size());
        EXPECT_TRUE(factory_.GetPrinterDataString(&context_, c.name, u"fallback") == RWWString(c.expected));
    }
}

TEST_F(PrinterValueTest, StringOperationsUseTheContextsHandleOnly) {
    GNT40OSFactory noHandle;
    EXPECT_EQ(noHandle.SetPrinterDataString(&context_, u"Location", u"Room 12"), 0);
    EXPECT_FALSE(PrinterData(u"Location").has_value());
    ASSERT_EQ(factory_.SetPrinterDataString(&context_, u"Location", u"Room 12"), 1);
    EXPECT_TRUE(noHandle.GetPrinterDataString(&context_, u"Location", u"none") == RWWString(u"none"));
}

TEST_F(PrinterValueTest, DeletingAPrinterDataValue) {
    ASSERT_EQ(factory_.SetPrinterDataDword(&context_, u"Counter", 1), 1);
    EXPECT_EQ(factory_.DeletePrinterDataValue(&context_, u"Counter"), 1);
    EXPECT_FALSE(PrinterData(u"Counter").has_value());
    EXPECT_EQ(factory_.DeletePrinterDataValue(&context_, u"Counter"), 0);
}

TEST_F(PrinterValueTest, ThePrintersOwnKeyHoldsTerminatedStrings) {
    const std::u16string path =
        std::u16string(u"SYSTEM\\CurrentControlSet\\Control\\Print\\Printers\\") + kPrinter + u"\\DsSpooler";
    ASSERT_EQ(factory_.SetPrinterKeyString(&context_, u"DsSpooler", u"url", u"http://printer"), 1);
    auto value = Value(HKEY_LOCAL_MACHINE, path, u"url");
    ASSERT_TRUE(value.has_value());
    EXPECT_EQ(value->type, REG_SZ);
    EXPECT_EQ(value->data, TextBytes(u"http://printer", true));
    EXPECT_TRUE(factory_.GetPrinterKeyString(&context_, u"DsSpooler", u"url", u"-") ==
                RWWString(u"http://printer"));
    EXPECT_TRUE(factory_.GetPrinterKeyString(&context_, u"DsSpooler", u"none", u"-") == RWWString(u"-"));

    // An empty text makes the key and writes nothing.
    ASSERT_EQ(factory_.SetPrinterKeyString(&context_, u"Other", u"url", u""), 1);
    EXPECT_NE(WinHostStore::Instance().FindRegistryKey(
                  HKEY_LOCAL_MACHINE, std::u16string(u"SYSTEM\\CurrentControlSet\\Control\\Print\\"
                                                     u"Printers\\") +
                                          kPrinter + u"\\Other"),
              nullptr);
    EXPECT_FALSE(Value(HKEY_LOCAL_MACHINE, path.substr(0, path.size() - 9) + u"Other", u"url").has_value());
}

class RegistryValueTest : public HostStoreTest {
protected:
    GNT40OSFactory factory_;
};

TEST_F(RegistryValueTest, UserValuesAreWrittenWithTheirTerminator) {
    ASSERT_EQ(factory_.SetUserString(u"Software\\Quorvex\\Test", u"Name", u"Pool"), 1);
    ASSERT_EQ(factory_.SetUserDword(u"Software\\Quorvex\\Test", u"Count", 0xA0B0C0D0), 1);
    auto text = Value(HKEY_CURRENT_USER, u"Software\\Quorvex\\Test", u"Name");
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(text->type, REG_SZ);
    EXPECT_EQ(text->data, TextBytes(u"Pool", true));
    auto count = Value(HKEY_CURRENT_USER, u"Software\\Quorvex\\Test", u"Count");
    ASSERT_TRUE(count.has_value());
    EXPECT_EQ(count->type, REG_DWORD);
    EXPECT_EQ(count->data, DwordBytes(0xA0B0C0D0));

    EXPECT_TRUE(factory_.GetUserString(u"Software\\Quorvex\\Test", u"Name", u"-") == RWWString(u"Pool"));
    EXPECT_EQ(factory_.GetUserDword(u"Software\\Quorvex\\Test", u"Count", 1), 0xA0B0C0D0u);
    EXPECT_EQ(factory_.UserKeyExists(u"Software\\Quorvex\\Test"), 1);
    EXPECT_EQ(factory_.UserKeyExists(u"Software\\Quorvex\\Other"), 0);
}

TEST_F(RegistryValueTest, ReadsOfMissingOrMisshapenValuesGiveTheDefault) {
    WinHostStore& store = WinHostStore::Instance();
    store.SetRegistryValue(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Q", u"Text", REG_SZ, TextBytes(u"", true));
    store.SetRegistryValue(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Q", u"Word", REG_DWORD, {1, 0});
    store.SetRegistryValue(HKEY_CURRENT_USER, u"Software\\Q", u"Word", REG_BINARY, DwordBytes(5));
    EXPECT_TRUE(factory_.GetMachineString(u"SOFTWARE\\Q", u"Text", u"-") == RWWString(u""));
    EXPECT_TRUE(factory_.GetMachineString(u"SOFTWARE\\Q", u"None", u"-") == RWWString(u"-"));
    EXPECT_TRUE(factory_.GetMachineString(u"SOFTWARE\\None", u"Text", u"-") == RWWString(u"-"));
    EXPECT_EQ(factory_.GetMachineDword(u"SOFTWARE\\Q", u"Word", 3), 3u);
    EXPECT_EQ(factory_.GetUserDword(u"Software\\Q", u"Word", 4), 4u);
    EXPECT_EQ(factory_.MachineKeyExists(u"SOFTWARE\\Q"), 1);
    EXPECT_EQ(factory_.MachineKeyExists(u"SOFTWARE\\None"), 0);
}

TEST_F(RegistryValueTest, EnsureMachineDwordWritesTheDefaultOnlyWhenTheValueIsMissing) {
    WinHostStore& store = WinHostStore::Instance();
    store.SetRegistryDword(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Q", u"Kept", 8);
    EXPECT_EQ(factory_.EnsureMachineDword(u"SOFTWARE\\Q", u"Kept", 1), 0);
    EXPECT_EQ(factory_.EnsureMachineDword(u"SOFTWARE\\Q", u"Added", 2), 0);
    EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Q", u"Kept")->data, DwordBytes(8));
    EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Q", u"Added")->data, DwordBytes(2));
    // A missing key is reported with the registry's error and not created.
    EXPECT_EQ(factory_.EnsureMachineDword(u"SOFTWARE\\None", u"Added", 2),
              static_cast<int32_t>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(store.FindRegistryKey(HKEY_LOCAL_MACHINE, u"SOFTWARE\\None"), nullptr);
}

TEST_F(RegistryValueTest, AKeyThatMayNotBeWrittenFailsTheWrites) {
    WinHostStore& store = WinHostStore::Instance();
    store.CreateRegistryKey(HKEY_CURRENT_USER, u"Software\\Locked");
    store.SetKeyWritable(HKEY_CURRENT_USER, u"Software\\Locked", false);
    EXPECT_EQ(factory_.SetUserString(u"Software\\Locked", u"Name", u"x"), 0);
    EXPECT_EQ(factory_.SetUserDword(u"Software\\Locked", u"Count", 1), 0);
    EXPECT_FALSE(Value(HKEY_CURRENT_USER, u"Software\\Locked", u"Name").has_value());
}

} // namespace
