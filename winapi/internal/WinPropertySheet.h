#pragma once
// One run of the common property-sheet UI (winapi/WinCommonUI.h): the sheet
// function and its info block, the pages added to it (each a copy of the
// caller's PROPSHEETPAGEW, kept for the life of the sheet), the frame
// window, the page shown and how the sheet was closed. Sheets and pages are
// known by handles, so pfnComPropSheet and the frame's procedure find their
// sheet; a handle of a sheet that has ended is refused.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "winapi/WinCommonUI.h"

class WinPropertySheet {
public:
    WinPropertySheet(HWND owner, PFNPROPSHEETUI function, LPARAM lParam);
    ~WinPropertySheet();
    WinPropertySheet(const WinPropertySheet&) = delete;
    WinPropertySheet& operator=(const WinPropertySheet&) = delete;

    LONG Run(LPDWORD result);

    static LONG_PTR ComPropSheet(HANDLE sheet, UINT function, LPARAM lParam1, LPARAM lParam2);
    static INT_PTR CALLBACK FrameProcedure(HWND frame, UINT message, WPARAM wParam, LPARAM lParam);

    // Platform layer: when set, each page shown is written as
    // "<folder>/page-<n>.png" (n from 1, in page order) when it is left
    // and when the sheet closes.
    static void SetPictureFolder(std::string folder);

private:
    struct Page {
        std::vector<BYTE> description; // the PROPSHEETPAGEW copy, as long as its dwSize
        HPROPSHEETPAGE handle = nullptr;
        HWND window = nullptr;
        bool created = false;
        bool refused = false; // PSPCB_CREATE said no, or the template is missing
        PROPSHEETPAGEW* Description() { return reinterpret_cast<PROPSHEETPAGEW*>(description.data()); }
    };

    LONG Call(WORD reason, LPARAM lParam);
    HPROPSHEETPAGE AddPage(const PROPSHEETPAGEW* page);
    Page* FindPage(HANDLE handle);
    LONG_PTR SetResult(HANDLE which, LRESULT value);
    void DeliverResult(HANDLE which, LRESULT value);
    void MakeFrame(const std::u16string& title, HWND parent, bool apply);
    bool ShowPage(size_t index);
    bool CreatePageWindow(Page& page);
    LONG_PTR Notify(HWND page, UINT code, LPARAM lParam);
    bool Apply(bool closing);
    void Close(bool ok);
    void Picture(size_t index);
    void Teardown();

    HANDLE handle_ = nullptr;
    HWND owner_;
    PFNPROPSHEETUI function_;
    LPARAM lParam_;
    PROPSHEETUI_INFO info_{};
    std::vector<std::unique_ptr<Page>> pages_;
    HPROPSHEETPAGE start_ = nullptr;
    std::optional<size_t> current_;
    HWND frame_ = nullptr;
    bool closed_ = false;
    bool ok_ = false;
    bool resultDelivered_ = false;
};
