#pragma once
// The PostScript tab (dialog 6500) of a printer with a PostScript writer:
// how TrueType fonts are sent and substituted, the PostScript output
// options and the "Advanced..." button, which opens the Advanced PS dialog
// (6700) of the job-control and error options; then the controls every
// tab ends with.
#include <cstdint>
#include <memory>

#include "winapi/WinCommonUI.h"

class GModalDialog;
class GPropertyPage;
class GUIModel;

// Fills the page record with the page and gives it its controls; the page,
// which the caller owns (the sheet deletes its pages at the end).
GPropertyPage* BuildPostScriptPage(PROPSHEETPAGEW& slot, GUIModel* model, uint32_t hasHelp);

// The Advanced PS dialog with its controls, as the tab's button runs it.
std::unique_ptr<GModalDialog> BuildAdvancedPSDialog(GUIModel* model, uint32_t hasHelp);
