#pragma once
// What the spooler, the property-sheet host and applications hand a printer
// driver's user-interface module: the blocks and codes of its
// printer-interface exports.
#include "winapi/WinDevMode.h"
#include "winapi/WinTypes.h"

// DrvDocumentProperties / DrvConvertDevMode mode bits.
constexpr DWORD DM_UPDATE = 1;
constexpr DWORD DM_COPY = 2;
constexpr DWORD DM_PROMPT = 4;
constexpr DWORD DM_MODIFY = 8;
constexpr DWORD DM_ADVANCED = 0x10;
constexpr DWORD DM_IN_BUFFER = DM_MODIFY;
constexpr DWORD DM_IN_PROMPT = DM_PROMPT;
constexpr DWORD DM_OUT_BUFFER = DM_COPY;
constexpr DWORD DM_OUT_DEFAULT = DM_UPDATE;
constexpr DWORD DM_NOPERMISSION = 0x20;
constexpr DWORD DM_USER_DEFAULT = 0x40;

// DrvConvertDevMode requests.
constexpr DWORD CDM_CONVERT = 1;
constexpr DWORD CDM_CONVERT351 = 2;
constexpr DWORD CDM_DRIVER_DEFAULT = 4;

// DrvDeviceCapabilities codes.
constexpr WORD DC_FIELDS = 1;
constexpr WORD DC_PAPERS = 2;
constexpr WORD DC_PAPERSIZE = 3;
constexpr WORD DC_MINEXTENT = 4;
constexpr WORD DC_MAXEXTENT = 5;
constexpr WORD DC_BINS = 6;
constexpr WORD DC_DUPLEX = 7;
constexpr WORD DC_SIZE = 8;
constexpr WORD DC_EXTRA = 9;
constexpr WORD DC_VERSION = 10;
constexpr WORD DC_DRIVER = 11;
constexpr WORD DC_BINNAMES = 12;
constexpr WORD DC_ENUMRESOLUTIONS = 13;
constexpr WORD DC_FILEDEPENDENCIES = 14;
constexpr WORD DC_TRUETYPE = 15;
constexpr WORD DC_PAPERNAMES = 16;
constexpr WORD DC_ORIENTATION = 17;
constexpr WORD DC_COPIES = 18;
constexpr WORD DC_COLLATE = 22;
constexpr WORD DC_COLORDEVICE = 32;

// The block of a document property sheet (lParamInit, or DrvDocumentPropertySheets'
// lParam without a sheet).
struct DOCUMENTPROPERTYHEADER {
    WORD cbSize;
    WORD Reserved;
    HANDLE hPrinter;
    LPWSTR pszPrinterName;
    PDEVMODEW pdmIn;
    PDEVMODEW pdmOut;
    DWORD cbOut;
    DWORD fMode;
};
using PDOCUMENTPROPERTYHEADER = DOCUMENTPROPERTYHEADER*;

// The block of a device property sheet.
constexpr WORD DPS_NOPERMISSION = 1;
struct DEVICEPROPERTYHEADER {
    WORD cbSize;
    WORD Flags;
    HANDLE hPrinter;
    LPWSTR pszPrinterName;
};
using PDEVICEPROPERTYHEADER = DEVICEPROPERTYHEADER*;

// DevQueryPrintEx's question: may this DEVMODE print on this printer? The
// answer's text goes into pszErrorStr (cchErrorStr characters).
struct DEVQUERYPRINT_INFO {
    WORD cbSize;
    WORD Level;
    HANDLE hPrinter;
    PDEVMODEW pDevMode;
    LPWSTR pszErrorStr;
    DWORD cchErrorStr;
    DWORD cchNeeded;
};
using PDEVQUERYPRINT_INFO = DEVQUERYPRINT_INFO*;

// DrvUpgradePrinter's level-1 block.
struct DRIVER_UPGRADE_INFO_1 {
    LPWSTR pPrinterName;
    LPWSTR pOldDriverDirectory;
};
using PDRIVER_UPGRADE_INFO_1 = DRIVER_UPGRADE_INFO_1*;

// DrvDocumentEvent codes.
constexpr INT DOCUMENTEVENT_CREATEDCPRE = 1;
constexpr INT DOCUMENTEVENT_CREATEDCPOST = 2;
constexpr INT DOCUMENTEVENT_RESETDCPRE = 3;
constexpr INT DOCUMENTEVENT_RESETDCPOST = 4;
constexpr INT DOCUMENTEVENT_STARTDOC = 5;
constexpr INT DOCUMENTEVENT_STARTDOCPRE = DOCUMENTEVENT_STARTDOC;
constexpr INT DOCUMENTEVENT_STARTPAGE = 6;
constexpr INT DOCUMENTEVENT_ENDPAGE = 7;
constexpr INT DOCUMENTEVENT_ENDDOC = 8;
constexpr INT DOCUMENTEVENT_ENDDOCPRE = DOCUMENTEVENT_ENDDOC;
constexpr INT DOCUMENTEVENT_ABORTDOC = 9;
constexpr INT DOCUMENTEVENT_DELETEDC = 10;
constexpr INT DOCUMENTEVENT_ESCAPE = 11;
constexpr INT DOCUMENTEVENT_ENDDOCPOST = 12;
constexpr INT DOCUMENTEVENT_STARTDOCPOST = 13;
constexpr INT DOCUMENTEVENT_SPOOLED = 0x10000;
constexpr INT DOCUMENTEVENT_SUCCESS = 1;
constexpr INT DOCUMENTEVENT_UNSUPPORTED = 0;
constexpr INT DOCUMENTEVENT_FAILURE = -1;

// The input of DOCUMENTEVENT_CREATEDCPRE. RESETDCPRE's input is a pointer
// to the new PDEVMODEW, STARTDOCPRE's a pointer to the DOCINFOW pointer.
struct DOCEVENT_CREATEDCPRE {
    LPWSTR pszDriver;
    LPWSTR pszDevice;
    PDEVMODEW pdm;
    BOOL bIC;
};

// DrvPrinterEvent codes.
constexpr INT PRINTER_EVENT_CONFIGURATION_CHANGE = 0;
constexpr INT PRINTER_EVENT_ADD_CONNECTION = 1;
constexpr INT PRINTER_EVENT_DELETE_CONNECTION = 2;
constexpr INT PRINTER_EVENT_INITIALIZE = 3;
constexpr INT PRINTER_EVENT_DELETE = 4;
constexpr INT PRINTER_EVENT_CACHE_REFRESH = 5;
constexpr INT PRINTER_EVENT_CACHE_DELETE = 6;
constexpr INT PRINTER_EVENT_ATTRIBUTES_CHANGED = 7;
