#pragma once
// The module's own tabs of the two property sheets, in the order they
// appear: one row per tab with its dialog template, its page help, the
// builder that gives it its controls, and when the sheet has it.
//
// A tab whose builder is not written yet gets its template and a page
// without controls, so that every sheet has its full set of tabs; giving a
// tab its controls is filling in the builder of its row.
//
// The count and the fill read the same facts of the sheet's block (kind,
// colour, writer kind, setting 520 of the block's settings), so a sheet is
// always filled with exactly the pages it counted.
#include <cstdint>

#include "winapi/WinCommonUI.h"

class GPropertyPage;
class GUIModel;
class MPersistentObject;
struct GUIData;

// A tab's builder: fills the page record with the page and its controls;
// the page, which the page record's PageLink holds (UI_DESTROY deletes it).
using TabBuilder = GPropertyPage* (*)(PROPSHEETPAGEW& slot, GUIModel* model, uint32_t hasHelp);
// A builder that also tests the printer: given the printer configuration,
// whose writer kind (GetWriterKind) decides some of its controls.
using PrinterTabBuilder = GPropertyPage* (*)(PROPSHEETPAGEW& slot, GUIModel* model, uint32_t hasHelp,
                                             MPersistentObject* printerConfiguration);

// What decides which tabs a sheet has.
struct SheetFacts {
    uint32_t kind = 0;
    bool colour = false;
    uint16_t writerKind = 0;
    bool jobStorage = false;
};

struct SheetTab {
    uint16_t templateId;
    uint16_t pageHelpId;
    // The sheet kinds (GUIData::kDocumentSheet, kDeviceSheet) that have it.
    uint32_t sheetKinds;
    // Null: every sheet of those kinds has it.
    bool (*shown)(const SheetFacts& facts);
    // Both null: the template without controls.
    TabBuilder build;
    PrinterTabBuilder buildForPrinter;
};

namespace SheetTabs {

// The facts of the block: its kind, the driver context's colour value
// (1: colour), the writer kind of the printer configuration and whether
// setting 520 of the block's settings is non-zero.
SheetFacts FactsOf(const GUIData& data);
// The number of tabs of a sheet with these facts.
int16_t Count(const SheetFacts& facts);
// The Finishing tab's template: its page is the one the pages-per-sheet
// rule lays out.
inline constexpr uint16_t kFinishingTemplate = 3000;

// Fills the records from first upward, one per tab in order (Count(facts)
// of them), each with a page over the resource library; the Finishing page
// (null when the sheet has none).
GPropertyPage* Fill(PROPSHEETPAGEW* first, const SheetFacts& facts, GUIModel* model,
                    MPersistentObject* printerConfiguration);

} // namespace SheetTabs
