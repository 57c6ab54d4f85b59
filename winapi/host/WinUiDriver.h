#pragma once
// The test driver of the headless interface (platform layer, not Windows):
// it acts on controls as a user would, queues the scripts that modal
// dialogs and property sheets play and the answers of message boxes, moves
// the clock so timers fire, and reads back what a user would see.
//
// Actions answer false when the user could not have done them: the control
// is missing, or it or one of its parents is hidden or disabled; nothing
// is sent then. Controls are named by their dialog and control id.
#include <cstdint>
#include <string>
#include <vector>

#include "winapi/WinApi.h"
#include "winapi/WinControls.h"
#include "winapi/WinDialog.h"
#include "winapi/host/WinFontFamily.h"
#include "winapi/host/WinPrinterDcSetup.h"
#include "winapi/host/WinRecords.h"
#include "winapi/host/WinUiScript.h"

class QV_WINAPI_API WinUiDriver {
public:
    // Scripts and answers (first in, first out).
    static void QueueDialogScript(WORD templateId, WinUiScript script);
    static void QueueSheetScript(WinUiScript script);
    static void QueueMessageBoxAnswer(int answer);

    // A mouse click in the middle of the control: the cursor moves there,
    // the control gets WM_SETCURSOR, WM_MOUSEMOVE, WM_LBUTTONDOWN and
    // WM_LBUTTONUP (buttons then toggle and send BN_CLICKED).
    static bool Click(HWND dialog, int id);
    static bool ClickAt(HWND control, int x, int y);
    // Chooses an item of a list or combo box by index or by exact text.
    static bool Select(HWND dialog, int id, LONG_PTR index);
    static bool SelectText(HWND dialog, int id, std::u16string_view text);
    // Edits: focus, select all, then type the text character by character
    // (an empty text deletes the selection). Editable combo boxes: the text
    // replaces the edit part.
    static bool Type(HWND dialog, int id, std::u16string_view text);
    static bool Focus(HWND dialog, int id);
    // Up-down arrows: `steps` presses of the up arrow (negative: down).
    static bool Spin(HWND dialog, int id, int steps);
    // Scroll bars and track bars: a scroll code (SB_*/TB_*) and, for the
    // thumb codes, the position.
    static bool Scroll(HWND dialog, int id, WORD code, int position = 0);
    // A key pressed while the control has the focus (WM_KEYDOWN, WM_KEYUP).
    static bool Key(HWND dialog, int id, WPARAM key);
    // F1 on the control: WM_HELP with a HELPINFO naming it.
    static bool Help(HWND dialog, int id);
    // A right click on the control: WM_CONTEXTMENU with the control.
    static bool ContextMenu(HWND dialog, int id);
    // A mouse message at a point of the window's client area.
    static bool Mouse(HWND window, UINT message, int x, int y);
    // The cursor rests at a point of the window: WM_SETCURSOR, WM_MOUSEMOVE.
    static bool Hover(HWND window, int x, int y);
    // Enter presses the default push button (DM_GETDEFID; IDOK when none);
    // Escape sends IDCANCEL.
    static bool PressEnter(HWND dialog);
    static bool PressEscape(HWND dialog);
    static bool EndDialog(HWND dialog, INT_PTR result);
    // Moves the layer's clock on and delivers every timer that falls due,
    // in order of time (under the real clock: sleeps, then delivers).
    static void AdvanceClock(uint32_t milliseconds);

    // What a user would see.
    static HWND ActiveDialog(); // the innermost modal dialog of this thread
    static HWND Item(HWND dialog, int id);
    static std::u16string Text(HWND dialog, int id);
    static std::u16string WindowText(HWND window);
    static UINT CheckState(HWND dialog, int id);
    static bool IsEnabled(HWND dialog, int id);
    static bool IsVisible(HWND dialog, int id);
    static bool IsUsable(HWND dialog, int id);
    static std::vector<std::u16string> Items(HWND dialog, int id);
    static std::vector<ULONG_PTR> ItemData(HWND dialog, int id);
    static LONG_PTR Selection(HWND dialog, int id);
    // Up-down, scroll bar and track bar position.
    static int Position(HWND dialog, int id);
    // The control's rectangle in its dialog's client coordinates.
    static RECT Rect(HWND dialog, int id);
    static LONG FontWeight(HWND dialog, int id);
    static int DroppedWidth(HWND dialog, int id);
    static int Invalidations(HWND window);
    static HCURSOR Cursor();
    static HWND Focused();

    // Pictures. Render paints the window and its visible children, bottom
    // of the z-order first, into a new 32-bit bitmap of the window's client
    // size, as a user would see them: each control paints itself
    // (WM_PRINTCLIENT) with its client area at the origin of the DC it is
    // given, owner-drawn controls through WM_DRAWITEM. DrawItem sends one
    // WM_DRAWITEM for an owner-drawn control into a new bitmap of its size.
    // The caller deletes the bitmap (DeleteObject).
    static HBITMAP Render(HWND window);
    static bool RenderToPng(HWND window, const std::string& path);
    static HBITMAP DrawItem(HWND dialog, int id, UINT action = ODA_DRAWENTIRE, UINT state = 0);

    // When set, every property-sheet page shown is written as
    // "<folder>/page-<n>.png" (n from 1, in page order) as it is left and
    // when its sheet closes; empty: none.
    static void SetSheetPictureFolder(const std::string& folder);

    // Drawing set-up.
    static HDC CreatePrinterDC(const WinPrinterDcSetup& setup);
    static std::vector<WinRecordedEscape> Escapes(HDC printerDc);
    static void SetFontFamilies(std::vector<WinFontFamily> families);

    // Records.
    static std::vector<WinRecordedMessageBox> MessageBoxes();
    static std::vector<WinRecordedHelp> HelpCalls();
    static std::vector<std::string> ScriptFailures();
    static void ClearRecords();
};
