#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "paper/GBin.h"
#include "paper/GPaperHandlingDevice.h"
#include "paper/GTray.h"
#include "rw/RWFactory.h"
#include "rw/RWLibraryError.h"
#include "tests/paper/PaperBytes.h"
#include "tests/paper/PaperTestSupport.h"

namespace {

// A set of n trays with bin ids first, first + 1, ...
GAttributeComposite* Trays(uint32_t n, int16_t first = 29) {
    auto* set = new GAttributeComposite();
    for (uint32_t i = 0; i < n; ++i)
        set->Add(new GTray(RWCString("Tray"), static_cast<int16_t>(first + i)));
    return set;
}

std::vector<uint16_t> Keys(const GPaperHandlingDevice& unit) {
    std::vector<uint16_t> keys{999}; // emptied first
    unit.GetKeys(keys);
    return keys;
}

} // namespace

TEST(GPaperHandlingDeviceTest, DefaultsAndKinds) {
    const GPaperHandlingDevice unit;
    RWCString name("x");
    unit.GetName(name);
    EXPECT_EQ(name, "");
    EXPECT_EQ(unit.GetType(), 0u);
    EXPECT_EQ(unit.IsOptional(), 1u);
    EXPECT_EQ(unit.IsInstalled(), 0u);
    EXPECT_EQ(unit.GetCurrentKey(), 0);
    EXPECT_EQ(unit.GetKeyCount(), 0u);
    EXPECT_EQ(unit.GetIdentificationMode(), 0);
    EXPECT_EQ(unit.GetKeyedByReport(), 0);
    EXPECT_EQ(unit.IsA(), 1010);
    for (RWClassID kind : {1010, 753, 751})
        EXPECT_TRUE(unit.IsKindOf(kind));
    EXPECT_EQ(RWClassIdToStringId(1010), RWStringID("GPaperHandlingDevice"));

    // A unit that is not optional is installed, whatever was passed.
    const GPaperHandlingDevice fixed(7, "Main", 1, 0, 0, 2, 1, "Main unit", nullptr, 3);
    EXPECT_EQ(fixed.IsInstalled(), 1u);
    EXPECT_EQ(fixed.GetType(), 1u);
    EXPECT_EQ(fixed.GetDisplayString().GetStringId(), 7);
    EXPECT_EQ(fixed.GetDisplayString().GetText1(), "Main unit");
    EXPECT_EQ(fixed.GetIdentificationMode(), 2);
    EXPECT_EQ(fixed.GetKeyedByReport(), 1);
}

TEST(GPaperHandlingDeviceTest, AddingSetsAndTheCurrentKey) {
    GPaperHandlingDevice unit("Input", 0, 1, 1, 1, 0);
    unit.AddTraySet(3, Trays(1));
    unit.AddTraySet(5, Trays(2));
    EXPECT_EQ(unit.GetCurrentKey(), 3);
    GAttributeComposite* replacement = Trays(4);
    unit.AddTraySet(3, replacement);
    EXPECT_EQ(unit.GetCurrentKey(), 3);
    EXPECT_EQ(unit.GetKeyCount(), 2u);
    EXPECT_EQ(unit.FindSet(3), replacement);
    EXPECT_EQ(unit.GetCurrentSetSize(), 4u);
    EXPECT_EQ(unit.HasKey(5), 1);
    EXPECT_EQ(unit.HasKey(4), 0);
    EXPECT_EQ(unit.FindSet(4), nullptr);

    EXPECT_EQ(unit.SetCurrentKey(4), 0);
    EXPECT_EQ(unit.GetCurrentKey(), 3);
    EXPECT_EQ(unit.SetCurrentKey(5), 1);
    EXPECT_EQ(unit.GetCurrentSetSize(), 2u);
}

TEST(GPaperHandlingDeviceTest, KeysListInBucketOrder) {
    const struct {
        std::vector<uint16_t> added, listed;
    } cases[] = {
        {{17, 1}, {17, 1}}, // same bucket: insertion order
        {{2, 1}, {1, 2}},
        {{33, 16, 0, 1, 15}, {16, 0, 33, 1, 15}},
        {{1, 17, 1}, {17, 1}}, // a replaced key goes to the end of its bucket
    };
    for (const auto& c : cases) {
        GPaperHandlingDevice unit;
        for (uint16_t key : c.added)
            unit.AddTraySet(key, Trays(1));
        EXPECT_EQ(Keys(unit), c.listed);
        EXPECT_EQ(unit.GetKeyCount(), c.listed.size());
    }
}

TEST(GPaperHandlingDeviceTest, RemovingSets) {
    GPaperHandlingDevice unit;
    GAttributeComposite* seventeen = Trays(1);
    unit.AddTraySet(2, Trays(2));
    unit.AddTraySet(17, seventeen);
    unit.AddTraySet(1, Trays(3));
    ASSERT_EQ(unit.GetCurrentKey(), 2);

    EXPECT_EQ(unit.RemoveTraySet(9), nullptr);
    std::unique_ptr<GAttributeComposite> removed = unit.RemoveTraySet(2);
    ASSERT_NE(removed, nullptr);
    EXPECT_EQ(removed->GetCount(), 2u);
    EXPECT_EQ(removed->GetRefCount(), -1); // the caller owns it outright
    EXPECT_EQ(unit.GetCurrentKey(), 17);   // first remaining in bucket order
    EXPECT_EQ(unit.GetKeyCount(), 2u);

    // A set others still hold stays with them; the caller gets a copy.
    GCountedPtr keep(seventeen);
    std::unique_ptr<GAttributeComposite> copy = unit.RemoveTraySet(17);
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy.get(), seventeen);
    EXPECT_EQ(seventeen->GetRefCount(), 0);
    EXPECT_EQ(unit.GetCurrentKey(), 1);

    // Removing a key that is not current leaves the current key alone.
    unit.AddTraySet(4, Trays(1));
    EXPECT_NE(unit.RemoveTraySet(4), nullptr);
    EXPECT_EQ(unit.GetCurrentKey(), 1);

    EXPECT_NE(unit.RemoveTraySet(1), nullptr);
    EXPECT_EQ(unit.GetCurrentKey(), 0);
    EXPECT_EQ(unit.GetKeyCount(), 0u);
    EXPECT_EQ(unit.GetCurrentSetSize(), 0u);
}

TEST(GPaperHandlingDeviceTest, FlagsFollowTheInvariant) {
    GPaperHandlingDevice fixed("Fixed", 0, 0, 0, 1, 0);
    EXPECT_EQ(fixed.SetInstalled(0), 0);
    EXPECT_EQ(fixed.IsInstalled(), 1u);

    GPaperHandlingDevice optional("Option", 0, 1, 0, 1, 0);
    EXPECT_EQ(optional.SetInstalled(1), 1);
    EXPECT_EQ(optional.IsInstalled(), 1u);
    EXPECT_EQ(optional.SetInstalled(0), 1);
    optional.SetOptional(0);
    EXPECT_EQ(optional.IsInstalled(), 1u);
    EXPECT_EQ(optional.IsOptional(), 0u);

    EXPECT_EQ(optional.SetIdentificationMode(3), 1);
    EXPECT_EQ(optional.SetIdentificationMode(2), 3);
    EXPECT_EQ(optional.SetKeyedByReport(1), 0);
    EXPECT_EQ(optional.GetKeyedByReport(), 1);
}

TEST(GPaperHandlingDeviceTest, SetSizes) {
    GPaperHandlingDevice unit;
    EXPECT_EQ(unit.GetMinSetSize(), 0u);
    EXPECT_EQ(unit.GetMaxSetSize(), 0u);
    unit.AddTraySet(1, Trays(0));
    EXPECT_EQ(unit.GetMinSetSize(), 0u);
    unit.AddTraySet(2, Trays(3));
    unit.AddTraySet(3, Trays(2));
    EXPECT_EQ(unit.GetMinSetSize(), 2u);
    EXPECT_EQ(unit.GetMaxSetSize(), 3u);
    EXPECT_EQ(unit.GetCurrentSetSize(), 0u); // key 1, an empty set
}

TEST(GPaperHandlingDeviceTest, EqualityCountsSetsButDoesNotCompareThem) {
    GPaperHandlingDevice a("Unit", 0, 1, 1, 1, 0, 5);
    GPaperHandlingDevice b("Unit", 0, 1, 1, 1, 0, 5);
    a.AddTraySet(1, Trays(1));
    b.AddTraySet(1, Trays(3, 40));
    EXPECT_TRUE(a.IsEqualId(&b));
    b.AddTraySet(2, Trays(1));
    EXPECT_FALSE(a.IsEqualId(&b));

    GPaperHandlingDevice copy(a);
    EXPECT_TRUE(copy.IsEqualId(&a));
    EXPECT_EQ(copy.FindSet(1), a.FindSet(1)); // the same set object
    copy.SetDisplayString(GDisplayString(1, nullptr, nullptr));
    EXPECT_FALSE(copy.IsEqualId(&a));
    GPaperHandlingDevice other("Unit", 1, 1, 1, 1, 0, 5);
    other.AddTraySet(1, Trays(1));
    EXPECT_FALSE(other.IsEqualId(&a));
}

TEST(GPaperHandlingDeviceTest, CompositeViewAndLookups) {
    GPaperHandlingDevice input("Input", 0, 0, 1, 1, 0);
    std::unique_ptr<MPersistentIterator> none = input.CreateIterator();
    EXPECT_FALSE(none->Advance());
    EXPECT_EQ(none->Current(), nullptr);

    input.AddTraySet(1, Trays(2, 29));
    input.AddTraySet(2, Trays(3, 31));
    std::vector<int16_t> seen;
    std::unique_ptr<MPersistentIterator> trays = input.CreateIterator();
    while (trays->Advance())
        seen.push_back(static_cast<GTray*>(trays->Current())->GetBinId());
    EXPECT_EQ(seen, (std::vector<int16_t>{29, 30}));

    ASSERT_NE(input.FindTrayByBinId(30), nullptr);
    EXPECT_EQ(input.FindTrayByBinId(31), nullptr); // not in the current set
    EXPECT_EQ(input.FindBinByBinId(30), nullptr);  // an input unit has no bins
    input.SetCurrentKey(2);
    EXPECT_EQ(input.FindTrayByBinId(31)->GetBinId(), 31);

    GPaperHandlingDevice output("Output", 1, 0, 1, 1, 0);
    auto* bins = new GAttributeComposite();
    bins->Add(new GBin("Top", 41));
    bins->Add(new GBin(0, "Face up", 42, 0, 0, -1, -1, 1, 0, "Face up", nullptr));
    output.AddTraySet(1, bins);
    ASSERT_NE(output.FindBinByBinId(42), nullptr);
    EXPECT_EQ(output.FindBinByBinId(42)->GetDeliveryKind(), 1);
    EXPECT_EQ(output.FindTrayByBinId(41), nullptr);

    papertest::PaperRecorder device;
    EXPECT_EQ(output.Apply(device), 1);
    EXPECT_EQ(device.mediaCalls + device.trayCalls, 0);
}

// --- Persistence ----------------------------------------------------------------

namespace {

using namespace papertest;

// An empty set (id 0) with the given serial.
std::string SetGuts(uint32_t serial) {
    return Words({1, 0, serial, 1, 1}) + Words({1, 0});
}

// Unit "Input" (serial 14): input, optional, installed, current key 17,
// keys 17 and 1 sharing one empty set (serial 16), identification mode 2,
// keyed by report, display string 7 "In" (serial 15). Indexes: nil 0, the
// unit 1, the set 2, the display string 3.
std::string UnitGuts(const Form& form) {
    return Words({1, 0, 14, 1, 1, 1}) + form.S("Input") + Words({0, 1, 1}) + U16(17) + U32(2) + U16(17) +
           form.Object(757, SetGuts(16)) + U16(1) + form.Ref(2) + Words({2, 1}) +
           form.Object(786, Words({1, 0, 15, 1}) + form.S("") + form.S("In") + U16(7));
}

// A version-0 record "Old" (serial 14), optional and not installed, current
// key 3, with one empty set per key.
std::string OldUnitGuts(const Form& form, std::initializer_list<uint16_t> keys, uint32_t count) {
    std::string guts = Words({1, 0, 14, 1, 1, 0}) + form.S("Old") + Words({0, 1, 0}) + U16(3) + U32(count);
    uint32_t serial = 30;
    for (uint16_t key : keys)
        guts += U16(key) + form.Object(757, SetGuts(serial++));
    return guts;
}

} // namespace

TEST(GPaperHandlingDeviceTest, SavedFormByteForByte) {
    GPaperHandlingDevice unit(7, "Input", 0, 1, 1, 2, 1, "In", nullptr);
    unit.SetSerial(14);
    GDisplayString shown(unit.GetDisplayString());
    shown.SetSerial(15);
    unit.SetDisplayString(shown);
    auto* set = new GAttributeComposite();
    set->SetSerial(16);
    unit.AddTraySet(17, set);
    unit.AddTraySet(1, set);
    for (Carrier carrier : kBinaryCarriers) {
        SCOPED_TRACE(leaftest::CarrierName(carrier));
        const Form form(carrier);
        const std::string graph = form.Graph(1010, UnitGuts(form));
        EXPECT_EQ(Save(unit, carrier), graph);
        std::unique_ptr<GPaperHandlingDevice> restored =
            ExpectResavedIdentically<GPaperHandlingDevice>(graph, carrier);
        ASSERT_NE(restored, nullptr);
        EXPECT_TRUE(restored->IsEqualId(&unit));
        EXPECT_EQ(restored->FindSet(17), restored->FindSet(1)); // shared again
        EXPECT_EQ(Keys(*restored), (std::vector<uint16_t>{17, 1}));
        ExpectEveryCutRefused(graph, carrier);
    }
    EXPECT_EQ(unit.RecursiveStoreSize(), Save(unit, Carrier::File).size());

    // With trays in the sets, through every carrier.
    GPaperHandlingDevice full("Input", 0, 0, 1, 1, 1);
    full.AddTraySet(2, Trays(2));
    full.AddTraySet(18, Trays(3, 40));
    ExpectRoundTrips(full);
}

TEST(GPaperHandlingDeviceTest, VersionZeroRecordsTakeTheOlderDefaults) {
    for (Carrier carrier : kBinaryCarriers) {
        SCOPED_TRACE(leaftest::CarrierName(carrier));
        const Form form(carrier);
        const struct {
            std::initializer_list<uint16_t> keys;
            int32_t keyedByReport;
        } cases[] = {{{3}, 0}, {{3, 4}, 1}};
        for (const auto& c : cases) {
            const uint32_t count = static_cast<uint32_t>(c.keys.size());
            std::unique_ptr<MPersistentObject> restored =
                Restore(form.Graph(1010, OldUnitGuts(form, c.keys, count)), carrier);
            auto* unit = dynamic_cast<GPaperHandlingDevice*>(restored.get());
            ASSERT_NE(unit, nullptr);
            EXPECT_EQ(unit->GetIdentificationMode(), 1);
            EXPECT_EQ(unit->GetKeyedByReport(), c.keyedByReport);
            EXPECT_EQ(unit->GetDisplayString().GetStringId(), 0);
            EXPECT_EQ(unit->GetDisplayString().GetText1(), "");
            EXPECT_EQ(unit->GetKeyCount(), count);
            EXPECT_EQ(unit->GetCurrentKey(), 3);
            EXPECT_EQ(unit->IsInstalled(), 0u);
        }
        EXPECT_EQ(Restore(form.Graph(1010, OldUnitGuts(form, {3}, 1).replace(20, 4, U32(2))), carrier),
                  nullptr);
    }
}

TEST(GPaperHandlingDeviceTest, RestoredDataIsNotTrusted) {
    for (Carrier carrier : kBinaryCarriers) {
        SCOPED_TRACE(leaftest::CarrierName(carrier));
        const Form form(carrier);
        // A count the data does not back: refused, nothing allocated for it.
        EXPECT_EQ(Restore(form.Graph(1010, OldUnitGuts(form, {3}, 0xFFFFFFFF)), carrier), nullptr);
        EXPECT_EQ(Restore(form.Graph(1010, OldUnitGuts(form, {3, 4}, 3)), carrier), nullptr);

        // A set must be an attribute composite.
        const std::string head =
            Words({1, 0, 14, 1, 1, 0}) + form.S("Old") + Words({0, 1, 0}) + U16(3) + U32(1);
        const std::string tray =
            Words({1, 0, 9, 1, 1, 0}) + form.S("T") + U16(29) + Words({0, 0, -1u, -1u, 0});
        EXPECT_THROW(Restore(form.Graph(1010, head + U16(3) + form.Object(1001, tray)), carrier),
                     RWInternalError);

        // The stored current key stays, even when it names no set; a unit
        // that is not optional comes back installed; a key stored twice
        // keeps one entry.
        std::string odd = Words({1, 0, 14, 1, 1, 0}) + form.S("Odd") + Words({0, 0, 0}) + U16(99) + U32(2) +
                          U16(5) + form.Object(757, SetGuts(30)) + U16(5) + form.Object(757, SetGuts(31));
        std::unique_ptr<MPersistentObject> restored = Restore(form.Graph(1010, odd), carrier);
        auto* unit = dynamic_cast<GPaperHandlingDevice*>(restored.get());
        ASSERT_NE(unit, nullptr);
        EXPECT_EQ(unit->GetCurrentKey(), 99);
        EXPECT_EQ(unit->IsInstalled(), 1u);
        EXPECT_EQ(unit->GetKeyCount(), 1u);
        EXPECT_EQ(unit->FindSet(5)->GetSerial(), 31u);
        EXPECT_EQ(unit->GetCurrentSetSize(), 0u);
    }
}
