// The value-to-string tables of the option lists, read through the
// module's own strings: a listed value gives its id and a list shows the
// string's text; a value a table does not list gives -1; some listed ids
// have no string, so a list shows no text for them either.
#include <gtest/gtest.h>

#include <string>

#include "model/GResourceMappingList.h"
#include "tests/ui/framework/ModelPrinterSheet.h"
#include "tests/ui/framework/ResourceLibraryDoubles.h"
#include "ui/framework/GUIStrings.h"
#include "ui/pages/GOptionValueTables.h"
#include "ui/pages/GTrayDisplayNames.h"

namespace {

using T = GOptionValueTable;

std::u16string Text(int32_t stringId) {
    RWWString text;
    if (stringId >= 0) LoadResString(static_cast<uint16_t>(stringId), text);
    return std::u16string(text.Data(), text.Length());
}

TEST(GOptionValueTablesTest, ListedValuesGiveTheirStringAndOthersMinusOne) {
    RegisterResourceLibraries();
    const HeldResourceLibrary library(kOwnResourceLibrary);
    ASSERT_EQ(library.Loaded(), 1);
    const struct {
        T table;
        int32_t value;
        int32_t id;
        const char16_t* text; // empty: the id has no string
    } cases[] = {
        {T::kBooklet, 11, 13625, u""},
        {T::kBooklet, 0, 11032, u"Off"},
        {T::kBooklet, 10, 13525, u"Legal (Right Binding)"},
        {T::kBooklet, 15, -1, u""},
        {T::kPageOrder, 3, 11050, u"Down, then Left"},
        {T::kPageOrder, 0, 11047, u"Right, then Down"},
        {T::kPageOrder, 4, -1, u""},
        {T::kOutputAccessoryType, 1, -1, u""},
        {T::kOutputAccessoryType, 6, -1, u""},
        {T::kOutputAccessoryType, 0, 11150, u"(None)"},
        {T::kOutputAccessoryType, 3, 11159, u"Job Separator"},
        {T::kOutputAccessoryType, 5, 11157, u"Collator"},
        {T::kResolution, 4, 12130, u""},
        {T::kResolution, 2, 12122, u"600 dpi"},
        {T::kResolution, 7, -1, u""},
        {T::kHalftone, 1, 11352, u"Smooth"},
        {T::kHalftone, 2, -1, u""},
        {T::kColourMatchMode, 1, 11302, u"Screen Match"},
        {T::kColourMatchMode, -1, -1, u""},
        {T::kPrintQualityLevel, 12, 13005, u""},
        {T::kPrintQualityLevel, 6, -1, u""},
        {T::kThreeState, 2, 14002, u""},
        {T::kThreeState, 3, -1, u""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(c.table) << " value " << c.value);
        const int32_t id = OptionValueStringId(c.table, c.value);
        EXPECT_EQ(id, c.id);
        EXPECT_EQ(Text(id), std::u16string(c.text));
    }
}

TEST(GOptionValueTablesTest, TrayNamesComeFromTheModelsTables) {
    uitest::ModelPrinterSheet sheet("QVCOLOR");
    // The colour printer's tray table pairs string ids with tray ids
    // (resources/printers/shared/colour-bins.qvpd); its paper-number pairs
    // give a form number for a paper id (shared/paper-numbers.qvpd).
    const struct {
        bool inPairs;
        uint16_t id;
        int32_t expected;
    } cases[] = {{false, 1, 10501}, {false, 19, 10519}, {false, 5, 10505}, {false, 2, -1},
                 {true, 6, 5},      {true, 1, 1},       {true, 9999, -1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.inPairs << " " << c.id);
        EXPECT_EQ(c.inPairs ? TrayDisplayNameIdInPairs(sheet.model.get(), c.id)
                            : TrayDisplayNameId(sheet.model.get(), c.id),
                  c.expected);
    }
    EXPECT_EQ(TrayDisplayNameId(nullptr, 1), -1);
}

} // namespace
