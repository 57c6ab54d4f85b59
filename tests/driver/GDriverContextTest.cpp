#include <gtest/gtest.h>

#include <memory>

#include "DriverTestSupport.h"
#include "driver/GDriverContext.h"
#include "model/GAttributeComposite.h"
#include "model/GEnumAttribute.h"
#include "model/GStringAttribute.h"
#include "model/GValueAttribute.h"
#include "model/MAssociationList.h"
#include "model/MPersistentAssociation.h"
#include "paper/GCustomMediaSize.h"
#include "paper/GMedia.h"
#include "paper/GMediaPool.h"

using namespace drivertest;

namespace {

// The printer configuration (node 198) of the test printer.
MPersistentObject* PrinterConfiguration(GDriverContext& context) {
    return context.GetPrinterConfiguration();
}

class GDriverContextTest : public ::testing::Test {
protected:
    void SetUp() override { context.SetConfiguration(BuildConfiguration()); }

    // Settings holding 711 and 713 with the given values.
    void UsePoolSettings(uint16_t alternate, uint16_t symmetric) {
        auto* settings = new GAttributeComposite(365);
        settings->Add(new GValueAttribute(alternate, 711));
        settings->Add(new GValueAttribute(symmetric, 713));
        context.SetSettings(settings);
    }

    TestDriverContext context;
};

TEST_F(GDriverContextTest, NamesAndNodes) {
    EXPECT_EQ(context.GetPrinterName(), RWWString(u"Office Printer"));
    EXPECT_EQ(context.GetDriverName(), RWWString(u"QV Colour Driver"));
    EXPECT_EQ(context.GetPortName(), RWWString(u"LPT1:"));
    ASSERT_NE(context.GetPrinter(), nullptr);
    EXPECT_EQ(context.GetPrinter()->GetId(), 76u);
    EXPECT_EQ(context.GetPrinterConfiguration()->GetId(), 198u);
    // A fresh context has an empty resource-mapping list with id 194.
    TestDriverContext fresh;
    ASSERT_NE(fresh.GetResourceMappingList(), nullptr);
    EXPECT_EQ(fresh.GetResourceMappingList()->GetId(), 194u);
    EXPECT_EQ(fresh.GetResourceMappingList()->GetCount(), 0u);
    EXPECT_EQ(fresh.GetPrinter(), nullptr);
    EXPECT_EQ(fresh.GetPrinterConfiguration(), nullptr);
    EXPECT_EQ(fresh.FindWriter(), nullptr);
    EXPECT_EQ(fresh.GetSetting958(), 0u);
    EXPECT_EQ(fresh.GetMediaPool(), nullptr);
}

TEST_F(GDriverContextTest, ColourValueIsCachedUntilResetCache) {
    EXPECT_EQ(context.IsColour(), 1);
    auto* colour = dynamic_cast<GValueAttribute*>(context.GetConfiguration()->FindById(339));
    colour->SetValue(2);
    EXPECT_EQ(context.IsColour(), 1); // still the cached value
    context.ResetCache();
    EXPECT_EQ(context.IsColour(), 2);
    // Without setting 339 the last value is kept.
    context.GetConfiguration()->RemoveById(339);
    context.ResetCache();
    EXPECT_EQ(context.IsColour(), 2);
}

TEST_F(GDriverContextTest, MediaPoolFollowsSettings711And713) {
    auto* alternate = new GMediaPool(195);
    alternate->Add(Media600(1, 5100, 6600));
    PrinterConfiguration(context)->Add(alternate);
    auto* regular = dynamic_cast<GMediaPool*>(context.GetPrinterConfiguration()->FindById(189));

    UsePoolSettings(1, 1); // 711 set: 713 is not looked at
    EXPECT_EQ(context.GetMediaPool(), alternate);
    UsePoolSettings(0, 0);
    EXPECT_EQ(context.GetMediaPool(), regular);
    context.SetSettings(nullptr); // no settings: 0 and 0
    EXPECT_EQ(context.GetMediaPool(), regular);

    UsePoolSettings(0, 1);
    GMediaPool* symmetric = context.GetMediaPool();
    ASSERT_NE(symmetric, nullptr);
    EXPECT_NE(symmetric, regular);
    EXPECT_EQ(context.GetMediaPool(), symmetric); // built once
    EXPECT_EQ(symmetric->GetCount(), regular->GetCount());
    context.ResetCache(); // drops it: the next call builds a new one
    GMediaPool* rebuilt = context.GetMediaPool();
    ASSERT_NE(rebuilt, nullptr);
    EXPECT_EQ(rebuilt->GetCount(), regular->GetCount());
}

TEST_F(GDriverContextTest, SymmetricMarginsTakeTheLargerSide) {
    struct Case {
        const char* name;
        GShortPair size, imageable, origin;
        GShortPair expectedImageable, expectedOrigin;
    };
    const Case cases[] = {
        // left 100, right 5100 - 4700 - 100 = 300: both 300.
        {"right margin larger", {5100, 6600}, {4700, 6400}, {100, 100}, {4500, 6400}, {300, 100}},
        // left 400 > right 200: both 400.
        {"left margin larger", {5100, 6600}, {4500, 6400}, {400, 100}, {4300, 6400}, {400, 100}},
        // margins wider than half the sheet: nothing imageable, never negative.
        {"margins past the middle", {100, 100}, {10, 10}, {80, 10}, {0, 0}, {80, 80}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto* pool = new GMediaPool(189);
        pool->Add(new GMedia("", c.size, c.imageable, c.origin, 0, 1, 600, 600));
        PrinterConfiguration(context)->RemoveById(189);
        PrinterConfiguration(context)->Add(pool);
        context.ResetCache();
        UsePoolSettings(0, 1);
        GMediaPool* symmetric = context.GetMediaPool();
        ASSERT_NE(symmetric, nullptr);
        const GMedia* media = symmetric->FindMedia(1, 0, 600, 600);
        ASSERT_NE(media, nullptr);
        EXPECT_EQ(media->GetSize(), c.size);
        EXPECT_EQ(media->GetImageableSize(), c.expectedImageable);
        EXPECT_EQ(media->GetImageableOrigin(), c.expectedOrigin);
    }
}

TEST_F(GDriverContextTest, PaperIdChecks) {
    TestDriverContext bare;
    EXPECT_EQ(bare.CheckPaperId(nullptr, 16384, 0, 600, 600), 2); // custom, no configuration needed
    EXPECT_EQ(bare.CheckPaperId(nullptr, 9, 0, 600, 600), 1);     // no node 192: accepted
    auto* names = new MAssociationList(192);
    names->InsertOrReplace(
        new MPersistentAssociation(new GValueAttribute(9, 0), new GStringAttribute("A4", 0)));
    PrinterConfiguration(context)->Add(names);
    EXPECT_EQ(context.CheckPaperId(nullptr, 9, 0, 600, 600), 1);
    EXPECT_EQ(context.CheckPaperId(nullptr, 10, 0, 600, 600), 2);
    EXPECT_EQ(context.CheckPaperId(nullptr, 17000, 0, 600, 600), 2);
    auto settings = DocumentDefaults();
    EXPECT_EQ(context.CheckPaperIdInSettings(settings.get(), 9), 1);
}

TEST_F(GDriverContextTest, ConfigurationLookups) {
    EXPECT_EQ(context.IsMediaNameUnlisted("Plain"), 1); // no node 1132
    auto* mediaNames = new GAttributeComposite(1132);
    mediaNames->Add(new GStringAttribute("Plain", 0));
    mediaNames->Add(new GStringAttribute("Heavy", 0));
    PrinterConfiguration(context)->Add(mediaNames);
    EXPECT_EQ(context.IsMediaNameUnlisted("Heavy"), 0);
    EXPECT_EQ(context.IsMediaNameUnlisted("heavy"), 1); // exact
    EXPECT_EQ(context.IsMediaNameUnlisted("Glossy"), 1);

    EXPECT_TRUE(context.GetResourceLibraryPath().IsNull());
    PrinterConfiguration(context)->Add(new GStringAttribute("qvres.dll", 401));
    EXPECT_EQ(context.GetResourceLibraryPath(), RWWString(u"qvres.dll"));

    PrinterConfiguration(context)->Add(new GValueAttribute(932, 958));
    EXPECT_EQ(context.GetSetting958(), 932u);
}

TEST_F(GDriverContextTest, NamedEntriesReplaceTheTargetsNode360) {
    auto* entries = new GAttributeComposite(369);
    auto* entry = new GAttributeComposite(0);
    entry->Add(new GStringAttribute("Draft Mode", 370));
    auto* preset = new GAttributeComposite(360);
    preset->Add(new GValueAttribute(9, 291));
    entry->Add(preset);
    entries->Add(entry);
    PrinterConfiguration(context)->Add(entries);

    GAttributeComposite target(500);
    auto* current = new GAttributeComposite(360);
    current->Add(new GValueAttribute(1, 291));
    target.Add(current);
    EXPECT_EQ(context.ApplyNamedEntry(&target, "draft MODE"), 1); // names compare upper-cased
    EXPECT_EQ(dynamic_cast<GValueAttribute*>(target.FindById(291))->GetValue(), 9);
    EXPECT_EQ(context.ApplyNamedEntry(&target, "Photo"), 0);
}

TEST_F(GDriverContextTest, TrayValuesAndComposites) {
    GAttributeComposite from(1);
    auto* source = new GAttributeComposite(362);
    source->Add(new GValueAttribute(4, 266));
    source->Add(new GValueAttribute(5, 267));
    from.Add(source);
    GAttributeComposite to(2);
    auto* target = new GAttributeComposite(329);
    target->Add(new GValueAttribute(0, 266));
    target->Add(new GValueAttribute(0, 268));
    to.Add(target);
    GDriverContext::CopyTrayValues(&from, &to);
    EXPECT_EQ(dynamic_cast<GValueAttribute*>(to.FindById(266))->GetValue(), 4);
    EXPECT_EQ(dynamic_cast<GValueAttribute*>(to.FindById(268))->GetValue(), 0); // no source value
    EXPECT_EQ(to.FindById(267), nullptr);                                       // no target value

    GAttributeComposite composite(3);
    EXPECT_EQ(context.AddToComposite(&composite, new GValueAttribute(1, 4)), 1);
    EXPECT_EQ(composite.GetCount(), 1u);
    GValueAttribute leaf(1, 5);
    EXPECT_EQ(context.AddToComposite(&leaf, new GValueAttribute(1, 6)), 0);
}

TEST_F(GDriverContextTest, CustomSizesTakeTheLowestFreeIdAndReplaceTheirName) {
    GEnumAttribute list(276);
    list.Add(new GCustomMediaSize(16385, "Photo", 3, 101600, 152400));
    list.Add(new GCustomMediaSize(16387, "Card", 3, 88900, 50800));
    auto* card = new GCustomMediaSize(0, "Card", 3, 90000, 50000);
    card->SetChanged(0);
    ASSERT_EQ(context.AddCustomSize(card, &list, 0), 1);
    EXPECT_EQ(card->GetPaperId(), 16386); // 16385 is taken
    EXPECT_EQ(card->GetChanged(), 1u);
    ASSERT_EQ(list.GetCount(), 2u); // the older "Card" went
    EXPECT_NE(list.FindEqual(card), nullptr);

    GEnumAttribute full(276);
    for (uint16_t id = 16385; id <= 17383; ++id)
        full.Add(new GCustomMediaSize(id, "", 3, 1000, 1000));
    GCustomMediaSize extra(7, "Extra", 3, 1000, 1000);
    EXPECT_EQ(context.AddCustomSize(&extra, &full, 0), 0);
    EXPECT_EQ(extra.GetPaperId(), 7); // nothing changed
    EXPECT_EQ(full.GetCount(), 999u);
}

TEST_F(GDriverContextTest, PaperSizeInRangeOfTheCustomSizeBounds) {
    auto* bounds = new GMediaPool(189);
    bounds->Add(Media600(17389, 1800, 3000)); // 3 x 5 inches
    bounds->Add(Media600(17388, 5100, 8400)); // 8.5 x 14 inches
    PrinterConfiguration(context)->RemoveById(189);
    PrinterConfiguration(context)->Add(bounds);
    auto settings = DocumentDefaults();
    auto* sizes = new GEnumAttribute(276);
    sizes->Add(new GCustomMediaSize(16385, "4x6", 3, 101600, 152400));   // inside
    sizes->Add(new GCustomMediaSize(16386, "1x1", 3, 25400, 25400));     // too small
    sizes->Add(new GCustomMediaSize(16387, "20x20", 3, 508000, 508000)); // too large
    sizes->Add(new GCustomMediaSize(16388, "wide", 3, 203200, 101600));  // 8 x 4: too short
    settings->Add(sizes);
    EXPECT_EQ(context.IsPaperSizeInRange(16385, settings.get()), 1);
    EXPECT_EQ(context.IsPaperSizeInRange(16386, settings.get()), 0);
    EXPECT_EQ(context.IsPaperSizeInRange(16387, settings.get()), 0);
    EXPECT_EQ(context.IsPaperSizeInRange(16388, settings.get()), 0);
    EXPECT_EQ(context.IsPaperSizeInRange(16399, settings.get()), 0); // no such size
    EXPECT_EQ(context.IsPaperSizeInRange(16385, nullptr), 0);        // the context has no settings
}

} // namespace
