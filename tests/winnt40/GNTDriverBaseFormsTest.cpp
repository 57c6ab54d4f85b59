// The NT driver base's form operations over the spooler's forms: paper
// numbers and media ids both ways, adding, updating and deleting forms, the
// built-in forms, and the paper-size list of the settings.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "driver/GSettingValues.h"
#include "model/GAttributeComposite.h"
#include "model/GEnumAttribute.h"
#include "model/GValueAttribute.h"
#include "model/MPersistentIterator.h"
#include "paper/GCustomMediaSize.h"
#include "tests/winnt40/NTDriverTestSupport.h"

namespace {

using namespace ntdrivertest;

class FormsTest : public NTDriverTest {
protected:
    void SetUp() override {
        NTDriverTest::SetUp();
        printer_ = Open(kPrinter, PRINTER_ALL_ACCESS);
        driver_ = std::make_unique<TestDriver>(printer_.Get());
        ASSERT_TRUE(LoadDataFile(*driver_, "QVCOLOR", 0));
    }

    void TearDown() override {
        driver_.reset();
        printer_.Reset();
        NTDriverTest::TearDown();
    }

    // The spooler's forms, by the spooler itself.
    std::vector<FORM_INFO_1W> Forms(std::vector<uint64_t>& buffer) {
        DWORD needed = 0, count = 0;
        EnumFormsW(printer_.Get(), 1, nullptr, 0, &needed, &count);
        buffer.assign((needed + 7) / 8, 0);
        EXPECT_TRUE(
            EnumFormsW(printer_.Get(), 1, reinterpret_cast<LPBYTE>(buffer.data()), needed, &needed, &count));
        const auto* forms = reinterpret_cast<const FORM_INFO_1W*>(buffer.data());
        return std::vector<FORM_INFO_1W>(forms, forms + count);
    }

    // The 0-based position of the form, or -1.
    int32_t Position(std::u16string_view name) {
        std::vector<uint64_t> buffer;
        const std::vector<FORM_INFO_1W> forms = Forms(buffer);
        for (size_t i = 0; i < forms.size(); ++i) {
            if (name == forms[i].pName) return static_cast<int32_t>(i);
        }
        return -1;
    }

    void AddForm(const char16_t* name, LONG width, LONG height) {
        FORM_INFO_1W form{FORM_USER, const_cast<LPWSTR>(name), {width, height}, {0, 0, width, height}};
        ASSERT_TRUE(AddFormW(printer_.Get(), 1, reinterpret_cast<LPBYTE>(&form)));
    }

    WinScopedPrinter printer_;
    std::unique_ptr<TestDriver> driver_;
};

TEST_F(FormsTest, PaperNumbersAndMediaIdsBothWays) {
    AddForm(u"Wide Label", 200000, 100000);
    const int32_t label = Position(u"Wide Label");
    const int32_t a4 = Position(u"A4");
    ASSERT_GT(label, 0);
    ASSERT_GE(a4, 0);
    struct Case {
        const char* what;
        uint16_t number;
        std::optional<uint16_t> mediaId;
    };
    const Case cases[] = {
        {"custom size", 256, 0x4000},
        {"Letter, built in", 1, 1},
        {"A4 by the table", static_cast<uint16_t>(a4 + 1), 23},
        {"user form", static_cast<uint16_t>(label + 1), static_cast<uint16_t>(0x3FFF + label + 1)},
        {"no number 0", 0, std::nullopt},
        {"past the list", static_cast<uint16_t>(label + 2), std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        uint16_t mediaId = 0;
        const int32_t found = driver_->PaperNumberToMediaId(c.number, mediaId);
        EXPECT_EQ(found == 1 ? std::optional<uint16_t>(mediaId) : std::nullopt, c.mediaId);
        // The context's form-index answer is the same.
        uint16_t paperId = 0;
        if (c.number != 256) {
            EXPECT_EQ(driver_->FormIndexToPaperId(c.number, paperId), found);
        }
    }

    struct Back {
        uint16_t mediaId;
        std::optional<uint16_t> number;
    };
    const Back backs[] = {
        {static_cast<uint16_t>(0x3FFF + label + 1), static_cast<uint16_t>(label + 1)},
        {0x4005, 6},
        {23, static_cast<uint16_t>(a4 + 1)},
        {1, 1},
    };
    for (const Back& b : backs) {
        SCOPED_TRACE(b.mediaId);
        uint16_t number = 0;
        EXPECT_EQ(driver_->MediaIdToPaperNumber(b.mediaId, number) == 1 ? std::optional<uint16_t>(number)
                                                                        : std::nullopt,
                  b.number);
    }
}

TEST_F(FormsTest, ACustomSizeBecomesAFormOfItsNameAndTakesItsPosition) {
    auto settings = std::make_unique<GAttributeComposite>(360);
    auto* list = new GEnumAttribute(276);
    list->Add(new GCustomMediaSize(16390, "My Card", 3, 90000, 140000));
    settings->Add(list);

    GCustomMediaSize size(16390, "My Card", 3, 100000, 150000);
    ASSERT_EQ(driver_->AddOrUpdateForm(size, settings.get()), 1);
    const int32_t position = Position(u"My Card");
    ASSERT_GT(position, 0);
    std::vector<uint64_t> buffer;
    const FORM_INFO_1W added = Forms(buffer)[static_cast<size_t>(position)];
    EXPECT_EQ(added.Flags, FORM_USER);
    EXPECT_EQ(added.Size.cx, 100000);
    EXPECT_EQ(added.Size.cy, 150000);
    EXPECT_EQ(added.ImageableArea.left, 0);
    EXPECT_EQ(added.ImageableArea.top, 0);
    EXPECT_EQ(added.ImageableArea.right, 100000);
    EXPECT_EQ(added.ImageableArea.bottom, 150000);
    EXPECT_EQ(size.GetPaperId(), 0x3FFF + position + 1);
    // The settings' entry of that name was replaced by it.
    std::vector<const GCustomMediaSize*> entries;
    const std::unique_ptr<MPersistentIterator> it = list->CreateIterator();
    while (it->Advance())
        entries.push_back(dynamic_cast<const GCustomMediaSize*>(it->Current()));
    ASSERT_EQ(entries.size(), 1u);
    ASSERT_NE(entries[0], nullptr);
    EXPECT_EQ(entries[0]->GetPaperId(), 0x3FFF + position + 1);
    GSizePair stored{};
    entries[0]->GetSize(stored);
    EXPECT_EQ(stored.x, 100000u);

    // Again with another size: the same form, updated.
    const size_t count = Forms(buffer).size();
    GCustomMediaSize larger(0, "My Card", 3, 120000, 160000);
    ASSERT_EQ(driver_->AddOrUpdateForm(larger, nullptr), 1);
    EXPECT_EQ(Forms(buffer).size(), count);
    EXPECT_EQ(Forms(buffer)[static_cast<size_t>(position)].Size.cx, 120000);

    // A built-in form is never changed.
    GCustomMediaSize letter(0, "Letter", 3, 1000, 1000);
    EXPECT_EQ(driver_->AddOrUpdateForm(letter, nullptr), 0);
    EXPECT_EQ(Forms(buffer)[static_cast<size_t>(Position(u"Letter"))].Size.cx, 215900);

    driver_->ClearStateBits(GNTDriverBase::kStateAll);
    EXPECT_EQ(driver_->DeleteForm(u"My Card"), 1);
    EXPECT_EQ(driver_->GetStateWord(), GNTDriverBase::kStatePaperListStale);
    EXPECT_EQ(Position(u"My Card"), -1);
    EXPECT_EQ(driver_->DeleteForm(u"My Card"), 0);
}

TEST_F(FormsTest, BuiltInFormsAreKnownByNameAndEnumeratedUntilTheCallBackStops) {
    AddForm(u"Mine", 100000, 100000);
    EXPECT_EQ(driver_->IsFormBuiltIn(u"Letter"), 1);
    EXPECT_EQ(driver_->IsFormBuiltIn(u"Mine"), 0);
    EXPECT_EQ(driver_->IsFormBuiltIn(u"No Such Form"), 0);

    std::vector<uint64_t> buffer;
    size_t builtIn = 0;
    for (const FORM_INFO_1W& form : Forms(buffer))
        builtIn += form.Flags == FORM_BUILTIN ? 1 : 0;
    struct Seen {
        std::vector<std::u16string> names;
        size_t stopAfter;
    };
    auto callback = [](void* data, const WCHAR* name) -> int32_t {
        auto* seen = static_cast<Seen*>(data);
        seen->names.emplace_back(name);
        return seen->names.size() < seen->stopAfter ? 1 : 0;
    };
    Seen all{{}, 100000};
    EXPECT_EQ(driver_->EnumerateBuiltInForms(callback, &all), static_cast<int32_t>(builtIn));
    ASSERT_EQ(all.names.size(), builtIn);
    EXPECT_EQ(all.names[0], u"Letter");
    Seen two{{}, 2};
    EXPECT_EQ(driver_->EnumerateBuiltInForms(callback, &two), 2);
    EXPECT_EQ(two.names.size(), 2u);
}

TEST_F(FormsTest, ThePaperSizeListHoldsTheCustomSizeThenEveryUserFormSmallerSideFirst) {
    AddForm(u"Wide Label", 200000, 100000);
    AddForm(u"Tall Label", 50000, 80000);
    const int32_t wide = Position(u"Wide Label");
    const int32_t tall = Position(u"Tall Label");
    std::unique_ptr<GAttributeComposite> settings = driver_->NewDefaultSettings();
    ASSERT_NE(settings, nullptr);
    // Without the size test every user or printer form is listed.
    ASSERT_TRUE(GSettingValues::Set(settings.get(), 915, 1));
    driver_->RebuildPaperSizeList(*settings);

    struct Entry {
        uint16_t paperId;
        std::string name;
        uint32_t unit, width, height;
    };
    std::vector<Entry> entries;
    const std::unique_ptr<MPersistentIterator> it = settings->FindById(276)->CreateIterator();
    while (it->Advance()) {
        const auto* size = dynamic_cast<const GCustomMediaSize*>(it->Current());
        ASSERT_NE(size, nullptr);
        GSizePair pair{};
        size->GetSize(pair);
        entries.push_back({size->GetPaperId(), std::string(size->GetName().Data(), size->GetName().Length()),
                           size->GetUnit(), pair.x, pair.y});
    }
    // 1260 / 1261 = 2159 / 2794 tenths of a millimetre, in thousandths.
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].paperId, 0x4000);
    EXPECT_EQ(entries[0].name, "");
    EXPECT_EQ(entries[0].unit, 3u);
    EXPECT_EQ(entries[0].width, 215900u);
    EXPECT_EQ(entries[0].height, 279400u);
    EXPECT_EQ(entries[1].paperId, 0x4000 + wide);
    EXPECT_EQ(entries[1].name, "Wide Label");
    EXPECT_EQ(entries[1].width, 100000u);
    EXPECT_EQ(entries[1].height, 200000u);
    EXPECT_EQ(entries[2].paperId, 0x4000 + tall);
    EXPECT_EQ(entries[2].name, "Tall Label");
    EXPECT_EQ(entries[2].width, 50000u);
    EXPECT_EQ(entries[2].height, 80000u);
}

// The custom sizes a property sheet saves live on as user forms.
TEST_F(FormsTest, ASavedCustomSizeIsAUserFormThatTheNextSettingsAndThePaperNamesList) {
    const auto namesOf = [](MPersistentObject& list) {
        std::vector<std::string> names;
        for (MPersistentObject* entry : GSettingValues::Children(&list))
            if (const auto* size = dynamic_cast<const GCustomMediaSize*>(entry))
                names.emplace_back(size->GetName().Data(), size->GetName().Length());
        return names;
    };
    const auto paperNames = [&] {
        const DWORD count =
            driver_->DrvDeviceCapabilities(printer_.Get(), nullptr, DC_PAPERNAMES, nullptr, nullptr);
        std::vector<WCHAR> names(static_cast<size_t>(count) * 64 + 1, 0);
        driver_->DrvDeviceCapabilities(printer_.Get(), nullptr, DC_PAPERNAMES, names.data(), nullptr);
        std::vector<std::u16string> out;
        for (DWORD i = 0; i < count; ++i)
            out.emplace_back(names.data() + i * 64);
        return out;
    };
    std::unique_ptr<GAttributeComposite> settings = driver_->NewDefaultSettings();
    ASSERT_NE(settings, nullptr);
    MPersistentObject* list = settings->FindById(276);
    ASSERT_NE(list, nullptr);
    auto* menu = new GCustomMediaSize(0, "Menu", 0, 600, 900);
    ASSERT_EQ(driver_->AddCustomSize(menu, list, 0), 1);
    const int32_t position = Position(u"Menu");
    ASSERT_GT(position, 0);
    EXPECT_EQ(menu->GetPaperId(), 0x3FFF + position + 1);
    const std::vector<std::string> kept = namesOf(*list);
    EXPECT_EQ(std::count(kept.begin(), kept.end(), "Menu"), 1);

    std::unique_ptr<GAttributeComposite> next = driver_->NewDefaultSettings();
    const std::vector<std::string> listed = namesOf(*next->FindById(276));
    EXPECT_NE(std::find(listed.begin(), listed.end(), "Menu"), listed.end());
    std::vector<std::u16string> papers = paperNames();
    EXPECT_NE(std::find(papers.begin(), papers.end(), u"Menu"), papers.end());

    const GCustomMediaSize* saved = nullptr;
    for (MPersistentObject* entry : GSettingValues::Children(next->FindById(276)))
        if (const auto* size = dynamic_cast<const GCustomMediaSize*>(entry);
            size != nullptr && size->GetName() == "Menu")
            saved = size;
    ASSERT_NE(saved, nullptr);
    EXPECT_EQ(driver_->RemoveCustomSize(saved, next->FindById(276)), 1);
    EXPECT_EQ(Position(u"Menu"), -1);
    papers = paperNames();
    EXPECT_EQ(std::find(papers.begin(), papers.end(), u"Menu"), papers.end());
}

} // namespace

namespace {

// The driver context's answers the DEVMODE object asks for.
TEST_F(FormsTest, TheContextsPaperResolutionAndBinAnswersComeFromThePrintersLists) {
    // Resolutions of list 206: 600 by 600 and 1200 by 1200.
    EXPECT_EQ(driver_->AcceptsResolution(600, 600), 1);
    EXPECT_EQ(driver_->AcceptsResolution(1200, 1200), 1);
    EXPECT_EQ(driver_->AcceptsResolution(600, 1200), 0);
    EXPECT_EQ(driver_->AcceptsResolution(300, 300), 0);
    // Bins of list 194: 7 (Auto Select), 262 (Tray 1), not 15.
    EXPECT_EQ(driver_->AcceptsBin(7), 1);
    EXPECT_EQ(driver_->AcceptsBin(262), 1);
    EXPECT_EQ(driver_->AcceptsBin(15), 0);
    // Papers: A4 (DMPAPER 9, paper 23) is in the media pool; the custom
    // size always; a number without a paper never.
    EXPECT_EQ(driver_->AcceptsPaper(0, 600, 600, 1, 9), 1);
    EXPECT_EQ(driver_->AcceptsPaper(0, 600, 600, 1, 256), 1);
    EXPECT_EQ(driver_->AcceptsPaper(0, 600, 600, 1, 0), 0);
    EXPECT_EQ(driver_->AcceptsPaper(0, 300, 300, 1, 9), 0); // no media at 300 dpi
    uint16_t dmPaper = 0;
    ASSERT_EQ(driver_->PaperIdToDmPaper(23, dmPaper), 1);
    EXPECT_EQ(dmPaper, 9);
    uint16_t paperId = 0;
    ASSERT_EQ(driver_->DmPaperToPaperId(9, paperId), 1);
    EXPECT_EQ(paperId, 23);
}

TEST_F(FormsTest, MergingCopiesTheValuesTheTargetAlsoHolds) {
    GAttributeComposite from(1);
    from.Add(new GValueAttribute(5, 10));
    auto* group = new GAttributeComposite(20);
    group->Add(new GValueAttribute(6, 21));
    from.Add(group);
    from.Add(new GValueAttribute(7, 30)); // the target has no 30

    GAttributeComposite into(2);
    into.Add(new GValueAttribute(0, 10));
    auto* other = new GAttributeComposite(40);
    other->Add(new GValueAttribute(0, 21));
    into.Add(other);
    EXPECT_EQ(driver_->MergeMatchingValues(from, &into), &into);
    EXPECT_EQ(GSettingValues::Get(&into, 10), 5);
    EXPECT_EQ(GSettingValues::Get(&into, 21), 6);
    EXPECT_EQ(into.FindById(30), nullptr);
    EXPECT_EQ(driver_->MergeMatchingValues(from, nullptr), nullptr);
}

} // namespace
