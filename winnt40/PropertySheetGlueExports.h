#pragma once
// The property-sheet glue's exported call-backs, with C linkage under their
// names: the page call-back and the dialog hook of GCPSOSUI, and the host
// call-back that stands in for a sheet when the driver builds its pages
// without one.
#include "driver/GUIData.h"
#include "winapi/WinCommonUI.h"
#include "winapi/WinExport.h"
#include "winapi/WinTypes.h"

QV_MODULE_EXPORT UINT PropPageCallback(HWND window, UINT message, PROPSHEETPAGEW* page);
QV_MODULE_EXPORT LRESULT DlgProcHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam, GUIData* data);
// Returns lParam1 and does nothing else.
QV_MODULE_EXPORT LONG_PTR NonPropPageSheet(HANDLE sheet, UINT function, LPARAM lParam1, LPARAM lParam2);
