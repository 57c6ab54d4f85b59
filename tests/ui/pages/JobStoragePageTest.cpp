// The Job Storage tab as its builder makes it over the colour model
// printer: the modes with and without a hard disk, the PIN and name fields
// as the user types and leaves them, the names' sources, the job number and
// job ID choice kept outside the settings, and the job header the stored
// settings give.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "device/GPJL.h"
#include "job/GDocumentStart.h"
#include "job/IsCharInFontTable.h"
#include "model/GAttributeComposite.h"
#include "model/GSettingIds.h"
#include "model/GStringAttribute.h"
#include "tests/support/CharacterTableBytes.h"
#include "tests/ui/framework/DialogTestSupport.h"
#include "tests/ui/framework/ModelPrinterSheet.h"
#include "tests/ui/framework/ResourceLibraryDoubles.h"
#include "tests/ui/framework/UIModelTestSupport.h"
#include "tests/ui/pages/BuiltPageFixture.h"
#include "ui/framework/CmapSegmentContains.h"
#include "ui/framework/GPropertyPage.h"
#include "ui/pages/GJobStorageFeature.h"
#include "ui/pages/JobStoragePageBuilder.h"
#include "winapi/WinDialog.h"
#include "winapi/WinMessageBox.h"
#include "winapi/WinReg.h"
#include "winapi/WinWindow.h"
#include "winapi/host/WinHostStore.h"
#include "winapi/host/WinRegistryKey.h"
#include "winapi/host/WinUiDriver.h"

namespace {

constexpr int kOff = 11553;
constexpr int kRequirePin = 11558;
constexpr int kProofAndHold = 11554;
constexpr int kStoredJob = 11557;
constexpr int kPrivateJob = 11555;
constexpr int kQuickCopy = 11556;
constexpr int kUserEdit = 11568;
constexpr int kJobEdit = 11559;
constexpr int kPinEdit = 11561;
constexpr int kPinLabel = 11560;
constexpr int kDescription = 11562;
constexpr int kWindowsUser = 5410;
constexpr int kCustomUser = 5411;
constexpr int kAutomaticJob = 5412;
constexpr int kCustomJob = 5413;
constexpr int kJobNumber = 11574;
constexpr int kDisplayJobId = 5417;
constexpr char16_t kPrinter[] = u"Office Printer";
constexpr char16_t kWindowsUserName[] = u"ann";

std::vector<BYTE> TextValue(const std::u16string& text) {
    std::vector<BYTE> bytes;
    for (char16_t c : text + u'\0') {
        bytes.push_back(static_cast<BYTE>(c & 0xFF));
        bytes.push_back(static_cast<BYTE>(c >> 8));
    }
    return bytes;
}

class JobStoragePageTest : public pagetest::BuiltPageFixture {
protected:
    void SetUp() override {
        BuiltPageFixture::SetUp();
        WinPrinterRecord printer;
        printer.name = kPrinter;
        WinHostStore::Instance().AddPrinter(printer);
        WinHostStore::Instance().SetUserName(kWindowsUserName);
    }

    HWND Open() {
        return OpenBuilt(
            [](PROPSHEETPAGEW& record, GUIModel* model) { return BuildJobStoragePage(record, model, 1); });
    }
    void StoreText(uint32_t id, const std::string& bytes) {
        ASSERT_EQ(Model()->CurrentSettings().SetString(id, RWCString(bytes.data(), bytes.size())), 1);
    }
    std::string StoredText(uint32_t id) {
        RWCString text;
        Model()->CurrentSettings().GetString(id, text);
        return std::string(text.Data(), text.Length());
    }
    // The printer's character table, before the page is built.
    void SetTable(const std::string& bytes) {
        const GStringAttribute table(RWCString(bytes.data(), bytes.size()),
                                     GSettingId::kAllowedNameCharacters);
        ASSERT_EQ(Model()->Defaults().Composite()->ReplaceById(GSettingId::kAllowedNameCharacters, &table),
                  1);
    }
    void SetPrinterData(const char16_t* name, const std::u16string& text) {
        WinHostStore::Instance().FindPrinterData(kPrinter)->SetValue(name, REG_SZ, TextValue(text));
    }
    // Types the text into the field and leaves it for the Off radio's
    // neighbour, the description.
    void TypeAndLeave(HWND dialog, int id, const std::u16string& text) {
        ASSERT_TRUE(WinUiDriver::Type(dialog, id, text));
        ASSERT_TRUE(WinUiDriver::Focus(dialog, kDisplayJobId));
    }
    std::u16string Text(int id) { return WinUiDriver::Text(window_, id); }
};

TEST_F(JobStoragePageTest, ThePinKeepsDigitsWhileTypedAndIsPaddedWhenLeft) {
    Store(GSettingId::kJobRetention, 4);
    HWND dialog = Open();
    EXPECT_EQ(Text(kPinEdit), u"0000"); // the default of a private job
    struct Case {
        std::u16string typed;
        std::u16string whileTyping;
        std::string stored;
    };
    for (const Case& c :
         {Case{u"1a2", u"12", "0012"}, Case{u"123", u"123", "0123"}, Case{u"12345", u"1234", "1234"}}) {
        ASSERT_TRUE(WinUiDriver::Type(dialog, kPinEdit, c.typed));
        EXPECT_EQ(Text(kPinEdit), c.whileTyping);
        ASSERT_TRUE(WinUiDriver::Focus(dialog, kDisplayJobId));
        EXPECT_EQ(StoredText(GSettingId::kJobPin), c.stored);
        EXPECT_EQ(Text(kPinEdit), std::u16string(c.stored.begin(), c.stored.end()));
    }
}

TEST_F(JobStoragePageTest, WithoutAUsableTableNamesAreUpperCasePrintableAscii) {
    // A malformed table counts as none.
    SetTable(qvtest::CharacterTableBytes({{0x20, 0x7E}}).substr(0, 12));
    Store(GSettingId::kJobRetention, 4);
    HWND dialog = Open();
    struct Case {
        int field;
        std::u16string text;
        bool pasted;
        std::u16string shown;
    };
    for (const Case& c : {Case{kUserEdit, u"smith", false, u"SMITH"}, Case{kJobEdit, u"ab\"cd", true, u"AB"},
                          Case{kJobEdit, u"x\u00e9y", true, u"X"},
                          Case{kJobEdit, u"abcdefghijklmnopq", false, u"ABCDEFGHIJKLMNOP"}}) {
        if (c.pasted) {
            ASSERT_TRUE(WinUiDriver::Focus(dialog, c.field));
            SetDlgItemTextW(dialog, c.field, c.text.c_str());
        } else {
            ASSERT_TRUE(WinUiDriver::Type(dialog, c.field, c.text));
        }
        EXPECT_EQ(Text(c.field), c.shown);
        ASSERT_TRUE(WinUiDriver::Focus(dialog, kDisplayJobId));
        const std::string stored =
            StoredText(c.field == kUserEdit ? GSettingId::kStoredJobUserName : GSettingId::kStoredJobName);
        EXPECT_EQ(stored, std::string(c.shown.begin(), c.shown.end()));
    }
    EXPECT_EQ(StoredText(GSettingId::kTypedUserName), "SMITH");
    EXPECT_EQ(StoredText(GSettingId::kJobStorageIdentity), "ABCDEFGHIJKLMNOP");
}

TEST_F(JobStoragePageTest, WithoutAHardDiskTheDiskModesAreHiddenAndNotChecked) {
    struct Case {
        int16_t disk;
        int16_t mode;
        int checked; // 0: none
    };
    for (const Case& c : {Case{0, 1, 0}, Case{0, 3, 0}, Case{0, 2, kProofAndHold}, Case{1, 1, kQuickCopy},
                          Case{1, 3, kStoredJob}, Case{1, 0, kOff}}) {
        SCOPED_TRACE(testing::Message() << "disk " << c.disk << " mode " << c.mode);
        Store(GSettingId::kHardDiskInstalled, c.disk);
        Store(GSettingId::kJobRetention, c.mode);
        Open();
        for (int id : {kQuickCopy, kStoredJob, kRequirePin})
            EXPECT_EQ(WinUiDriver::IsVisible(window_, id), c.disk == 1) << id;
        for (int id : {kOff, kQuickCopy, kProofAndHold, kStoredJob, kPrivateJob})
            EXPECT_EQ(Checked(id), id == c.checked) << id;
    }
}

TEST_F(JobStoragePageTest, ThePinIsAskedForInAStoredJobOnlyWithRequirePin) {
    Store(GSettingId::kHardDiskInstalled, 1);
    Store(GSettingId::kJobRetention, 3);
    Store(GSettingId::kPrivateJob, 0);
    HWND dialog = Open();
    EXPECT_FALSE(WinUiDriver::IsEnabled(dialog, kPinEdit));
    EXPECT_FALSE(WinUiDriver::IsEnabled(dialog, kPinLabel));
    ASSERT_TRUE(WinUiDriver::Click(dialog, kRequirePin));
    EXPECT_EQ(Stored(GSettingId::kPrivateJob), 1);
    EXPECT_TRUE(WinUiDriver::IsEnabled(dialog, kPinEdit));
    EXPECT_TRUE(WinUiDriver::IsEnabled(dialog, kPinLabel));
    // A private job always asks for it, and a PIN means nothing in the
    // modes without one.
    ASSERT_TRUE(WinUiDriver::Click(dialog, kPrivateJob));
    EXPECT_EQ(Stored(GSettingId::kJobRetention), 4);
    EXPECT_TRUE(WinUiDriver::IsEnabled(dialog, kPinEdit));
    EXPECT_FALSE(WinUiDriver::IsEnabled(dialog, kRequirePin));
    ASSERT_TRUE(WinUiDriver::Click(dialog, kProofAndHold));
    EXPECT_EQ(Stored(GSettingId::kPrivateJob), 0);
    EXPECT_FALSE(WinUiDriver::IsEnabled(dialog, kPinEdit));
    // Off: the names and their sources are put away.
    ASSERT_TRUE(WinUiDriver::Click(dialog, kOff));
    EXPECT_EQ(Stored(GSettingId::kJobRetention), 0);
    for (int id : {kUserEdit, kJobEdit, kWindowsUser, kCustomJob})
        EXPECT_FALSE(WinUiDriver::IsEnabled(dialog, id)) << id;
}

TEST_F(JobStoragePageTest, AClearedUserNameBecomesTheWindowsUserName) {
    Store(GSettingId::kJobRetention, 4);
    HWND dialog = Open();
    // The first showing takes the Windows user name.
    EXPECT_EQ(Text(kUserEdit), kWindowsUserName);
    EXPECT_EQ(StoredText(GSettingId::kStoredJobUserName), "ann");
    EXPECT_TRUE(Checked(kWindowsUser));
    TypeAndLeave(dialog, kUserEdit, u"Bob");
    EXPECT_EQ(Stored(GSettingId::kUserNameSource), 1);
    EXPECT_TRUE(Checked(kCustomUser));
    EXPECT_EQ(StoredText(GSettingId::kStoredJobUserName), "Bob");
    TypeAndLeave(dialog, kUserEdit, u"");
    EXPECT_EQ(Text(kUserEdit), kWindowsUserName);
    EXPECT_EQ(StoredText(GSettingId::kStoredJobUserName), "ann");
    EXPECT_EQ(StoredText(GSettingId::kTypedUserName), "ann");
    EXPECT_EQ(Stored(GSettingId::kUserNameSource), 0);
    EXPECT_TRUE(Checked(kWindowsUser));
}

TEST_F(JobStoragePageTest, AutomaticTypedInAnyCaseSelectsAutomatic) {
    Store(GSettingId::kJobRetention, 4);
    HWND dialog = Open();
    EXPECT_EQ(Text(kJobEdit), u"<Automatic>");
    EXPECT_TRUE(Checked(kAutomaticJob));
    TypeAndLeave(dialog, kJobEdit, u"Report");
    EXPECT_EQ(Stored(GSettingId::kJobNameSource), 1);
    EXPECT_TRUE(Checked(kCustomJob));
    for (const char16_t* typed : {u"<aUtOmAtIc>", u"<AUTOMATIC>", u""}) {
        TypeAndLeave(dialog, kJobEdit, u"Report");
        TypeAndLeave(dialog, kJobEdit, typed);
        EXPECT_EQ(Stored(GSettingId::kJobNameSource), 0);
        EXPECT_TRUE(Checked(kAutomaticJob));
    }
    // The Automatic button itself empties the stored name.
    TypeAndLeave(dialog, kJobEdit, u"Report");
    ASSERT_TRUE(WinUiDriver::Click(dialog, kAutomaticJob));
    EXPECT_EQ(Stored(GSettingId::kJobNameSource), 0);
    EXPECT_EQ(Text(kJobEdit), u"<Automatic>");
}

TEST_F(JobStoragePageTest, TheJobNumberComesFromThePrintersData) {
    Open();
    EXPECT_EQ(Text(kJobNumber), u"1");
    EXPECT_EQ(StoredText(GSettingId::kJobStorageName), "1");
    EXPECT_FALSE(WinUiDriver::IsEnabled(window_, kJobNumber));
    SetPrinterData(u"JobStorageUniqueID", u"42");
    Open();
    EXPECT_EQ(Text(kJobNumber), u"42");
    EXPECT_EQ(StoredText(GSettingId::kJobStorageName), "42");
}

TEST_F(JobStoragePageTest, TheJobIdIsShownUnlessTheUserKeepsJobsLocally) {
    const std::u16string key = u"Software\\Quorvex\\{1234}\\LocalJobStorageData";
    struct Case {
        bool uuid;
        int value; // -1: none, -2: a text
        int shown;
    };
    WinHostStore& store = WinHostStore::Instance();
    store.CreateRegistryKey(HKEY_CURRENT_USER, key);
    for (const Case& c :
         {Case{false, 1, 1}, Case{true, -1, 1}, Case{true, 0, 1}, Case{true, 1, 0}, Case{true, -2, 1}}) {
        SCOPED_TRACE(testing::Message() << "uuid " << c.uuid << " value " << c.value);
        store.FindPrinterData(kPrinter)->DeleteValue(u"PrinterUUID");
        if (c.uuid) SetPrinterData(u"PrinterUUID", u"{1234}");
        std::shared_ptr<WinRegistryKey> choice = store.FindRegistryKey(HKEY_CURRENT_USER, key);
        choice->DeleteValue(u"LocalJobStorage");
        if (c.value >= 0)
            choice->SetValue(u"LocalJobStorage", REG_DWORD, {static_cast<BYTE>(c.value), 0, 0, 0});
        if (c.value == -2) choice->SetValue(u"LocalJobStorage", REG_SZ, TextValue(u"1"));
        Store(GSettingId::kShowJobId, static_cast<int16_t>(1 - c.shown));
        Open();
        EXPECT_EQ(Stored(GSettingId::kShowJobId), c.shown);
        EXPECT_EQ(Checked(kDisplayJobId), c.shown == 1);
        ASSERT_TRUE(WinUiDriver::Click(window_, kDisplayJobId));
        EXPECT_EQ(Stored(GSettingId::kShowJobId), 1 - c.shown);
    }
}

TEST_F(JobStoragePageTest, CharactersThePrinterCannotShowBecomeMarksAndTheUserIsToldOnce) {
    Store(GSettingId::kJobRetention, 4);
    HWND dialog = Open();
    TypeAndLeave(dialog, kJobEdit, u"Gr\u00fc\u00dfe");
    EXPECT_EQ(Text(kJobEdit), u"Gr~~e");
    EXPECT_EQ(StoredText(GSettingId::kStoredJobName), "Gr~~e");
    const std::vector<WinRecordedMessageBox> boxes = WinUiDriver::MessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text,
              u"Some characters of the name cannot be used by the printer and were replaced by "
              u"\"~\".");
    EXPECT_EQ(boxes[0].caption, u"For Your Information");
    EXPECT_EQ(boxes[0].type & MB_ICONSTOP, MB_ICONSTOP);
    TypeAndLeave(dialog, kJobEdit, u"Plain");
    EXPECT_EQ(WinUiDriver::MessageBoxes().size(), 1u);
}

TEST_F(JobStoragePageTest, ANonAsciiNameIsStoredAsUtf8AndShownAgain) {
    SetTable(qvtest::CharacterTableBytes({{0x20, 0x7E}, {0xA0, 0xFF}}));
    Store(GSettingId::kJobRetention, 4);
    HWND dialog = Open();
    TypeAndLeave(dialog, kUserEdit, u"J\u00fcrgen");
    EXPECT_EQ(StoredText(GSettingId::kStoredJobUserName), "J\xC3\xBCrgen");
    EXPECT_EQ(StoredText(GSettingId::kTypedUserName), "J\xC3\xBCrgen");
    Open();
    EXPECT_EQ(Text(kUserEdit), u"J\u00fcrgen");
    EXPECT_TRUE(WinUiDriver::MessageBoxes().empty());
}

TEST_F(JobStoragePageTest, TheTabAndTheJobHeaderReadTheSameTable) {
    RWCString bytes;
    ASSERT_EQ(Model()->Defaults().GetString(GSettingId::kAllowedNameCharacters, bytes), 1);
    std::vector<uint16_t> words;
    for (size_t i = 0; i + 1 < bytes.Length(); i += 2)
        words.push_back(static_cast<uint16_t>(static_cast<uint8_t>(bytes.Data()[i]) |
                                              static_cast<uint8_t>(bytes.Data()[i + 1]) << 8));
    const NameCharacterTable table = GJobStorageFeature(Model()).CharacterTable();
    ASSERT_TRUE(table.Exists());
    int allowed = 0;
    for (uint32_t code = 0; code <= 0xFFFF; ++code) {
        const int32_t tab = table.Allows(static_cast<WCHAR>(code));
        ASSERT_EQ(tab, CmapSegmentContains(static_cast<uint16_t>(code), words.data(), words.size())) << code;
        allowed += tab;
    }
    // Printable ASCII, and the closing segment's 0xFFFF.
    EXPECT_EQ(allowed, 0x7E - 0x20 + 1 + 1);
    // The header's test of a name, over the header's reading of the table.
    const std::u16string accepted = u"Ann Lee ~42";
    EXPECT_EQ(
        AreCharsInFontTable(accepted.data(), accepted.size(), table.Words().data(), table.Words().size()), 1);
    const std::u16string refused = u"J\u00fcrgen";
    EXPECT_EQ(AreCharsInFontTable(refused.data(), refused.size(), table.Words().data(), table.Words().size()),
              0);
}

// A private job stored from the tab gives the job header its names.
class JobStorageHeaderTest : public JobStoragePageTest {
protected:
    std::string Header() {
        auto* printing =
            static_cast<GAttributeComposite*>(sheet_.Settings()->FindById(GSettingId::kPrintingGroup));
        std::string text;
        GPJL pjl;
        GDocumentStart start;
        EXPECT_TRUE(pjl.WriteJobStorage(text, *printing, start));
        return text;
    }
    void StoreJob(HWND dialog, const std::u16string& user, const std::u16string& job) {
        ASSERT_TRUE(WinUiDriver::Click(dialog, kPrivateJob));
        TypeAndLeave(dialog, kUserEdit, user);
        TypeAndLeave(dialog, kJobEdit, job);
        TypeAndLeave(dialog, kPinEdit, u"4711");
    }
};

TEST_F(JobStorageHeaderTest, TheNamesTypedAreTheNamesInTheHeader) {
    Store(GSettingId::kHardDiskInstalled, 1);
    StoreJob(Open(), u"Ann Lee", u"Q3 report");
    EXPECT_EQ(Header(), "@PJL SET HOLD=ON\r\n@PJL SET HOLDTYPE=PRIVATE\r\n@PJL SET HOLDKEY=\"4711\"\r\n"
                        "@PJL SET USERNAME=\"Ann Lee\"\r\n@PJL SET JOBNAME=\"Q3 report\"\r\n");
}

TEST_F(JobStorageHeaderTest, QuotesNeverReachTheHeaderAndUtf8IsAnnounced) {
    SetTable(qvtest::CharacterTableBytes({{0x20, 0x7E}, {0xA0, 0xFF}}));
    Store(GSettingId::kNameCleaning, 1);
    StoreJob(Open(), u"J\u00fcrgen", u"say \"hi\"");
    EXPECT_EQ(Header(), "@PJL SET STRINGCODESET=UTF8\r\n@PJL SET HOLD=ON\r\n@PJL SET HOLDTYPE=PRIVATE\r\n"
                        "@PJL SET HOLDKEY=\"4711\"\r\n@PJL SET USERNAME=\"J\xC3\xBCrgen\"\r\n"
                        "@PJL SET JOBNAME=\"say ~hi~\"\r\n");
}

TEST_F(JobStoragePageTest, ModesOffAndPrivateAreWrittenAsPictures) {
    Store(GSettingId::kHardDiskInstalled, 1);
    for (int16_t mode : {0, 4}) {
        Store(GSettingId::kJobRetention, mode);
        Open();
        EXPECT_FALSE(Text(kDescription).empty());
        Picture("job-storage-mode-" + std::to_string(mode) + ".png");
    }
}

} // namespace
