#pragma once
// The Debug page (dialog 10000): the image compression choice of the
// rendering side. No sheet adds it; its builder stands beside the tabs'.
#include <cstdint>

#include "winapi/WinCommonUI.h"

class GPropertyPage;
class GUIModel;

// Fills the page record with the page and gives it its control; the page,
// which the caller owns (the sheet deletes its pages at the end).
GPropertyPage* BuildDebugPage(PROPSHEETPAGEW& slot, GUIModel* model, uint32_t hasHelp);
