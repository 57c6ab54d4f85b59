#include "ui/framework/GAboutFeature.h"

#include <memory>

#include "driver/GDriver.h"
#include "driver/GPrinterValueStore.h"
#include "model/GSettingIds.h"
#include "model/GStringConversion.h"
#include "model/MPersistentIterator.h"
#include "model/MPersistentObject.h"
#include "ui/framework/GResourceLibrary.h"
#include "ui/framework/GUIModel.h"
#include "ui/framework/GUIStrings.h"
#include "winapi/WinDialog.h"

namespace {

constexpr size_t kAboutSeparatorLength = 70;

// Update status texts: the automatic configuration (EAC) and the
// configuration library (RUV).
constexpr uint16_t kRuvValueText = 14110;
constexpr uint16_t kRuvFailedText = 14111;
constexpr uint16_t kRuvErrorText = 14112;
constexpr uint16_t kEacValueText = 14113;
constexpr uint16_t kEacFailedText = 14114;
constexpr uint16_t kEacErrorText = 14115;
constexpr uint16_t kLastUpdatedText = 14116;

struct AboutUpdateTypeText {
    const char16_t* value;
    uint16_t text;
};
constexpr AboutUpdateTypeText kAboutUpdateTypes[] = {
    {u"User", 14118}, {u"Auto", kEacValueText}, {u"Admin", 14119}, {u"Default", 14117}};

// The text of a string attribute of the record; empty when it has none.
// Plug-ins write these texts, so they are copied whole, never into a
// buffer of a fixed size.
RWCString PlugInRecordText(MPersistentObject* record, GUIModel* model, uint32_t id) {
    RWCString text;
    GSettingsAccessor(record, model, 1).GetString(id, text);
    return text;
}

RWWString WidenedAboutLine(const RWCString& narrow) {
    RWWString wide;
    ConvertNarrowToWide(narrow, wide);
    return wide;
}

} // namespace

RWWString GAboutFeature::ResText(uint16_t id) {
    RWWString text;
    LoadResString(id, text);
    return text;
}

INT_PTR GAboutFeature::Run(HWND owner, uint16_t templateId) {
    GatherExtensionLines();
    GatherStatusLines();
    return DialogBoxParamW(ResourceModule(), MAKEINTRESOURCEW(templateId), owner, &AboutBoxProc,
                           reinterpret_cast<LPARAM>(this));
}

void GAboutFeature::GatherExtensionLines() {
    extensionLines_.clear();
    MPersistentObject* records = Model()->CurrentSettings().FindComposite(GSettingId::kPlugInRecords);
    if (records == nullptr) return;
    const std::unique_ptr<MPersistentIterator> children = records->CreateIterator();
    while (children->Advance()) {
        MPersistentObject* record = children->Current();
        auto text = [&](uint32_t id) { return PlugInRecordText(record, Model(), id); };
        extensionLines_.push_back(WidenedAboutLine(RWCString('-', kAboutSeparatorLength)));
        RWCString line = text(GSettingId::kPlugInKey);
        line += "   ";
        line += text(GSettingId::kPlugInInfo1);
        extensionLines_.push_back(WidenedAboutLine(line));
        extensionLines_.push_back(WidenedAboutLine(RWCString("   ") + text(GSettingId::kPlugInName)));
        extensionLines_.push_back(
            WidenedAboutLine(RWCString("   Extension support: ") + text(GSettingId::kPlugInInfo2)));
        extensionLines_.push_back(WidenedAboutLine(RWCString("   ") + text(GSettingId::kPlugInInfo3)));
    }
}

void GAboutFeature::GatherStatusLines() {
    statusLines_.clear();
    GSettingsAccessor current = Model()->CurrentSettings();
    int16_t wanted = 0;
    if (current.GetValue(GSettingId::kMiniInstallerWanted, wanted) != 0 && wanted == 1)
        AddUpdateLine(u"EACLastUpdate", kEacErrorText, kEacFailedText, kEacValueText);
    if (current.GetValue(GSettingId::kExchangeWithConfigLibrary, wanted) != 0 && wanted == 1)
        AddUpdateLine(u"RUVLastUpdate", kRuvErrorText, kRuvFailedText, kRuvValueText);
    const RWWString updated = ReadPrinterData(u"LastUpdated");
    if (!updated.IsNull()) statusLines_.push_back(ResText(kLastUpdatedText) + u" " + updated);
    AddUpdateType();
}

void GAboutFeature::AddUpdateLine(const char16_t* valueName, uint16_t errorText, uint16_t failedText,
                                  uint16_t valueText) {
    const RWWString value = ReadPrinterData(valueName);
    if (value.IsNull()) return;
    if (value == RWWString(u"ERROR"))
        statusLines_.push_back(ResText(errorText));
    else if (value == RWWString(u"FAILED"))
        statusLines_.push_back(ResText(failedText));
    else
        statusLines_.push_back(ResText(valueText) + u" " + value);
}

void GAboutFeature::AddUpdateType() {
    const RWWString type = ReadPrinterData(u"LastUpdateType");
    for (const AboutUpdateTypeText& known : kAboutUpdateTypes)
        if (type == RWWString(known.value)) statusLines_.push_back(ResText(known.text));
}

RWWString GAboutFeature::ReadPrinterData(const RWWString& name) {
    GDriver* driver = Model()->DriverInstance();
    if (driver == nullptr) return RWWString();
    RWWString text;
    return GPrinterValueStore(driver).GetString(text, name, RWWString());
}
