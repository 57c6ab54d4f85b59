#pragma once
// The Paper tab (dialog 2000): the tab strip of all, first and other pages
// and the back cover, the different-first-page box, the back cover
// choice, the paper size with its text and the Custom Paper Size dialog
// (8000), the paper type and the paper source.
#include <cstdint>

#include "winapi/WinCommonUI.h"

class GPropertyPage;
class GUIModel;

// Fills the page record with the page and gives it its controls; the page,
// which the caller owns (the sheet deletes its pages at the end).
GPropertyPage* BuildPaperPage(PROPSHEETPAGEW& slot, GUIModel* model, uint32_t hasHelp);
