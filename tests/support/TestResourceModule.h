#pragma once
// What the double modules that carry resources share: the table the loader
// asks for (the serialised blobs kept alive beside the items that point at
// them) and the dialog every test template starts from.
#include <utility>
#include <vector>

#include "winapi/WinControls.h"
#include "winapi/WinDialog.h"
#include "winapi/WinDialogTemplate.h"
#include "winapi/WinResource.h"

class TestResourceTable {
public:
    void Add(UINT type, UINT id, std::vector<BYTE> blob) {
        items_.push_back({type, id, nullptr, 0});
        blobs_.push_back(std::move(blob));
    }
    void AddDialog(UINT id, const WinDialogTemplate& dialog) { Add(RT_DIALOG, id, dialog.Serialize()); }
    // The string table (the texts must outlive the table).
    void SetStrings(std::vector<WinResourceString> strings) { strings_ = std::move(strings); }

    // Points the items at their blobs; call once, after the last Add.
    const WinModuleResources* Finish() {
        for (size_t i = 0; i < items_.size(); ++i) {
            items_[i].data = blobs_[i].data();
            items_[i].size = static_cast<DWORD>(blobs_[i].size());
        }
        resources_ = {kWinResourceFormatVersion,
                      strings_.empty() ? nullptr : strings_.data(),
                      static_cast<UINT>(strings_.size()),
                      nullptr,
                      items_.data(),
                      static_cast<UINT>(items_.size())};
        return &resources_;
    }

private:
    std::vector<std::vector<BYTE>> blobs_;
    std::vector<WinResourceItem> items_;
    std::vector<WinResourceString> strings_;
    WinModuleResources resources_{};
};

// A dialog in the font the module's own templates use.
inline WinDialogTemplate TestDialog(const char16_t* caption, DWORD style, SHORT width, SHORT height,
                                    std::vector<WinDialogTemplate::Item> items) {
    WinDialogTemplate dialog;
    dialog.style = style;
    dialog.width = width;
    dialog.height = height;
    dialog.caption = caption;
    dialog.fontFace = u"MS Shell Dlg";
    dialog.items = std::move(items);
    return dialog;
}
