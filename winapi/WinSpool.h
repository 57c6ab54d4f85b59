#pragma once
// The spooler of the platform layer, over the host store's printers, drivers
// and forms. Printer data lives in the machine hive under the printer's key,
// "SYSTEM\CurrentControlSet\Control\Print\Printers\<printer>\PrinterDriverData",
// so the registry and the spooler see the same values. A printer handle
// carries the rights it was opened with; writing printer data, printer
// settings or forms needs PRINTER_ACCESS_ADMINISTER (else ERROR_ACCESS_DENIED).
// Calls that fill a caller's buffer answer a size query (null buffer or one
// too small: FALSE, ERROR_INSUFFICIENT_BUFFER and the size needed); records
// are packed into the buffer with their strings and DEVMODE after them.
#include "winapi/WinApi.h"
#include "winapi/WinDevMode.h"
#include "winapi/WinError.h"
#include "winapi/WinReg.h"
#include "winapi/WinTypes.h"

// Printer access rights.
constexpr DWORD SERVER_ACCESS_ADMINISTER = 0x00000001;
constexpr DWORD SERVER_ACCESS_ENUMERATE = 0x00000002;
constexpr DWORD PRINTER_ACCESS_ADMINISTER = 0x00000004;
constexpr DWORD PRINTER_ACCESS_USE = 0x00000008;
constexpr DWORD PRINTER_ALL_ACCESS = 0x000F000C;
constexpr DWORD PRINTER_READ = 0x00020008;
constexpr DWORD PRINTER_WRITE = 0x00020008;
constexpr DWORD PRINTER_EXECUTE = 0x00020008;

struct PRINTER_DEFAULTSW {
    LPWSTR pDatatype;
    LPDEVMODEW pDevMode;
    DWORD DesiredAccess;
};
using LPPRINTER_DEFAULTSW = PRINTER_DEFAULTSW*;

struct PRINTER_INFO_2W {
    LPWSTR pServerName;
    LPWSTR pPrinterName;
    LPWSTR pShareName;
    LPWSTR pPortName;
    LPWSTR pDriverName;
    LPWSTR pComment;
    LPWSTR pLocation;
    LPDEVMODEW pDevMode;
    LPWSTR pSepFile;
    LPWSTR pPrintProcessor;
    LPWSTR pDatatype;
    LPWSTR pParameters;
    LPVOID pSecurityDescriptor;
    DWORD Attributes;
    DWORD Priority;
    DWORD DefaultPriority;
    DWORD StartTime;
    DWORD UntilTime;
    DWORD Status;
    DWORD cJobs;
    DWORD AveragePPM;
};
using LPPRINTER_INFO_2W = PRINTER_INFO_2W*;

constexpr DWORD PRINTER_ATTRIBUTE_QUEUED = 0x1;
constexpr DWORD PRINTER_ATTRIBUTE_DEFAULT = 0x4;
constexpr DWORD PRINTER_ATTRIBUTE_SHARED = 0x8;
constexpr DWORD PRINTER_ATTRIBUTE_NETWORK = 0x10;
constexpr DWORD PRINTER_ATTRIBUTE_LOCAL = 0x40;

struct DRIVER_INFO_2W {
    DWORD cVersion;
    LPWSTR pName;
    LPWSTR pEnvironment;
    LPWSTR pDriverPath;
    LPWSTR pDataFile;
    LPWSTR pConfigFile;
};
using LPDRIVER_INFO_2W = DRIVER_INFO_2W*;

// Forms: sizes and imageable areas in thousandths of a millimetre.
struct FORM_INFO_1W {
    DWORD Flags;
    LPWSTR pName;
    SIZEL Size;
    RECTL ImageableArea;
};
using LPFORM_INFO_1W = FORM_INFO_1W*;
constexpr DWORD FORM_USER = 0x0;
constexpr DWORD FORM_BUILTIN = 0x1;
constexpr DWORD FORM_PRINTER = 0x2;

QV_WINAPI_API BOOL OpenPrinterW(LPWSTR printerName, LPHANDLE printer, LPPRINTER_DEFAULTSW defaults);
QV_WINAPI_API BOOL ClosePrinter(HANDLE printer);

// Level 2 only (ERROR_INVALID_LEVEL otherwise). SetPrinterW level 2 takes
// the DEVMODE (stored as a copy, dmSize + dmDriverExtra bytes), port,
// location, comment and data type of the record; the names stay.
QV_WINAPI_API BOOL GetPrinterW(HANDLE printer, DWORD level, LPBYTE buffer, DWORD bufferSize, LPDWORD needed);
QV_WINAPI_API BOOL SetPrinterW(HANDLE printer, DWORD level, LPBYTE buffer, DWORD command);
// Level 2 only; a null environment means "Windows NT x86".
QV_WINAPI_API BOOL GetPrinterDriverW(HANDLE printer, LPWSTR environment, DWORD level, LPBYTE buffer,
                                     DWORD bufferSize, LPDWORD needed);

// Printer data: the registry's return codes (ERROR_FILE_NOT_FOUND for a
// missing value; ERROR_MORE_DATA with the size needed in *needed for a
// buffer too small, a null buffer of size 0 included).
QV_WINAPI_API DWORD GetPrinterDataW(HANDLE printer, LPWSTR valueName, LPDWORD type, LPBYTE data, DWORD size,
                                    LPDWORD needed);
QV_WINAPI_API DWORD SetPrinterDataW(HANDLE printer, LPWSTR valueName, DWORD type, LPBYTE data, DWORD size);
QV_WINAPI_API DWORD DeletePrinterDataW(HANDLE printer, LPWSTR valueName);

// Forms, level 1: built-in forms first in their fixed order (Letter is 1,
// as DMPAPER_LETTER), then user forms in order of addition. Built-in forms
// can be neither changed nor deleted (ERROR_INVALID_PARAMETER); a name
// already used gives ERROR_FILE_EXISTS, an unknown one
// ERROR_INVALID_FORM_NAME, a size that is not positive or an imageable area
// outside the form ERROR_INVALID_FORM_SIZE.
QV_WINAPI_API BOOL EnumFormsW(HANDLE printer, DWORD level, LPBYTE forms, DWORD bufferSize, LPDWORD needed,
                              LPDWORD returned);
QV_WINAPI_API BOOL GetFormW(HANDLE printer, LPWSTR formName, DWORD level, LPBYTE form, DWORD bufferSize,
                            LPDWORD needed);
QV_WINAPI_API BOOL AddFormW(HANDLE printer, DWORD level, LPBYTE form);
QV_WINAPI_API BOOL SetFormW(HANDLE printer, LPWSTR formName, DWORD level, LPBYTE form);
QV_WINAPI_API BOOL DeleteFormW(HANDLE printer, LPWSTR formName);
