// The driver context over the colour model printer's data file and the
// platform services' printer data: settings applied to the configuration,
// the physical-settings comparison and the conversion of stored values.
#include <gtest/gtest.h>

#include "tests/driver/NeutralDriver.h"

#include <memory>
#include <sstream>
#include <string>

#include "driver/GDriver.h"
#include "driver/GOSFactory.h"
#include "model/GRangeAttribute.h"
#include "model/MAssociationList.h"
#include "model/MPersistentAssociation.h"
#include "paper/GPaperHandlingDevice.h"
#include "rw/RWCollectableIO.h"
#include "rw/RWPortableOutStream.h"
#include "tests/driver/DataFileTestContext.h"
#include "tests/winnt40/PlatformServicesTestSupport.h"

namespace {

using platformtest::HostStoreTest;

class GDriverContextStoresTest : public HostStoreTest {
protected:
    void SetUp() override {
        HostStoreTest::SetUp();
        auto factory = std::make_unique<platformtest::TestFactory>();
        factory_ = factory.get();
        GOSFactory::Install(std::move(factory));
        LendPrinterHandle(*factory_);
        // The services read the settings-encoding switch once, from the
        // first context they meet: a context without the setting keeps the
        // stored values of these tests in the class library's form.
        platformtest::TestDriverContext plain;
        const GValueAttribute probe(0, 0);
        ASSERT_EQ(factory_->StoreObject(&plain, u"Probe", &probe), 1);
        context.SetNames(platformtest::kPrinter, platformtest::kDriver, platformtest::kPort);
    }

    // The installed options of the printer's defaults (D/365), a copy.
    std::unique_ptr<MPersistentObject> InstalledOptions() {
        return context.OwnGroup()->FindById(359)->FindById(365)->Clone();
    }

    MPersistentObject* Options() { return context.OwnGroup()->FindById(228); }
    MPersistentObject* Writer() { return context.GetPrinter()->FindById(101)->FindById(198); }

    GPaperHandlingDevice* Unit(const char* name) {
        const std::unique_ptr<MPersistentIterator> units = Options()->FindById(90)->CreateIterator();
        while (units->Advance()) {
            auto* unit = dynamic_cast<GPaperHandlingDevice*>(units->Current());
            RWCString unitName;
            if (unit != nullptr) unit->GetName(unitName);
            if (unit != nullptr && unitName == name) return unit;
        }
        ADD_FAILURE() << "no unit " << name;
        return nullptr;
    }

    static void Set(MPersistentObject& options, uint32_t id, uint16_t value) {
        dynamic_cast<GValueAttribute*>(options.FindById(id))->SetValue(value);
    }

    // Stores object under name in portable text, as older drivers did.
    void StorePortable(const char16_t* name, const MPersistentObject& object) {
        std::ostringstream text;
        RWPortableOutStream out(text);
        out << static_cast<const RWCollectable*>(&object);
        const std::string bytes = text.str();
        ASSERT_EQ(
            factory_->WriteChunkedBinary(&context, name, bytes.data(), static_cast<uint32_t>(bytes.size())),
            1);
    }

    platformtest::TestFactory* factory_ = nullptr;
    drivertest::DataFileTestContext context{"QVCOLOR"};
};

TEST_F(GDriverContextStoresTest, ApplySettingsCopiesTheInstalledOptions) {
    enum class Where { Options, Printer, Writer };
    struct Case {
        uint32_t source;
        uint16_t value;
        Where where;
        uint32_t target;
        uint16_t expected;
    };
    const Case cases[] = {
        {925, 128, Where::Options, 201, 128}, {918, 1, Where::Options, 1011, 1},
        {308, 0, Where::Options, 204, 0},     {245, 3, Where::Printer, 245, 3},
        {310, 0, Where::Options, 231, 0},     {311, 1, Where::Printer, 311, 1},
        {239, 2, Where::Options, 226, 0},     {317, 1, Where::Writer, 317, 1},
        {441, 1, Where::Options, 441, 1},     {915, 1, Where::Printer, 915, 1},
        {976, 1, Where::Options, 976, 1},
    };
    std::unique_ptr<MPersistentObject> options = InstalledOptions();
    for (const Case& c : cases)
        Set(*options, c.source, c.value);
    Set(*options, 307, 30000); // past the writer's workspace range
    ASSERT_EQ(context.ApplySettings(options.get()), 1);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.source);
        MPersistentObject* node = c.where == Where::Options   ? Options()
                                  : c.where == Where::Printer ? context.GetPrinterConfiguration()
                                                              : Writer();
        EXPECT_EQ(dynamic_cast<GValueAttribute*>(node->FindById(c.target))->GetValue(), c.expected);
    }
    auto* workspace = dynamic_cast<GRangeAttribute*>(Writer()->FindById(202));
    ASSERT_NE(workspace, nullptr);
    EXPECT_EQ(workspace->GetValue(), workspace->GetMax()); // clamped into its range
    // The flag 239 copies as 0 or 1 only.
    Set(*options, 239, 1);
    context.ApplySettings(options.get());
    EXPECT_EQ(dynamic_cast<GValueAttribute*>(Options()->FindById(226))->GetValue(), 1);
    EXPECT_EQ(context.ApplySettings(nullptr), 0); // no settings at all
}

TEST_F(GDriverContextStoresTest, ApplySettingsInstallsAndKeysThePaperHandlingUnits) {
    std::unique_ptr<MPersistentObject> options = InstalledOptions();
    dynamic_cast<GStringAttribute*>(options->FindById(316))->SetText("QV-ACC-SS3000");
    Set(*options, 213, 4);
    dynamic_cast<GStringAttribute*>(options->FindById(315))->SetText("QV-ACC-IN1500");
    Set(*options, 318, 1);
    Set(*options, 275, 1);
    Set(*options, 274, 8);
    ASSERT_EQ(context.ApplySettings(options.get()), 1);
    EXPECT_EQ(Unit("QV-ACC-SS3000")->IsInstalled(), 1u);
    EXPECT_EQ(Unit("QV-ACC-SS3000")->GetCurrentKey(), 4);
    EXPECT_EQ(Unit("QV-ACC-IN1500")->IsInstalled(), 1u);
    EXPECT_EQ(Unit("QV-ACC-ENV")->IsInstalled(), 1u); // its first tray is bin 5
    EXPECT_EQ(Unit("Base Input")->GetCurrentKey(), 8);

    // Named by nothing: the optional units are removed again.
    dynamic_cast<GStringAttribute*>(options->FindById(316))->SetText("");
    dynamic_cast<GStringAttribute*>(options->FindById(315))->SetText("");
    Set(*options, 275, 0);
    ASSERT_EQ(context.ApplySettings(options.get()), 1);
    for (const char* name : {"QV-ACC-SS3000", "QV-ACC-IN1500", "QV-ACC-ENV"}) {
        EXPECT_EQ(Unit(name)->IsInstalled(), 0u) << name;
    }
    EXPECT_EQ(Unit("Base Input")->IsInstalled(), 1u); // a fixed unit stays
}

TEST_F(GDriverContextStoresTest, StoredMapsReplaceTheDataFilesOnly) {
    // Without stored maps the data file's stay.
    MPersistentObject* fileTrayMap = context.GetOSTrayMap();
    ASSERT_EQ(context.ApplySettings(InstalledOptions().get()), 1);
    EXPECT_EQ(context.GetOSTrayMap(), fileTrayMap);
    EXPECT_EQ(Options()->FindById(90)->GetCount(), 5u);

    GResourceMappingList trayMap(84);
    trayMap.AddUnique(new GResourceMapping(10506, 263, 6, 0));
    ASSERT_EQ(context.StoreValue(u"DEKOSTrayMap", &trayMap), 1);
    GAttributeComposite units(90);
    units.Add(new GPaperHandlingDevice("Only Unit", GPaperHandlingDevice::kInputUnit, 0, 1, 1, 0));
    ASSERT_EQ(context.StoreValue(u"RUZBinPool", &units), 1);
    MAssociationList pdlTrays(85);
    pdlTrays.InsertOrReplace(
        new MPersistentAssociation(new GValueAttribute(6, 0), new GValueAttribute(4, 0)));
    ASSERT_EQ(context.StoreValue(u"DEKPDLTrayMap", &pdlTrays), 1);

    ASSERT_EQ(context.ApplySettings(InstalledOptions().get()), 1);
    ASSERT_NE(context.GetOSTrayMap(), nullptr);
    EXPECT_TRUE(context.GetOSTrayMap()->IsEqualId(&trayMap));
    EXPECT_EQ(Options()->FindById(90)->GetCount(), 1u);
    EXPECT_NE(Unit("Only Unit"), nullptr);
    MPersistentObject* writerTrays = Writer()->FindById(198)->FindById(85);
    ASSERT_NE(writerTrays, nullptr);
    EXPECT_TRUE(writerTrays->IsEqualId(&pdlTrays));
}

TEST_F(GDriverContextStoresTest, PhysicalSettingsComparison) {
    std::unique_ptr<MPersistentObject> options = InstalledOptions();
    EXPECT_EQ(context.IsPhysicalSettingCurrent(options.get()), 1); // no snapshot
    ASSERT_EQ(context.StoreValue(u"PhySetting", options.get()), 1);
    EXPECT_EQ(context.IsPhysicalSettingCurrent(options.get()), 1);
    EXPECT_EQ(context.IsPhysicalSettingCurrent(nullptr), 1);

    struct Case {
        const char* name;
        uint32_t id; // a value to change; 0: none
        const char* text316;
        const char16_t* updateType;
        uint16_t request; // 927
        int32_t current;
    };
    const Case cases[] = {
        {"the same", 0, "", u"", 2, 1},
        {"workspace differs", 307, "", u"", 2, 0},
        {"last of the list differs", 197, "", u"", 2, 0},
        {"output unit differs", 0, "QV-ACC-SS3000", u"", 2, 0},
        {"administrator's update with a request", 0, "", u"admin", 2, 0},
        {"automatic update with a request", 0, "", u"AUTO", 2, 0},
        {"automatic update, request 14113", 0, "", u"Auto", 14113, 1},
        {"manual update with a request", 0, "", u"Manual", 2, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<MPersistentObject> now = InstalledOptions();
        if (c.id != 0) Set(*now, c.id, 77);
        dynamic_cast<GStringAttribute*>(now->FindById(316))->SetText(c.text316);
        Set(*now, 927, c.request);
        factory_->SetPrinterDataString(&context, u"LastUpdateType", c.updateType);
        EXPECT_EQ(context.IsPhysicalSettingCurrent(now.get()), c.current);
    }
}

TEST_F(GDriverContextStoresTest, StoredValuesAreConvertedThroughTheSettingsEncoding) {
    // An older stored group: a changed value, and a child the printer does
    // not know.
    std::unique_ptr<MPersistentObject> group = context.defaults->FindById(364)->Clone();
    auto* first = dynamic_cast<GValueAttribute*>(group->FindById(292));
    ASSERT_NE(first, nullptr);
    first->SetValue(0);
    group->Add(new GValueAttribute(5, 4242));
    StorePortable(u"364", *group);
    EXPECT_EQ(context.RestoreValue(u"364"), nullptr); // not in the raw form

    ASSERT_EQ(context.ConvertStoredValue(u"364"), 1);
    std::unique_ptr<MPersistentObject> converted = context.RestoreValue(u"364");
    ASSERT_NE(converted, nullptr);
    EXPECT_EQ(dynamic_cast<GValueAttribute*>(converted->FindById(292))->GetValue(), 0);
    EXPECT_EQ(converted->FindById(4242), nullptr);
    EXPECT_EQ(context.ConvertStoredValue(u"Missing"), 0);

    // A numbered value is stored again under its object's id.
    StorePortable(u"7", *group);
    const GValueAttribute placeholder(1, 1);
    ASSERT_EQ(context.StoreValue(u"364", &placeholder), 1);
    const uint32_t key = 7;
    ASSERT_EQ(context.ConvertNumberedValue(&key), 1);
    converted = context.RestoreValue(u"364");
    ASSERT_NE(converted, nullptr);
    EXPECT_EQ(converted->GetId(), 364u);
    EXPECT_EQ(dynamic_cast<GValueAttribute*>(converted->FindById(292))->GetValue(), 0);
    EXPECT_EQ(converted->FindById(4242), nullptr);
    EXPECT_EQ(context.ConvertNumberedValue(nullptr), 0);
}

TEST_F(GDriverContextStoresTest, ResourceMappingsBothWays) {
    EXPECT_EQ(context.MapResourceId(9), 23); // DMPAPER_A4 -> the driver's A4
    EXPECT_EQ(context.UnmapResourceId(23), 9);
    EXPECT_EQ(context.MapResourceId(1), 1); // Letter
    EXPECT_EQ(context.MapResourceId(999), 0);
    EXPECT_EQ(context.UnmapResourceId(4242), 0);
}

// A driver instance double: the driver interface over the context, with
// the instance's operations answered trivially.
class TestDriver : public NeutralDriver {
public:
    TestDriver() : GDriverContext(u"P", u"D", u"LPT1:"), NeutralDriver(u"P", u"D", u"LPT1:") {}
};

TEST(GDriverTest, AnswersAsADriverAndNeverAsAJob) {
    TestDriver driver;
    GDriverContext& context = driver;
    EXPECT_EQ(context.AsDriver(), &driver);
    EXPECT_EQ(context.AsJobObject(), nullptr);
    RWWString text(u"abc");
    driver.ClearText(text);
    EXPECT_TRUE(text.IsNull());
    EXPECT_TRUE(driver.EmptyText().IsNull());
}

} // namespace
