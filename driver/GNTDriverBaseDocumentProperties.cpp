// GNTDriverBase: document properties and DEVMODE conversion.
#include "driver/GNTDriverBase.h"

LONG GNTDriverBase::DrvDocumentPropertySheets(PPROPSHEETUI_INFO, LPARAM) {
    return -1; // built on branch props16
}

LONG GNTDriverBase::DrvDocumentProperties(HWND, HANDLE, LPWSTR, PDEVMODEW, PDEVMODEW, DWORD) {
    return -1; // built on branch props16
}

LONG GNTDriverBase::DrvAdvancedDocumentProperties(HWND, HANDLE, LPWSTR, PDEVMODEW, PDEVMODEW) {
    return 0; // built on branch props16
}

BOOL GNTDriverBase::DrvConvertDevMode(LPWSTR, PDEVMODEW, PDEVMODEW, LONG*, DWORD) {
    return FALSE; // built on branch props16
}

LONG GNTDriverBase::RunDocumentProperties(HWND, HANDLE, LPWSTR, PDEVMODEW, PDEVMODEW, DWORD) {
    return -1; // built on branch props16
}

LONG GNTDriverBase::DocumentPropertiesNoUI(DOCUMENTPROPERTYHEADER*) {
    return -1; // built on branch props16
}

int32_t GNTDriverBase::TestNoPermission() {
    return 1; // built on branch props16
}
