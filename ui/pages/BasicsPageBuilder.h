#pragma once
// The Basics tab (dialog 1000): the copies, the orientation and the About
// button, then the controls every tab ends with.
#include <cstdint>

#include "winapi/WinCommonUI.h"

class GPropertyPage;
class GUIModel;

// Fills the page record with the page and gives it its controls; the page,
// which the caller owns (the sheet deletes its pages at the end).
GPropertyPage* BuildBasicsPage(PROPSHEETPAGEW& slot, GUIModel* model, uint32_t hasHelp);
