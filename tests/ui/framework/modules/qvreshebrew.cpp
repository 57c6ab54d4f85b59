// A resource library of a Hebrew build (version translation 0x040D / code
// page 1255) carrying what the framework's utilities read: strings (one
// longer than a string buffer), a picture with its mask, and a dialog
// with an owner-drawn tab strip and an edit.
//
// Picture 500 (5 x 5): a white border, a red ring and a white centre the
// ring encloses. Mask 501: black (shows) on the ring only.
#include <string>
#include <vector>

#include "winapi/WinBitmapResource.h"
#include "winapi/WinControls.h"
#include "winapi/WinDialog.h"
#include "winapi/WinDialogTemplate.h"
#include "winapi/WinExport.h"
#include "winapi/WinResource.h"

namespace {
constexpr DWORD W = 0x00FFFFFF;
constexpr DWORD R = 0x000000FF;
constexpr DWORD K = 0x00000000;

WinBitmapResource Bitmap(std::vector<DWORD> pixels) {
    WinBitmapResource bitmap;
    bitmap.width = 5;
    bitmap.height = 5;
    bitmap.pixels = std::move(pixels);
    return bitmap;
}

WinDialogTemplate TabDialog() {
    WinDialogTemplate dialog;
    dialog.style = WS_POPUP | WS_CAPTION;
    dialog.width = 200;
    dialog.height = 80;
    dialog.caption = u"Tabs";
    dialog.fontFace = u"MS Shell Dlg";
    dialog.items = {
        {1100, WS_CHILD | WS_VISIBLE | BS_OWNERDRAW | WS_TABSTOP, 0, 7, 7, 186, 50, WC_BUTTONW, u""},
        {1101, WS_CHILD | WS_VISIBLE | WS_BORDER, 0, 7, 62, 100, 12, WC_EDITW, u"Start"}};
    return dialog;
}

struct Data {
    std::u16string longText = std::u16string(300, u'x');
    std::vector<WinResourceString> strings;
    std::vector<std::vector<BYTE>> blobs;
    std::vector<WinResourceItem> items;
    WinModuleResources resources{};
};

const WinVersionString kStrings[] = {{u"FileDescription", u"Hebrew resources"}, {u"FileVersion", u"3.1"}};
const WinVersionStringTable kTables[] = {{u"040D04E7", kStrings, 2}};
const DWORD kTranslations[] = {0x04E7040D};
const WinVersionResource kVersion = {{VS_FFI_SIGNATURE, VS_FFI_STRUCVERSION, 0x00030001, 0x00000002,
                                      0x00030001, 0x00000002, 0, 0, 0, 0, 0, 0, 0},
                                     kTranslations,
                                     1,
                                     kTables,
                                     1};

const WinModuleResources* Build() {
    static Data data;
    data.strings = {{100, u"Layout"}, {101, data.longText.c_str()}};
    data.blobs.push_back(
        Bitmap({W, W, W, W, W, W, R, R, R, W, W, R, W, R, W, W, R, R, R, W, W, W, W, W, W}).Serialize());
    data.items.push_back({RT_BITMAP, 500, nullptr, 0});
    data.blobs.push_back(
        Bitmap({W, W, W, W, W, W, K, K, K, W, W, K, W, K, W, W, K, K, K, W, W, W, W, W, W}).Serialize());
    data.items.push_back({RT_BITMAP, 501, nullptr, 0});
    data.blobs.push_back(TabDialog().Serialize());
    data.items.push_back({RT_DIALOG, 100, nullptr, 0});
    for (size_t i = 0; i < data.items.size(); ++i) {
        data.items[i].data = data.blobs[i].data();
        data.items[i].size = static_cast<DWORD>(data.blobs[i].size());
    }
    data.resources = {kWinResourceFormatVersion,
                      data.strings.data(),
                      static_cast<UINT>(data.strings.size()),
                      &kVersion,
                      data.items.data(),
                      static_cast<UINT>(data.items.size())};
    return &data.resources;
}
} // namespace

QV_MODULE_EXPORT const WinModuleResources* QvModuleResources() {
    static const WinModuleResources* resources = Build();
    return resources;
}
