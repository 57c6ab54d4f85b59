#pragma once
// The property-sheet glue: puts the pages the extension modules build (the
// system's own tabs among them) into the common property-sheet UI. Given
// the driver instance's context block, Run builds the GUIData, has the
// modules build their pages, then shows a sheet of the driver's own
// (CommonPropertySheetUIW) or adds the pages to the caller's sheet through
// its call-back. The page call-back follows each page's life; the dialog
// hook sees every page message: OK on any page marks the block and reports
// the result to the host sheet, leaving a page remembers it as the page to
// open next time, and the first page shown in the process extends the
// sheet's title.
#include <cstdint>

#include "config/GExtensionUISet.h"
#include "rw/RWWString.h"
#include "winapi/WinCommonUI.h"
#include "winapi/WinTypes.h"

struct GSheetContextBlock;
struct GUIData;
struct PageLink;

class GCPSOSUI : public GExtensionUISet {
public:
    // Kind words that build one page through the first module only.
    static constexpr uint16_t kSinglePageMode = 30874;
    static constexpr uint16_t kNoticeMode = 30875;
    // The text appended to the sheet's title, from the resource module.
    static constexpr UINT kTitleStringId = 13620;
    static constexpr int kTitleLength = 80;

    GCPSOSUI() = default;
    ~GCPSOSUI() override;

    // Builds the GUIData into the block and the pages (kind 30874 or 30875:
    // one page through the first module), then shows them. Above 0 on
    // success; 0 for a block whose size word is not 60.
    int16_t Run(GSheetContextBlock* block, uint16_t kind);
    // Ends the modules, frees the pages and the GUIData. 0.
    int16_t End(GSheetContextBlock* block);
    // CommonPropertySheetUIW with the block's owner, sheet function and
    // parameter: 0 when it fails, else the result the sheet handed back.
    int16_t ShowSheet(GSheetContextBlock* block);
    // Every page to the host sheet (PSP_USECALLBACK with PropPageCallback),
    // the remembered page as the start page. The number of pages the host
    // took.
    int16_t AddPagesToHost(GSheetContextBlock* block);

    // The page call-back: PSPCB_CREATE marks the page created (1: create
    // it), PSPCB_RELEASE marks it released and hands the block the sheet's
    // settings when they were replaced. 0 otherwise.
    static UINT PropPageCallback(HWND window, UINT message, PROPSHEETPAGEW* page);
    // The hook every page hands its messages. Always 0.
    static LRESULT DlgProcHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam, GUIData* data);
    // The title is extended once per process; this forgets that it was (a
    // fresh process's state).
    static void ForgetTitleExtended();

private:
    static GUIData* MakeUIData(GSheetContextBlock* block);
    static void FreeUIData(GUIData* data);
    // The page record and link of a page window (null when none).
    static PROPSHEETPAGEW* FindPage(GUIData* data, HWND window);
    static void OnApply(GUIData* data, HWND window);
    static void OnKillActive(GUIData* data, HWND window);
    static void ExtendTitle(GUIData* data, HWND window);
    // The remembered page title (empty when none).
    static RWWString LastPageTitle(GUIData* data);
};
