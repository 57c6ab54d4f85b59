// The UI model over a sheet's block: what it takes from the block and the
// driver instance, its lock bits, writing records back, the quick-set pool it
// keeps, reset to defaults, the values it reads from the printer
// configuration, and Update Now.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "UIModelTestSupport.h"
#include "model/GEnumAttribute.h"
#include "model/GResourceMappingList.h"
#include "ui/framework/GFeature.h"
#include "ui/framework/GInstalledOptionsUpdater.h"
#include "ui/framework/GQuicksetPool.h"
#include "winapi/WinModule.h"
#include "winapi/WinSystem.h"
#include "winapi/host/WinHostStore.h"
#include "winapi/host/WinRecords.h"

namespace {

using uitest::AddNode;
using uitest::Sheet;
using uitest::Tree;
using uitest::ValueOf;

TEST(GUIModelTest, TheModelTakesTheSheetsSettingsAndTheDriversTrees) {
    auto settings = Tree({{291, 1}});
    AddNode(*settings, 283, {{0x40000025, 2}}); // left behind by an earlier sheet
    Sheet sheet(std::move(settings));
    sheet.driver.defaults = Tree({{291, 5}});
    sheet.driver.Configuration().Add(new GValueAttribute(1, 339));
    auto* pairs = new GResourceMappingList(191);
    auto* list = new GResourceMappingList(194);
    sheet.driver.SetResourceMappings(pairs);
    sheet.driver.SetResourceMappingList(list);
    GUIModel& model = sheet.Open();
    const GSettingsAccessor levels = model.RuleLevels();
    ASSERT_NE(levels.Composite(), nullptr);
    EXPECT_EQ(levels.Composite()->GetCount(), 0u) << "an empty composite 283";
    EXPECT_EQ(sheet.Value(0x40000025), -999);
    int16_t value = 0;
    EXPECT_EQ(model.Settings3().GetValue(291, value), 1);
    EXPECT_EQ(value, 5);
    EXPECT_EQ(model.Defaults().GetValue(339, value), 1);
    EXPECT_EQ(value, 1);
    EXPECT_EQ(model.Defaults().SetValue(339, 0), 0);
    EXPECT_EQ(model.Settings3().SetValue(291, 0), 0);
    EXPECT_EQ(model.ContextValue1(), pairs);
    EXPECT_EQ(model.ContextValue2(), list);
    EXPECT_EQ(model.DriverInstance(), &sheet.driver);
}

TEST(GUIModelTest, LockBitsFollowTheirDefinition) {
    struct Case {
        uint32_t flags;
        uint32_t owner;     // OwnerLockBits
        uint32_t effective; // EffectiveLockBits
        uint32_t bit2;
        uint32_t bit3;
    } cases[] = {
        {0, 0, 0, 0, 0},
        {1, 1, 1, 0, 0},
        {2, 2, 2, 0, 0},
        {3, 3, 3, 0, 0},
        // Bit 2 clears bit 0 of the effective bits (flags & 3 = 1 -> 0).
        {5, 1, 0, 1, 0},
        {7, 3, 2, 1, 0},
        {6, 2, 2, 1, 0},
        {8, 0, 0, 0, 1},
        {0xF, 3, 2, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.flags);
        Sheet sheet(Tree({}), c.flags);
        GUIModel& model = sheet.Open();
        EXPECT_EQ(model.OwnerLockBits(), c.owner);
        EXPECT_EQ(model.EffectiveLockBits(), c.effective);
        EXPECT_EQ(model.OwnerFlagBit2(), c.bit2);
        EXPECT_EQ(model.OwnerFlagBit3(), c.bit3);
    }
}

TEST(GUIModelTest, RecordsAreWrittenBackEachFromTheRoot) {
    auto settings = Tree({{253, 0}});
    AddNode(*settings, 364, {{291, 1}});
    auto* sizes = new GEnumAttribute(276);
    sizes->Add(new GValueAttribute(16385, 0));
    settings->Add(sizes);
    Sheet sheet(std::move(settings));
    GUIModel& model = sheet.Open();
    const GAttributePath group = {364};
    const GAttributePath nowhere = {999};
    // The custom sizes are rebuilt from the forms, never written back.
    model.RecordChange(sheet.Settings()->FindById(276), nullptr);
    model.RecordChange(sheet.Settings()->FindById(253), nullptr);
    model.RecordChange(sheet.Settings()->FindById(291), &group);
    // A record whose path cannot be followed is not written anywhere else.
    const GValueAttribute stray(9, 291);
    model.RecordChange(&stray, &nowhere);
    // Changed without further records.
    GSettingsAccessor current = model.CurrentSettings();
    const GValueAttribute duplex(2, 253);
    const GValueAttribute copies(3, 291);
    const GEnumAttribute noSizes(276);
    current.Replace(253, &duplex);
    current.Replace(291, &copies);
    current.Replace(276, &noSizes);
    ASSERT_EQ(model.ChangeRecords().size(), 4u);
    model.UndoAll();
    EXPECT_EQ(sheet.Value(253), 0) << "a record without a path after one with a path lands at the root";
    EXPECT_EQ(sheet.Value(291), 1);
    EXPECT_EQ(sheet.Settings()->FindById(276)->GetCount(), 0u);
}

TEST(GUIModelTest, TheNewestRecordOfAnIdTellsWhereItWasChanged) {
    auto settings = Tree({{253, 0}, {291, 1}});
    Sheet sheet(std::move(settings));
    GUIModel& model = sheet.Open();
    const GAttributePath group = {364};
    const GAttributePath deeper = {364, 379};
    const GAttributePath other = {366};
    model.RecordChange(sheet.Settings()->FindById(253), &group);
    model.RecordChange(sheet.Settings()->FindById(253), nullptr);
    model.RecordChange(sheet.Settings()->FindById(291), &group);
    struct Case {
        uint32_t id;
        const GAttributePath* path;
        int32_t answer;
    } cases[] = {
        {253, nullptr, 1}, {253, &group, 0}, {291, &group, 1},  {291, nullptr, 0},
        {291, &deeper, 0}, {291, &other, 0}, {999, nullptr, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.id) + (c.path != nullptr ? " with a path" : ""));
        EXPECT_EQ(model.HasChangeRecord(c.id, c.path), c.answer);
    }
}

// The quick-set pool's reader and writer: a pool of one quick set; what is
// written back is kept as a clone.
struct PoolLog {
    int loads = 0;
    std::vector<std::unique_ptr<MPersistentObject>> saved;
    uint32_t perUser = 99;
    GDriver* driver = nullptr;
};

class PoolStore : public GQuicksetPool {
public:
    explicit PoolStore(PoolLog& log) : log_(log) {}
    std::unique_ptr<MPersistentObject> Load(GFeature&, uint32_t& loaded) override {
        ++log_.loads;
        loaded = 0;
        auto pool = std::make_unique<GAttributeComposite>(0x4000005C);
        pool->Add(new GStringAttribute("Everyday", 376));
        return pool;
    }
    void Save(const MPersistentObject& pool, uint32_t perUser, GDriver* driver) override {
        log_.saved.push_back(pool.Clone());
        log_.perUser = perUser;
        log_.driver = driver;
    }

private:
    PoolLog& log_;
};

TEST(GUIModelTest, UndoingThePoolInstallsACloneThatOutlivesItsRecords) {
    PoolLog log;
    Sheet sheet(Tree({}), 0x5);
    GUIModel& model = sheet.Open();
    model.SetQuicksetPoolStore(std::make_unique<PoolStore>(log));
    GFeature source(&model);
    uint32_t loaded = 9;
    MPersistentObject* pool = model.GetQuicksetPool(&source, loaded);
    ASSERT_NE(pool, nullptr);
    EXPECT_EQ(loaded, 0u);
    EXPECT_EQ(model.GetQuicksetPool(&source, loaded), pool);
    EXPECT_EQ(loaded, 1u);
    EXPECT_EQ(log.loads, 1);
    const std::unique_ptr<MPersistentObject> before = pool->Clone();

    model.BeginUpdate(nullptr);
    model.PushSnapshot();
    // The Quick Sets tab records the pool, then changes it in place.
    model.CurrentSettings().NotifyChange(pool, nullptr);
    pool->Add(new GStringAttribute("Draft", 376));
    model.UndoAll();
    MPersistentObject* undone = model.GetQuicksetPool(&source, loaded);
    ASSERT_NE(undone, nullptr);
    EXPECT_TRUE(undone->IsEqualId(before.get()));
    model.PopSnapshot(1);
    MPersistentObject* popped = model.GetQuicksetPool(&source, loaded);
    ASSERT_NE(popped, nullptr);
    EXPECT_TRUE(popped->IsEqualId(before.get()));

    sheet.model.reset(); // writes the pool back
    ASSERT_EQ(log.saved.size(), 1u);
    EXPECT_TRUE(log.saved[0]->IsEqualId(before.get()));
    EXPECT_EQ(log.perUser, 4u);
    EXPECT_EQ(log.driver, &sheet.driver);
}

TEST(GUIModelTest, NoPoolIsLoadedWithoutASourceAndNoneIsWrittenBack) {
    PoolLog log;
    {
        Sheet sheet(Tree({}));
        GUIModel& model = sheet.Open();
        model.SetQuicksetPoolStore(std::make_unique<PoolStore>(log));
        uint32_t loaded = 0;
        EXPECT_EQ(model.GetQuicksetPool(nullptr, loaded), nullptr);
        EXPECT_EQ(loaded, 1u);
        // Open snapshots with their records go with the model.
        model.PushSnapshot();
        model.CurrentSettings().AddIfMissing(1, 253);
        model.CurrentSettings().SetValue(253, 2);
    }
    EXPECT_EQ(log.loads, 0);
    EXPECT_TRUE(log.saved.empty());
}

TEST(GUIModelTest, ResetToDefaultsInstallsAFreshTreeKeepingTheSheetsObjects) {
    struct Case {
        const char* what;
        bool current366;
        bool defaults366;
        bool current367;
        bool defaults367;
        bool current283;
    } cases[] = {
        {"everything there", true, true, true, true, true},
        {"no 366 and 367 anywhere, no 283", false, false, false, false, false},
        {"only the defaults have them", false, true, false, true, true},
        {"only the settings have them", true, false, true, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto settings = Tree({{291, 4}});
        if (c.current366) AddNode(*settings, 366, {{940, 0}});
        if (c.current367) AddNode(*settings, 367, {{997, 3}});
        Sheet sheet(std::move(settings));
        sheet.driver.defaults = Tree({{291, 1}});
        if (c.defaults366) AddNode(*sheet.driver.defaults, 366, {{940, 1}});
        if (c.defaults367) AddNode(*sheet.driver.defaults, 367, {{998, 5}});
        GUIModel& model = sheet.Open();
        model.RuleLevels().SetValue(0x40000025, 2);
        if (!c.current283) sheet.Settings()->RemoveById(283);
        MPersistentObject* old366 = sheet.Settings()->FindById(366);
        MPersistentObject* old367 = sheet.Settings()->FindById(367);
        MPersistentObject* levels = sheet.Settings()->FindById(283);
        const GAttributeComposite* old = sheet.Settings();

        model.ResetToDefaults();
        GAttributeComposite* fresh = sheet.Settings();
        ASSERT_NE(fresh, nullptr);
        EXPECT_NE(fresh, old);
        EXPECT_EQ(sheet.block.settings.get(), fresh) << "the block owns the new tree";
        EXPECT_EQ(model.CurrentSettingsTree(), fresh);
        EXPECT_EQ(sheet.Value(291), 1);
        EXPECT_EQ(model.IsChanged(), 1u);
        if (c.current366) {
            EXPECT_EQ(fresh->FindById(366), old366) << "the sheet's 366 lives on";
        }
        if (c.current367) {
            EXPECT_EQ(fresh->FindById(367), old367);
        }
        EXPECT_EQ(ValueOf(fresh, 940), c.defaults366 ? 1 : c.current366 ? 0 : -999);
        EXPECT_EQ(ValueOf(fresh, 997), c.current367 && !c.defaults367 ? 3 : -999);
        EXPECT_EQ(ValueOf(fresh, 998), c.defaults367 ? 5 : -999);
        ASSERT_NE(fresh->FindById(283), nullptr);
        if (c.current283) {
            EXPECT_EQ(fresh->FindById(283), levels);
            EXPECT_EQ(ValueOf(fresh, 0x40000025), 2);
        }
        EXPECT_EQ(model.RuleLevels().SetValue(0x40000026, 1), 1) << "the levels work on";
    }
}

TEST(GUIModelTest, ValuesOfThePrinterConfiguration) {
    struct Case {
        const char* what;
        std::vector<std::pair<int, int>> firstEntry; // 206's first entry: {323, x}, {324, y}
        int status;                                  // 228/313; -1: no node 228
        int writer;                                  // 1480; -1: none
        uint16_t squareResolution;
        int16_t value313;
        int32_t pclXl;
    } cases[] = {
        {"square 600", {{323, 600}, {324, 600}}, 2, 767, 600, 2, 1},
        {"not square", {{323, 600}, {324, 300}}, 1, 788, 32767, 1, 0},
        {"32767 itself", {{323, 32767}, {324, 32767}}, 0xFFFF, 768, 32767, -1, 0},
        {"an entry without y", {{323, 600}}, -1, -1, 32767, 0, 0},
        {"no list", {}, -1, 765, 32767, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Sheet sheet(Tree({}));
        MPersistentObject& configuration = sheet.driver.Configuration();
        if (!c.firstEntry.empty()) {
            auto* list = new GAttributeComposite(206);
            auto* entry = new GAttributeComposite(0);
            for (const auto& [id, value] : c.firstEntry)
                entry->Add(new GValueAttribute(static_cast<uint16_t>(value), id));
            list->Add(entry);
            AddNode(*list, 0, {{323, 1200}, {324, 1200}});
            configuration.Add(list);
        }
        if (c.status >= 0) AddNode(configuration, 228, {{313, static_cast<uint16_t>(c.status)}});
        if (c.writer >= 0) configuration.Add(new GValueAttribute(static_cast<uint16_t>(c.writer), 1480));
        GUIModel& model = sheet.Open();
        EXPECT_EQ(model.FirstSquareResolution(), c.squareResolution);
        EXPECT_EQ(model.GetConfigValue313(), c.value313);
        EXPECT_EQ(model.IsPCLXLWriter(), c.pclXl);
    }
}

TEST(GUIModelTest, TheDriverContextAnswersForTheCurrentSettings) {
    Sheet sheet(Tree({}));
    GUIModel& model = sheet.Open();
    EXPECT_EQ(model.ApplyContextDefaults(), 7);
    EXPECT_EQ(sheet.driver.appliedTo, sheet.Settings());
    EXPECT_EQ(model.IsChanged(), 1u);
    const struct {
        int32_t answer;
        uint16_t state;
    } states[] = {{0, 0}, {1, 1}, {2, 2}, {3, 0}, {-1, 0}};
    for (const auto& s : states) {
        sheet.driver.featureState = s.answer;
        EXPECT_EQ(model.ContextFeatureState(253), s.state) << s.answer;
    }
    EXPECT_EQ(sheet.driver.askedState, 253u);
}

// --- Files beside the module ------------------------------------------------------------

class ModuleFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        WinHostStore::Instance().RegisterModule(u"QVUI.DLL", QV_RESOURCE_LIBRARY_PATH,
                                                u"C:\\WINNT\\System32\\spool\\DRIVERS\\W32X86\\3\\QVUI.DLL");
        module_ = LoadLibraryW(u"QVUI.DLL");
        ASSERT_NE(module_, nullptr);
    }
    void TearDown() override { FreeLibrary(module_); }
    HMODULE module_ = nullptr;
};

TEST_F(ModuleFileTest, TheHelpFileLiesBesideTheModule) {
    const struct {
        const char* what;
        bool named;
        bool module;
        const char* file;
    } cases[] = {
        {"the module's folder", true, true, "C:\\WINNT\\System32\\spool\\DRIVERS\\W32X86\\3\\QVUI.HLP"},
        {"no help file named", false, true, ""},
        {"the host program's folder without a module", true, false, "C:\\WINNT\\System32\\QVUI.HLP"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Sheet sheet(Tree({}));
        if (c.named) sheet.driver.Configuration().Add(new GStringAttribute("QVUI.HLP", 374));
        sheet.data.instance = c.module ? module_ : nullptr;
        EXPECT_EQ(std::string(sheet.Open().HelpFileName().Data()), c.file);
    }
}

// Update Now's re-read, recorded.
struct UpdateLog {
    std::vector<std::string> calls;
};

class RecordingUpdater : public GInstalledOptionsUpdater {
public:
    explicit RecordingUpdater(UpdateLog& log) : log_(log) {}
    uint16_t ReReadDirectly(GDriver&) override {
        log_.calls.push_back("direct");
        return 8;
    }
    std::optional<uint16_t> ReReadThroughPrinter(GDriver&, bool passInstance) override {
        log_.calls.push_back(passInstance ? "agent with instance" : "agent");
        return 602;
    }
    int16_t ConfigToSettings(GUIData&) override {
        log_.calls.push_back("config to settings");
        return 0;
    }

private:
    UpdateLog& log_;
};

TEST_F(ModuleFileTest, UpdateNowStartsTheStatusToolAndReReadsByTheConfiguredRoute) {
    enum class System { NT, Windows95, Win32s };
    struct Case {
        const char* what;
        int route;       // 1117; -1: absent
        bool agentAsked; // 364/1025 in the configuration
        System system;
        std::vector<std::string> calls;
        uint16_t status;
        bool tool;
    } cases[] = {
        {"no route: directly", -1, true, System::NT, {"direct", "config to settings"}, 8, true},
        {"route 0: directly", 0, false, System::NT, {"direct", "config to settings"}, 8, true},
        {"through the agent", 1, true, System::NT, {"agent", "config to settings"}, 602, true},
        {"the agent on Windows 95",
         1,
         true,
         System::Windows95,
         {"agent with instance", "config to settings"},
         602,
         true},
        {"the agent not asked: no re-read", 1, false, System::NT, {"config to settings"}, 0, true},
        {"no status tool on Win32s", 0, false, System::Win32s, {"direct", "config to settings"}, 8, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const size_t started = RecordedPrograms().size();
        WinOsVersion& version = WinHostStore::Instance().State().osVersion;
        version = WinOsVersion();
        if (c.system == System::Win32s) version.platformId = 0;
        if (c.system == System::Windows95) {
            version.platformId = 1;
            version.major = 4;
            version.failingBlockSizes = {sizeof(OSVERSIONINFOW)};
        }
        UpdateLog log;
        Sheet sheet(Tree({}));
        MPersistentObject& configuration = sheet.driver.Configuration();
        if (c.route >= 0) configuration.Add(new GValueAttribute(static_cast<uint16_t>(c.route), 1117));
        AddNode(configuration, 364,
                c.agentAsked ? std::initializer_list<std::pair<uint32_t, uint16_t>>{{1025, 0}}
                             : std::initializer_list<std::pair<uint32_t, uint16_t>>{{291, 1}});
        sheet.data.instance = module_;
        const std::u16string printer = u"Office Printer";
        const std::u16string driver = u"QV Colour Driver";
        std::vector<char16_t> printerName(printer.begin(), printer.end());
        std::vector<char16_t> driverName(driver.begin(), driver.end());
        printerName.push_back(0);
        driverName.push_back(0);
        sheet.data.printerName = printerName.data();
        sheet.data.driverName = driverName.data();
        GUIModel& model = sheet.Open();
        model.SetInstalledOptionsUpdater(std::make_unique<RecordingUpdater>(log));
        EXPECT_EQ(model.UpdateInstalledOptions(), c.status);
        EXPECT_EQ(log.calls, c.calls);
        EXPECT_EQ(model.IsChanged(), 1u);
        const std::vector<WinRecordedProgram> programs = RecordedPrograms();
        ASSERT_EQ(programs.size() - started, c.tool ? 1u : 0u);
        if (!c.tool) continue;
        EXPECT_EQ(programs.back().commandLine,
                  "C:\\WINNT\\System32\\spool\\DRIVERS\\W32X86\\3\\VUVUzaRe.exe  /G /P "
                  "\"Office Printer\" /D \"QV Colour Driver\"");
        EXPECT_EQ(programs.back().arguments,
                  (std::vector<std::string>{"C:\\WINNT\\System32\\spool\\DRIVERS\\W32X86\\3\\VUVUzaRe.exe",
                                            "/G", "/P", "Office Printer", "/D", "QV Colour Driver"}));
        EXPECT_EQ(programs.back().show, 0u);
    }
}

TEST_F(ModuleFileTest, ANameHoldingADoubleQuoteNeverReachesTheCommandLine) {
    const struct {
        const char16_t* printer;
        const char16_t* driver;
        bool started;
    } cases[] = {
        {u"Office", u"QV Colour Driver", true},
        {u"Office\" /X \"evil", u"QV Colour Driver", false},
        {u"Office", u"QV\"", false},
    };
    for (const auto& c : cases) {
        const size_t started = RecordedPrograms().size();
        Sheet sheet(Tree({}));
        sheet.data.instance = module_;
        std::u16string printer(c.printer);
        std::u16string driver(c.driver);
        sheet.data.printerName = printer.data();
        sheet.data.driverName = driver.data();
        sheet.Open().LaunchStatusTool();
        const std::vector<WinRecordedProgram> programs = RecordedPrograms();
        ASSERT_EQ(programs.size() - started, c.started ? 1u : 0u);
        if (c.started) {
            EXPECT_EQ(programs.back().arguments.size(), 6u);
        }
    }
}

} // namespace
