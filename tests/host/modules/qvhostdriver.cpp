// A double of the module with small, fixed answers, so the host's own
// handling (the two-call protocols, the buffers, the decoding, the sheets
// and their pictures) is checked against values worked out by hand,
// whatever the real driver answers:
// - DrvDeviceCapabilities: papers 1 and 9 ("Letter" 2159x2794, "A4"
//   2100x2970), bins 15 and 259 (" Form Select", " Tray 1"), resolutions
//   600x600 and 1200x600, DC_MAXEXTENT 2200x3490, DC_FIELDS 0x00010101;
//   DC_COPIES fails with last error 50; other codes answer 7.
// - A DEVMODE of 220 + 10 bytes: the printer's name, dmSpecVersion 0x0401,
//   dmFields DM_ORIENTATION | DM_COPIES, portrait, 1 copy, private bytes
//   0xAB. DrvDocumentProperties takes copies (1..99) and orientation from
//   its input; the printer "Broken" fails with last error 1804.
// - DrvConvertDevMode converts only a DEVMODE with 10 private bytes.
// - The sheets show one page (dialog 200) with the check box 201 "Two
//   copies"; the document sheet's apply writes its input with 2 copies
//   when it is checked.
// - DrvPrinterEvent(PRINTER_EVENT_INITIALIZE) sets a new printer up as a
//   driver does: printer data "Installed" = "yes" (REG_SZ), then the
//   DEVMODE above as the printer's default. For the printer that
//   QVHOST_REFUSE_INITIALIZE names it writes "Installed" and then fails
//   with last error 13, as a driver that fails part-way. Other events
//   answer FALSE.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "winapi/WinCommonUI.h"
#include "winapi/WinControls.h"
#include "winapi/WinDialog.h"
#include "winapi/WinDialogTemplate.h"
#include "winapi/WinDriverUI.h"
#include "winapi/WinError.h"
#include "winapi/WinExport.h"
#include "winapi/WinModule.h"
#include "winapi/WinResource.h"
#include "winapi/WinSpool.h"
#include "winapi/WinUser.h"

namespace {

constexpr WORD kExtra = 10;
constexpr WORD kPage = 200;
constexpr int kTwoCopies = 201;

HINSTANCE g_instance = nullptr;
DOCUMENTPROPERTYHEADER* g_header = nullptr; // of the document sheet shown

std::u16string Text(const WCHAR* text) {
    return text == nullptr ? u"" : std::u16string(text);
}

void Default(DEVMODEW* out, const WCHAR* name) {
    std::memset(out, 0, sizeof(DEVMODEW) + kExtra);
    const std::u16string device = Text(name).substr(0, CCHDEVICENAME - 1);
    std::copy(device.begin(), device.end(), out->dmDeviceName);
    out->dmSpecVersion = DM_SPECVERSION;
    out->dmSize = sizeof(DEVMODEW);
    out->dmDriverExtra = kExtra;
    out->dmFields = DM_ORIENTATION | DM_COPIES;
    out->dmOrientation = DMORIENT_PORTRAIT;
    out->dmCopies = 1;
    std::memset(reinterpret_cast<BYTE*>(out) + sizeof(DEVMODEW), 0xAB, kExtra);
}

void Take(DEVMODEW* out, const DEVMODEW* in) {
    if (in->dmFields & DM_COPIES) out->dmCopies = std::clamp<SHORT>(in->dmCopies, 1, 99);
    if (in->dmFields & DM_ORIENTATION)
        out->dmOrientation = in->dmOrientation == DMORIENT_LANDSCAPE ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
}

template <typename T> DWORD List(void* output, const std::vector<T>& items) {
    if (output != nullptr) std::memcpy(output, items.data(), items.size() * sizeof(T));
    return static_cast<DWORD>(items.size());
}

DWORD Names(void* output, const std::vector<std::u16string>& names, size_t width) {
    if (output != nullptr) {
        auto* at = static_cast<WCHAR*>(output);
        std::memset(at, 0, names.size() * width * sizeof(WCHAR));
        for (size_t i = 0; i < names.size(); ++i)
            std::copy(names[i].begin(), names[i].end(), at + i * width);
    }
    return static_cast<DWORD>(names.size());
}

INT_PTR PageProc(HWND dialog, UINT message, WPARAM, LPARAM lParam) {
    if (message != WM_NOTIFY || reinterpret_cast<NMHDR*>(lParam)->code != PSN_APPLY) return FALSE;
    if (g_header != nullptr && g_header->pdmOut != nullptr && g_header->pdmIn != nullptr) {
        const size_t size = static_cast<size_t>(g_header->pdmIn->dmSize) + g_header->pdmIn->dmDriverExtra;
        if (size <= g_header->cbOut) std::memcpy(g_header->pdmOut, g_header->pdmIn, size);
        if (size <= g_header->cbOut && IsDlgButtonChecked(dialog, kTwoCopies) == BST_CHECKED) {
            g_header->pdmOut->dmCopies = 2;
            g_header->pdmOut->dmFields |= DM_COPIES;
        }
    }
    SetWindowLongPtrW(dialog, DWLP_MSGRESULT, PSNRET_NOERROR);
    return TRUE;
}

LONG Sheet(PPROPSHEETUI_INFO info, LPARAM lParam) {
    if (info == nullptr) return -1;
    if (info->Reason == PROPSHEETUI_REASON_INIT) {
        PROPSHEETPAGEW page{};
        page.dwSize = sizeof page;
        page.hInstance = g_instance;
        page.pszTemplate = MAKEINTRESOURCEW(kPage);
        page.pfnDlgProc = &PageProc;
        return info->pfnComPropSheet(info->hComPropSheet, CPSFUNC_ADD_PROPSHEETPAGEW,
                                     reinterpret_cast<LPARAM>(&page), 0) != 0
                   ? 1
                   : -1;
    }
    if (info->Reason == PROPSHEETUI_REASON_SET_RESULT)
        info->Result = static_cast<ULONG_PTR>(reinterpret_cast<SETRESULT_INFO*>(lParam)->Result);
    return 1;
}

struct Resources {
    std::vector<BYTE> page;
    WinResourceItem item{};
    WinModuleResources resources{};
};

const WinModuleResources* Build() {
    static Resources data;
    WinDialogTemplate page;
    page.style = WS_CHILD | DS_CONTROL;
    page.width = 160;
    page.height = 60;
    page.caption = u"Copies";
    page.fontFace = u"MS Shell Dlg";
    page.items = {{kTwoCopies, WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX | WS_TABSTOP, 0, 8, 8, 100, 10,
                   WC_BUTTONW, u"Two copies"}};
    data.page = page.Serialize();
    data.item = {RT_DIALOG, kPage, data.page.data(), static_cast<DWORD>(data.page.size())};
    data.resources = {kWinResourceFormatVersion, nullptr, 0, nullptr, &data.item, 1};
    return &data.resources;
}

} // namespace

QV_MODULE_EXPORT const WinModuleResources* QvModuleResources() {
    static const WinModuleResources* resources = Build();
    return resources;
}

QV_MODULE_EXPORT BOOL DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) g_instance = instance;
    return TRUE;
}

QV_MODULE_EXPORT DWORD DrvDeviceCapabilities(HANDLE, LPWSTR, WORD capability, void* output, PDEVMODEW) {
    switch (capability) {
    case DC_PAPERS:
        return List<WORD>(output, {1, 9});
    case DC_PAPERSIZE:
        return List<LONG>(output, {2159, 2794, 2100, 2970}) / 2;
    case DC_PAPERNAMES:
        return Names(output, {u"Letter", u"A4"}, 64);
    case DC_BINS:
        return List<WORD>(output, {15, 259});
    case DC_BINNAMES:
        return Names(output, {u" Form Select", u" Tray 1"}, 24);
    case DC_ENUMRESOLUTIONS:
        return List<LONG>(output, {600, 600, 1200, 600}) / 2;
    case DC_MAXEXTENT:
        return 0x0DA20898;
    case DC_FIELDS:
        return 0x00010101;
    case DC_COPIES:
        SetLastError(50);
        return 0xFFFFFFFF;
    default:
        return 7;
    }
}

QV_MODULE_EXPORT LONG DrvDocumentProperties(HWND, HANDLE, LPWSTR deviceName, PDEVMODEW output,
                                            PDEVMODEW input, DWORD mode) {
    if (Text(deviceName) == u"Broken") {
        SetLastError(1804);
        return -1;
    }
    if (mode == 0) return sizeof(DEVMODEW) + kExtra;
    if (output == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return -1;
    }
    Default(output, deviceName);
    if ((mode & DM_IN_BUFFER) != 0 && input != nullptr) Take(output, input);
    return IDOK;
}

QV_MODULE_EXPORT BOOL DrvConvertDevMode(LPWSTR printerName, PDEVMODEW input, PDEVMODEW output, LONG* needed,
                                        DWORD mode) {
    if (needed == nullptr || output == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (*needed < static_cast<LONG>(sizeof(DEVMODEW) + kExtra)) {
        *needed = sizeof(DEVMODEW) + kExtra;
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    if (mode == CDM_DRIVER_DEFAULT) {
        Default(output, printerName);
        return TRUE;
    }
    if (input == nullptr || input->dmDriverExtra != kExtra) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    Take(output, input);
    return TRUE;
}

QV_MODULE_EXPORT LONG DrvDocumentPropertySheets(PPROPSHEETUI_INFO info, LPARAM lParam) {
    if (info != nullptr && info->Reason == PROPSHEETUI_REASON_INIT)
        g_header = reinterpret_cast<DOCUMENTPROPERTYHEADER*>(info->lParamInit);
    return Sheet(info, lParam);
}

QV_MODULE_EXPORT LONG DrvDevicePropertySheets(PPROPSHEETUI_INFO info, LPARAM lParam) {
    if (info != nullptr && info->Reason == PROPSHEETUI_REASON_INIT) g_header = nullptr;
    return Sheet(info, lParam);
}

QV_MODULE_EXPORT BOOL DrvPrinterEvent(LPWSTR printerName, INT event, DWORD, LPARAM) {
    if (event != PRINTER_EVENT_INITIALIZE) return FALSE;
    PRINTER_DEFAULTSW defaults{nullptr, nullptr, PRINTER_ALL_ACCESS};
    HANDLE printer = nullptr;
    if (!OpenPrinterW(printerName, &printer, &defaults)) return FALSE;
    std::u16string yes = u"yes";
    BOOL done = SetPrinterDataW(printer, const_cast<LPWSTR>(u"Installed"), REG_SZ,
                                reinterpret_cast<BYTE*>(yes.data()),
                                static_cast<DWORD>((yes.size() + 1) * sizeof(char16_t))) == ERROR_SUCCESS;
    const char* refused = std::getenv("QVHOST_REFUSE_INITIALIZE");
    std::u16string name = Text(printerName);
    if (refused != nullptr && std::equal(name.begin(), name.end(), refused, refused + std::strlen(refused))) {
        ClosePrinter(printer);
        SetLastError(ERROR_INVALID_DATA);
        return FALSE;
    }
    std::vector<BYTE> devMode(sizeof(DEVMODEW) + kExtra);
    Default(reinterpret_cast<DEVMODEW*>(devMode.data()), printerName);
    PRINTER_INFO_2W info{};
    info.pDevMode = reinterpret_cast<DEVMODEW*>(devMode.data());
    done = done && SetPrinterW(printer, 2, reinterpret_cast<BYTE*>(&info), 0);
    ClosePrinter(printer);
    return done;
}
