#pragma once
// The Job Storage tab (dialog 15000, shown as "Job Retention"): the storage
// mode with its PIN and names, the job ID check box, then the controls
// every tab ends with.
#include <cstdint>

#include "winapi/WinCommonUI.h"

class GPropertyPage;
class GUIModel;

// Fills the page record with the page and gives it its controls; the page,
// which the caller owns (the sheet deletes its pages at the end).
GPropertyPage* BuildJobStoragePage(PROPSHEETPAGEW& slot, GUIModel* model, uint32_t hasHelp);
