#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "model/GAttributeComposite.h"
#include "model/GChromalistAttribute.h"
#include "model/GChromalistEnhancedAttribute.h"
#include "model/GChromalistEnhancedAttributeVer2.h"
#include "model/GCountedPtr.h"
#include "model/GFeatureValueAccessors.h"
#include "model/GStringAttribute.h"
#include "model/GValueAttribute.h"
#include "model/MAssociationList.h"
#include "model/MPersistentAssociation.h"
#include "model/MPersistentComposite.h"

namespace {

// A settings tree with attribute 295 one level down (under node 10), so the
// readers really search; colour is taken over by the tree (null: none).
GCountedPtr ColourTree(MPersistentObject* colour) {
    GCountedPtr root(new GAttributeComposite(1));
    auto* node = new GAttributeComposite(10);
    root->Add(node);
    node->Add(new GValueAttribute(5, 294));
    if (colour != nullptr) node->Add(colour);
    return root;
}

constexpr uint16_t kMiss = 0xFFFF;

} // namespace

TEST(GFeatureValueAccessorsTest, ModeReadersPickTheFormByMode) {
    // Enhanced own codes: field0 1, 2, 3; field1 4, 5, 6; field2 7; field3 8.
    GCountedPtr enhanced = ColourTree(new GChromalistEnhancedAttribute(295, 1, 4, 2, 5, 3, 6, 7, 8));
    // Ver2 own codes: field0 11, 12, 13; field1 14, 15, 16; field3 17, 18, 19; field2 20.
    GCountedPtr ver2 =
        ColourTree(new GChromalistEnhancedAttributeVer2(295, 11, 14, 17, 12, 15, 18, 13, 16, 19, 20));

    struct Case {
        const char* what;
        std::function<uint16_t(MPersistentObject*, uint8_t)> read;
        uint16_t enhancedMode3; // on the enhanced tree, mode 3
        uint16_t ver2Mode4;     // on the Ver2 tree, mode 4
    };
    const Case cases[] = {
        {"K0F0", chromalistModeOptionK0F0, 1, 11}, {"K1F0", chromalistModeOptionK1F0, 2, 12},
        {"K2F0", chromalistModeOptionK2F0, 3, 13}, {"K0F1", chromalistModeOptionK0F1, 4, 14},
        {"K1F1", chromalistModeOptionK1F1, 5, 15}, {"K2F1", chromalistModeOptionK2F1, 6, 16},
        {"K3F2", chromalistModeOptionK3F2, 7, 20},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.read(enhanced.Get(), 3), c.enhancedMode3);
        EXPECT_EQ(c.read(ver2.Get(), 4), c.ver2Mode4);
        EXPECT_EQ(c.read(ver2.Get(), 0), c.ver2Mode4); // any mode but 3 reads the second form
        // The wrong form for the mode is a miss, not a read of another layout.
        EXPECT_EQ(c.read(enhanced.Get(), 4), kMiss);
        EXPECT_EQ(c.read(ver2.Get(), 3), kMiss);
    }
    EXPECT_EQ(chromalistEnhancedOptionK3F3(enhanced.Get()), 8u);
    EXPECT_EQ(chromalistEnhancedOptionK3F3(ver2.Get()), kMiss);
    EXPECT_EQ(chromalistVer2OptionK0F3(ver2.Get()), 17u);
    EXPECT_EQ(chromalistVer2OptionK1F3(ver2.Get()), 18u);
    EXPECT_EQ(chromalistVer2OptionK2F3(ver2.Get()), 19u);
    EXPECT_EQ(chromalistVer2OptionK0F3(enhanced.Get()), kMiss);
}

TEST(GFeatureValueAccessorsTest, BaseReadersUseTheBaseCodesOfAnyColourAttribute) {
    GCountedPtr base = ColourTree(new GChromalistAttribute(295, 1, 2, 3, 4, 5, 6));
    EXPECT_EQ(chromalistOptionK0F0(base.Get()), 1u);
    EXPECT_EQ(chromalistOptionK0F1(base.Get()), 2u);
    EXPECT_EQ(chromalistOptionK1F0(base.Get()), 3u);
    EXPECT_EQ(chromalistOptionK1F1(base.Get()), 4u);
    EXPECT_EQ(chromalistOptionK2F0(base.Get()), 5u);
    EXPECT_EQ(chromalistOptionK2F1(base.Get()), 6u);
    EXPECT_EQ(featureValueAt(2, 2, base.Get()), kMiss); // accepted cell without a code
    EXPECT_EQ(featureValueAt(3, 0, base.Get()), kMiss); // out of range

    // On a derived attribute the base reader sees the base codes (the
    // defaults of id 295), never the derived class's own.
    GCountedPtr ver2 =
        ColourTree(new GChromalistEnhancedAttributeVer2(295, 11, 14, 17, 12, 15, 18, 13, 16, 19, 20));
    EXPECT_EQ(chromalistOptionK0F0(ver2.Get()), 15u);
    EXPECT_EQ(chromalistOptionK2F1(ver2.Get()), 62u);
    // The derived readers on the base class are misses.
    EXPECT_EQ(chromalistEnhancedOption(0, 0, base.Get()), kMiss);
    EXPECT_EQ(chromalistVer2Option(0, 0, base.Get()), kMiss);
    // Cells of the derived classes without a code are misses too.
    EXPECT_EQ(chromalistVer2Option(3, 3, ver2.Get()), kMiss);
    EXPECT_EQ(chromalistVer2Option(0, 4, ver2.Get()), kMiss);
}

TEST(GFeatureValueAccessorsTest, MissingOrForeignAttribute295GivesTheMissValue) {
    GCountedPtr missing = ColourTree(nullptr);
    GCountedPtr foreign = ColourTree(new GValueAttribute(3, 295));
    GCountedPtr string = ColourTree(new GStringAttribute("x", 295));
    for (MPersistentObject* tree :
         {missing.Get(), foreign.Get(), string.Get(), static_cast<MPersistentObject*>(nullptr)}) {
        EXPECT_EQ(featureValueAt(0, 0, tree), kMiss);
        EXPECT_EQ(chromalistEnhancedOption(0, 0, tree), kMiss);
        EXPECT_EQ(chromalistVer2Option(0, 0, tree), kMiss);
        EXPECT_EQ(chromalistModeOptionK0F0(tree, 3), kMiss);
        EXPECT_EQ(chromalistModeOptionK0F0(tree, 4), kMiss);
        EXPECT_EQ(chromalistOptionK2F1(tree), kMiss);
    }
}

namespace {

// A tree holding table 545 {7 -> -5, 8 -> "text"} and a node 533 that is no
// table, under an MPersistentComposite root.
GCountedPtr TableTree() {
    GCountedPtr root(new MPersistentComposite(1));
    auto* table = new MAssociationList(545);
    table->Add(new MPersistentAssociation(new GValueAttribute(7, 0), new GValueAttribute(0xFFFB, 0)));
    table->Add(new MPersistentAssociation(new GValueAttribute(8, 0), new GStringAttribute("text", 0)));
    // A key with another id is another key.
    table->Add(new MPersistentAssociation(new GValueAttribute(9, 1), new GValueAttribute(99, 0)));
    root->Add(table);
    root->Add(new GValueAttribute(1, 533));
    auto* table552 = new MAssociationList(552);
    table552->Add(new MPersistentAssociation(new GValueAttribute(1, 0), new GValueAttribute(1234, 0)));
    root->Add(table552);
    return root;
}

} // namespace

TEST(GFeatureValueAccessorsTest, TableLookupsByKey) {
    GCountedPtr tree = TableTree();
    EXPECT_EQ(featureChildValue545(tree, 7), -5);
    EXPECT_EQ(featureChildValue545(tree, 6), 0); // absent key
    EXPECT_EQ(featureChildValue545(tree, 9), 0); // stored under a key of another id
    EXPECT_EQ(featureChildValue545(tree, 8), 0); // a string value read as a number
    EXPECT_EQ(featureChildValue533(tree, 7), 0); // node 533 is no table
    EXPECT_EQ(featureChildValue537(tree, 7), 0); // no node 537
    EXPECT_EQ(featureChildValue543(tree, 7), 0);
    EXPECT_EQ(featureChildValue552(tree, 1), 1234);
    EXPECT_EQ(featureChildValue552b(tree, 1), 1234);
    EXPECT_EQ(featureChildValue(545, tree, 7), -5);

    EXPECT_EQ(featureChildString(545, tree, 8), RWCString("text"));
    EXPECT_EQ(featureChildString(545, tree, 7), RWCString()); // a number value read as text
    EXPECT_EQ(featureChildString(545, tree, 6), RWCString());
    EXPECT_EQ(featureChildString(537, tree, 8), RWCString());

    const GCountedPtr none;
    EXPECT_EQ(featureChildValue545(none, 7), 0);
    EXPECT_EQ(featureChildString(545, none, 8), RWCString());
}
