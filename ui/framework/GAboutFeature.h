#pragma once
// The About box behind every page's About control (dialog 11520): the
// driver's version, the model, the registered plug-ins and the state of the
// last configuration updates. The lines are gathered anew each time the
// box opens; the texts of its labels come from the resource library.
#include <cstdint>
#include <vector>

#include "rw/RWWString.h"
#include "ui/framework/GFeature.h"
#include "winapi/WinExport.h"
#include "winapi/WinTypes.h"

class GAboutFeature : public GFeature {
public:
    // The dialog every About control opens.
    static constexpr uint16_t kTemplate = 11520;

    explicit GAboutFeature(GUIModel* model) : GFeature(model) {}

    // Always available.
    uint16_t GetState() override { return kEnabled; }

    // Gathers the lines and shows the box modally over owner; the dialog's
    // result (-1 when its template cannot be had).
    INT_PTR Run(HWND owner, uint16_t templateId);

    // Five lines for each registered plug-in, in the order they registered.
    void GatherExtensionLines();
    // The configuration updates the printer data tells of.
    void GatherStatusLines();
    const std::vector<RWWString>& ExtensionLines() const { return extensionLines_; }
    const std::vector<RWWString>& StatusLines() const { return statusLines_; }

    // WM_INITDIALOG of the box: its labels and lists.
    void FillDialog(HWND dialog);

protected:
    // A string value of the printer's data; empty when it has none.
    virtual RWWString ReadPrinterData(const RWWString& name);

private:
    // The line of one update status value (ERROR, FAILED or any other text);
    // none for an empty value.
    void AddUpdateLine(const char16_t* valueName, uint16_t errorText, uint16_t failedText,
                       uint16_t valueText);
    void AddUpdateType();
    RWWString VersionLine();
    RWWString ModelLine();
    // A string of the resource library; empty when it has none.
    static RWWString ResText(uint16_t id);

    std::vector<RWWString> extensionLines_;
    std::vector<RWWString> statusLines_;
};

// The dialog procedure of the box: WM_INITDIALOG's parameter is the
// feature, kept in the window's DWLP_USER slot; OK and Cancel end it.
QV_MODULE_EXPORT INT_PTR AboutBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
