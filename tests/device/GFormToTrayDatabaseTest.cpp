#include <gtest/gtest.h>

#include <vector>

#include "PaperTestSupport.h"
#include "device/GFormToTrayAssociation.h"
#include "device/GFormToTrayDatabase.h"
#include "rw/RWFactory.h"

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
