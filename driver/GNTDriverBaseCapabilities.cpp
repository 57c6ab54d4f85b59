// GNTDriverBase: device capabilities and paper lists.
#include "driver/GNTDriverBase.h"

namespace {
constexpr DWORD kGdiError = static_cast<DWORD>(-1);
}

DWORD GNTDriverBase::DrvDeviceCapabilities(HANDLE, LPWSTR, WORD, void*, PDEVMODEW) {
    return kGdiError; // built on branch caps16
}

LONG GNTDriverBase::GetPaperList(WCHAR*, WORD*, POINT*) {
    return -1; // built on branch caps16
}

// built on branch caps16
DWORD GNTDriverBase::GetBinNames(void*) {
    return kGdiError;
}
DWORD GNTDriverBase::GetBins(void*) {
    return kGdiError;
}
DWORD GNTDriverBase::GetCopies(void*) {
    return kGdiError;
}
DWORD GNTDriverBase::GetDriverVersion(void*) {
    return kGdiError;
}
DWORD GNTDriverBase::GetDuplex(void*) {
    return kGdiError;
}
DWORD GNTDriverBase::GetResolutions(void*) {
    return kGdiError;
}
DWORD GNTDriverBase::GetExtra(void*) {
    return kGdiError;
}
DWORD GNTDriverBase::GetFields(void*) {
    return kGdiError;
}
DWORD GNTDriverBase::GetFileDependencies(void*) {
    return kGdiError;
}
DWORD GNTDriverBase::GetMaxExtent(void*) {
    return kGdiError;
}
DWORD GNTDriverBase::GetMinExtent(void*) {
    return kGdiError;
}
DWORD GNTDriverBase::GetOrientation(void*) {
    return kGdiError;
}
DWORD GNTDriverBase::GetPaperNames(void*) {
    return kGdiError;
}
DWORD GNTDriverBase::GetPapers(void*) {
    return kGdiError;
}
DWORD GNTDriverBase::GetPaperSizes(void*) {
    return kGdiError;
}
DWORD GNTDriverBase::GetSize(void*) {
    return kGdiError;
}
DWORD GNTDriverBase::GetTrueType(void*) {
    return kGdiError;
}
DWORD GNTDriverBase::GetVersion(void*) {
    return kGdiError;
}
DWORD GNTDriverBase::GetGeneric(void*) {
    return kGdiError;
}
DWORD GNTDriverBase::GetCollate(void*) {
    return kGdiError;
}
DWORD GNTDriverBase::GetPrivateInformation(void*) {
    return kGdiError;
}
DWORD GNTDriverBase::GetPaperListCapability(void*) {
    return kGdiError;
}
DWORD GNTDriverBase::GetColorDevice(void*) {
    return kGdiError;
}

void GNTDriverBase::RefreshPrinterSettings(int32_t) {
    // built on branch caps16
}

int32_t GNTDriverBase::FormFitsPrinter(const FORM_INFO_1W&, int32_t, int32_t, int32_t) {
    return 0; // built on branch caps16
}

int32_t GNTDriverBase::IsFormUsable(const FORM_INFO_1W&, uint32_t, int32_t) {
    return 0; // built on branch caps16
}

int32_t GNTDriverBase::IsSizeTestOn() {
    return 0; // built on branch caps16
}
