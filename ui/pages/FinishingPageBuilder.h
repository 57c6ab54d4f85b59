#pragma once
// The Finishing tab (dialog 3000): the Document Options group placed for
// the printer's hardware, both sides with Flip Pages Up, booklets, pages
// per sheet with borders and order, Staple and Bind, the Stapling Options
// dialog (3500) behind its button, and the tips beside them.
#include <cstdint>

#include "winapi/WinCommonUI.h"

class GPropertyPage;
class GUIModel;
class MPersistentObject;

// Fills the page record with the page and gives it its controls; the page,
// which the caller owns (the sheet deletes its pages at the end).
GPropertyPage* BuildFinishingPage(PROPSHEETPAGEW& slot, GUIModel* model, uint32_t hasHelp,
                                  MPersistentObject* printerConfiguration);
