#include <gtest/gtest.h>

#include <vector>

#include "paper/GFormToTrayAssociation.h"
#include "paper/GFormToTrayDatabase.h"
#include "rw/RWFactory.h"
#include "rw/RWLibraryError.h"
#include "tests/paper/PaperBytes.h"
#include "tests/paper/PaperTestSupport.h"

TEST(GFormToTrayDatabaseTest, KindsAndDefaults) {
    GFormToTrayDatabase database;
    EXPECT_EQ(database.IsA(), 1012);
    for (RWClassID kind : {1012, 753, 751})
        EXPECT_TRUE(database.IsKindOf(kind));
    EXPECT_EQ(RWClassIdToStringId(1012), RWStringID("GFormToTrayDatabase"));
    const GFormToTrayAssociation entry;
    EXPECT_EQ(entry.IsA(), 1013);
    for (RWClassID kind : {1013, 753, 751})
        EXPECT_TRUE(entry.IsKindOf(kind));
    EXPECT_EQ(RWClassIdToStringId(1013), RWStringID("GFormToTrayAssociation"));

    EXPECT_EQ(database.GetTrayForForm(5), 0);
    EXPECT_EQ(database.GetMediaTypeForForm(5), 11913);
    EXPECT_EQ(database.GetMediaTypeForTray(3), 11913);
    EXPECT_EQ(database.GetTrayForMediaType(3), 0);
    EXPECT_EQ(database.GetFirstAssignedTray(), 0);
    EXPECT_EQ(database.GetFirstAssignedMediaType(), 11913);
    EXPECT_EQ(database.HasAssignments(), 0);
    EXPECT_EQ(database.HasForm(5), 0);
    EXPECT_EQ(database.FindByForm(5), nullptr);

    papertest::PaperRecorder device;
    EXPECT_EQ(database.Apply(device), 1);
    GFormToTrayAssociation mutableEntry;
    EXPECT_EQ(mutableEntry.Apply(device), 1);
}

TEST(GFormToTrayDatabaseTest, ReassigningAFormLeavesOneAssociationAtTheEnd) {
    GFormToTrayDatabase database(510);
    database.Assign(1, 3, 100);
    database.Assign(2, 4, 101);
    database.Assign(1, 5, 102);
    ASSERT_EQ(database.GetAssociations().GetCount(), 2u);
    std::vector<uint16_t> keys{7}; // appended to
    database.CollectFormKeys(keys);
    EXPECT_EQ(keys, (std::vector<uint16_t>{7, 2, 1}));
    EXPECT_EQ(database.GetTrayForForm(1), 5);
    EXPECT_EQ(database.GetMediaTypeForForm(1), 102);
    EXPECT_EQ(database.FindByForm(1)->GetName(), u"");

    database.RemoveForm(2);
    database.RemoveForm(9); // nothing there
    EXPECT_EQ(database.HasForm(2), 0);
    EXPECT_EQ(database.GetAssociations().GetCount(), 1u);
    database.RemoveAll();
    EXPECT_EQ(database.GetAssociations().GetCount(), 0u);
}

TEST(GFormToTrayDatabaseTest, AssignmentsAwayFromTheDefaults) {
    GFormToTrayDatabase database;
    for (uint16_t form = 1; form <= 4; ++form)
        database.AssignDefault(form);
    EXPECT_EQ(database.GetAssociations().GetCount(), 4u);
    EXPECT_EQ(database.HasAssignments(), 0);
    EXPECT_EQ(database.IsTrayUsed(0), 1);

    database.Assign(3, 3, 11913);
    EXPECT_EQ(database.HasAssignments(), 1);
    database.Assign(2, 0, 200); // a media type only
    database.Assign(4, 7, 201);
    EXPECT_EQ(database.GetFirstAssignedTray(), 3); // skips the default trays
    EXPECT_EQ(database.GetFirstAssignedMediaType(), 200);
    EXPECT_EQ(database.GetMediaTypeForTray(7), 201);
    EXPECT_EQ(database.GetTrayForMediaType(201), 7);
    EXPECT_EQ(database.GetTrayForMediaType(999), 0);
    EXPECT_EQ(database.FindByTray(3)->GetFormKey(), 3);
    EXPECT_EQ(database.FindByMediaType(200)->GetFormKey(), 2);
    EXPECT_EQ(database.IsMediaTypeUsed(201), 1);
    EXPECT_EQ(database.IsMediaTypeUsed(202), 0);
    EXPECT_EQ(database.IsTrayMediaPairUsed(7, 201), 1);
    EXPECT_EQ(database.IsTrayMediaPairUsed(7, 200), 0);
    EXPECT_EQ(database.IsTrayUsed(6), 0);
}

TEST(GFormToTrayDatabaseTest, NamesCompareExactly) {
    GFormToTrayDatabase database;
    database.AssignNamed(1, 3, 100, u"Letterhead");
    EXPECT_EQ(database.IsTrayNameUsed(3, u"Letterhead"), 1);
    EXPECT_EQ(database.IsTrayNameUsed(3, u"letterhead"), 0);
    EXPECT_EQ(database.IsTrayNameUsed(3, u"Letterhea"), 0);
    EXPECT_EQ(database.IsTrayNameUsed(4, u"Letterhead"), 0);
    EXPECT_EQ(database.FindByForm(1)->GetName(), u"Letterhead");
    database.Assign(1, 3, 100); // the name goes with the old association
    EXPECT_EQ(database.IsTrayNameUsed(3, u"Letterhead"), 0);
}

TEST(GFormToTrayDatabaseTest, Equality) {
    const GFormToTrayAssociation base(1, 2, 3, u"n");
    const GFormToTrayAssociation differ[] = {
        GFormToTrayAssociation(9, 2, 3, u"n"), GFormToTrayAssociation(1, 9, 3, u"n"),
        GFormToTrayAssociation(1, 2, 9, u"n"), GFormToTrayAssociation(1, 2, 3, u"N"),
        GFormToTrayAssociation(1, 2, 3)};
    for (const GFormToTrayAssociation& other : differ)
        EXPECT_FALSE(base.IsEqualId(&other));
    const GFormToTrayAssociation same(1, 2, 3, u"n");
    EXPECT_TRUE(base.IsEqualId(&same));

    GFormToTrayDatabase a(510);
    GFormToTrayDatabase b(510);
    a.Assign(1, 2, 3);
    EXPECT_FALSE(a.IsEqualId(&b));
    b.Assign(1, 2, 3);
    EXPECT_TRUE(a.IsEqualId(&b));
    GFormToTrayDatabase otherId(511);
    otherId.Assign(1, 2, 3);
    EXPECT_FALSE(a.IsEqualId(&otherId));
}

// --- Persistence ----------------------------------------------------------------

namespace {

using namespace papertest;

std::string ValueGuts(uint32_t serial, uint16_t value) {
    return Words({1, 0, serial, 1, 1, 1}) + U16(value);
}

// Form 9 to tray 3 and media type 100, named "Ab" (serial 17; the values'
// serials 20, 21, 22), stored in the order tray, form key, media type.
std::string AssociationGuts(const Form& form) {
    return Words({1, 0, 17, 1, 1, 1}) + form.Object(763, ValueGuts(20, 3)) +
           form.Object(763, ValueGuts(21, 9)) + form.Object(763, ValueGuts(22, 100)) + form.W(u"Ab");
}

// Database 510 (serial 18) whose composite (serial 19) holds children.
std::string DatabaseGuts(const std::string& children, uint32_t count) {
    return Words({1, 510, 18, 1, 1, 1}) + Words({1, 0, 19, 1, 1}) + Words({1, count}) + children;
}

} // namespace

TEST(GFormToTrayDatabaseTest, SavedFormByteForByte) {
    for (Carrier carrier : kBinaryCarriers) {
        SCOPED_TRACE(leaftest::CarrierName(carrier));
        const Form form(carrier);
        std::unique_ptr<GFormToTrayAssociation> entry = ExpectResavedIdentically<GFormToTrayAssociation>(
            form.Graph(1013, AssociationGuts(form)), carrier);
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(entry->GetFormKey(), 9);
        EXPECT_EQ(entry->GetTray(), 3);
        EXPECT_EQ(entry->GetMediaType(), 100);
        EXPECT_EQ(entry->GetName(), u"Ab");
        EXPECT_EQ(entry->RecursiveStoreSize(), Save(*entry, Carrier::File).size());

        const std::string graph = form.Graph(1012, DatabaseGuts(form.Object(1013, AssociationGuts(form)), 1));
        std::unique_ptr<GFormToTrayDatabase> database =
            ExpectResavedIdentically<GFormToTrayDatabase>(graph, carrier);
        ASSERT_NE(database, nullptr);
        EXPECT_EQ(database->GetId(), 510u);
        EXPECT_EQ(database->GetTrayForForm(9), 3);
        EXPECT_EQ(database->GetMediaTypeForForm(9), 100);
        EXPECT_EQ(database->IsTrayNameUsed(3, u"Ab"), 1);
        ExpectEveryCutRefused(graph, carrier);

        // An empty database: the version and the composite with no children.
        GFormToTrayDatabase empty(510);
        empty.SetSerial(18);
        std::unique_ptr<GFormToTrayDatabase> emptyRestored =
            ExpectResavedIdentically<GFormToTrayDatabase>(form.Graph(1012, DatabaseGuts("", 0)), carrier);
        ASSERT_NE(emptyRestored, nullptr);
        EXPECT_TRUE(emptyRestored->IsEqualId(&empty));
    }
    GFormToTrayDatabase database(510);
    database.AssignNamed(9, 3, 100, u"Ab");
    database.Assign(2, 0, 11913);
    ExpectRoundTrips(database);
    ExpectRoundTrips(*database.FindByForm(9));
}

TEST(GFormToTrayDatabaseTest, RestoredDataIsNotTrusted) {
    for (Carrier carrier : kBinaryCarriers) {
        SCOPED_TRACE(leaftest::CarrierName(carrier));
        const Form form(carrier);
        const std::string head = Words({1, 0, 17, 1, 1, 1}) + form.Object(763, ValueGuts(20, 3));
        // A value of another class, a nil value, another version.
        const std::string range = Words({1, 0, 21, 1, 1, 1}) + U16(0) + U16(10) + U16(1) + U16(5);
        EXPECT_THROW(Restore(form.Graph(1013, head + form.Object(762, range) +
                                                  form.Object(763, ValueGuts(22, 100)) + form.W(u"")),
                             carrier),
                     RWInternalError);
        EXPECT_EQ(
            Restore(form.Graph(1013, head + form.Ref(0) + form.Object(763, ValueGuts(22, 100)) + form.W(u"")),
                    carrier),
            nullptr);
        // One value named twice: two owners of one object.
        EXPECT_THROW(
            Restore(form.Graph(1013, head + form.Ref(2) + form.Object(763, ValueGuts(22, 100)) + form.W(u"")),
                    carrier),
            RWInternalError);
        std::string newer = AssociationGuts(form);
        newer.replace(20, 4, U32(2));
        EXPECT_EQ(Restore(form.Graph(1013, newer), carrier), nullptr);

        // A child that is no association is passed over by the queries.
        const std::string graph = form.Graph(1012, DatabaseGuts(form.Object(763, ValueGuts(23, 9)), 1));
        std::unique_ptr<MPersistentObject> restored = Restore(graph, carrier);
        auto* database = dynamic_cast<GFormToTrayDatabase*>(restored.get());
        ASSERT_NE(database, nullptr);
        EXPECT_EQ(database->HasForm(9), 0);
        EXPECT_EQ(database->GetTrayForForm(9), 0);
        std::vector<uint16_t> keys;
        database->CollectFormKeys(keys);
        EXPECT_TRUE(keys.empty());
    }
}
