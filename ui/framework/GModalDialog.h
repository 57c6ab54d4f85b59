#pragma once
// A modal sub-dialog run from a page button: its template comes from the
// resource library, ModalDlgProc routes its messages, and Run brackets it
// for the UI model: the update nesting is unwound while it runs and
// restored afterwards to the same depth, and with a snapshot Cancel gives
// back the settings it changed.
#include <cstdint>

#include "ui/framework/GDialog.h"
#include "winapi/WinExport.h"

class GModalDialog : public GDialog {
public:
    GModalDialog(uint16_t templateId, GUIModel* model, uint32_t hasHelp, uint16_t helpId);

    // OK (1), Cancel (2) and Close (8): the control, when the dialog has
    // it, handles the command first; then the dialog ends with the command.
    // Other messages: the routing of GDialog.
    INT_PTR DialogProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Runs the dialog owned by owner (disabled meanwhile); the dialog's
    // result (-1 when its template cannot be had). withSnapshot 1: Cancel
    // restores every setting changed in the dialog. The settings count as
    // changed afterwards.
    virtual INT_PTR Run(HWND owner, uint32_t withSnapshot);

protected:
    // Whether the command ends the dialog.
    static bool IsEndCommand(WPARAM wParam);
    // The end commands' handling (see DialogProc).
    void EndWithCommand(WPARAM wParam, LPARAM lParam);
};

// The dialog procedure of modal dialogs: WM_INITDIALOG's parameter is the
// dialog object, kept in the window's DWLP_USER slot until WM_DESTROY.
// Messages without an object answer 0.
QV_MODULE_EXPORT INT_PTR ModalDlgProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
