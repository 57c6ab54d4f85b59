#include "ui/framework/GMessageBox.h"

#include "ui/framework/GResourceLibrary.h"
#include "ui/framework/GVersionInfo.h"
#include "winapi/WinMessageBox.h"

namespace {
constexpr uint16_t kHebrewCodePage = 1255;
constexpr uint16_t kArabicCodePage = 1256;

bool ResourcesReadRightToLeft() {
    HMODULE library = ResourceModule();
    if (library == nullptr) return false;
    const uint16_t codePage = GVersionInfo(library).CodePage();
    return codePage == kHebrewCodePage || codePage == kArabicCodePage;
}
} // namespace

int ShowMessageBox(HWND owner, LPCWSTR text, LPCWSTR caption, UINT style) {
    if (ResourcesReadRightToLeft()) style |= MB_RTLREADING | MB_RIGHT;
    return MessageBoxW(owner, text, caption, style);
}
