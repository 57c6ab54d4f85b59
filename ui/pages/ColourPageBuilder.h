#pragma once
// The Color tab (dialog 14000): automatic or manual colour with the Manual
// Color Options dialog (14501), print in grayscale and, for a PostScript
// printer, the PANTONE calibration box and the CMYK inkset emulation; then
// the controls every tab ends with.
#include <cstdint>

#include "winapi/WinCommonUI.h"

class GModalDialog;
class GPropertyPage;
class GUIModel;
class MPersistentObject;

// Fills the page record with the page and gives it its controls; the page,
// which the caller owns (the sheet deletes its pages at the end). The
// printer configuration's writer kind decides the PostScript controls.
GPropertyPage* BuildColourPage(PROPSHEETPAGEW& slot, GUIModel* model, uint32_t hasHelp,
                               MPersistentObject* printerConfiguration);

// The Manual Color Options dialog with its six colour-code combos and the
// description text; the caller owns it.
GModalDialog* BuildManualColourDialog(GUIModel* model, uint32_t hasHelp);
