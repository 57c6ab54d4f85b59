#pragma once
// The DEVMODE object of the Windows NT driver instance (image format in
// driver/GDevModeImage.h): starts from the printer's own default DEVMODE
// when that one is the driver's, recognises the driver's DEVMODEs, writes
// the output DEVMODE (public part only when the application asks for it),
// and answers the print-quality presets and named resources of the
// printer's lists.
//
// Quality presets (node 903 of the printer): groups whose children are, in
// order, condition settings, the code 902, the outputs 323, 324 and 325,
// then settings to apply. Without 903, the children of node 206 stand for
// DMRES_HIGH, DMRES_MEDIUM, DMRES_LOW and DMRES_DRAFT in that order.
#include <cstdint>
#include <vector>

#include "driver/GDevMode.h"
#include "winapi/WinTypes.h"

class GDriverContext;

class GNTDevMode : public GDevMode {
public:
    static constexpr uint16_t kSpecVersion = 0x0401;
    // Application flags that ask for the public part only.
    static constexpr uint32_t kPublicOnlyFlags = 0x40100;
    // The printer data type that sets the data-type flag.
    static constexpr const char16_t* kEmfDataType = u"NT EMF 1.003";

    // instance: the driver instance's context (may be null); printer: the
    // spooler handle (may be null). Builds the image and the settings tree:
    // the printer's DEVMODE and its blob when they are the driver's, else
    // the defaults.
    GNTDevMode(GDriverContext* instance, HANDLE printer);
    ~GNTDevMode() override;

    // The output DEVMODE: 1,172 bytes, or only the 220-byte public part
    // (dmDriverExtra 0) when the application flags hold any of 0x40100.
    // 0 for null.
    virtual int32_t WriteDevMode(DEVMODEW* out);
    // ApplySettingsToPublic: the base conversion; then, for the form source
    // (dmDefaultSource 15), the name of the spooler form of the paper
    // setting 260 (DM_FORMNAME); any other DEVMODE has no form name.
    int32_t SettingsToPublic(MPersistentObject* settings, DEVMODEW* devmode) override;
    // ApplyPublicToSettings: the base conversion; then, for the form source
    // with DM_FORMNAME, the paper setting 260 of the named spooler form (the
    // default paper when the printer does not take it).
    int32_t PublicToSettings(const DEVMODEW* devmode, MPersistentObject* settings) override;
    int32_t PlatformCheck() override { return 1; }
    uint16_t GetSpecVersion() const override { return kSpecVersion; }
    // 1 when devmode carries this driver's identity: spec version 0x0401,
    // dmSize 220, dmDriverExtra 952, private words 1172 at 220, 46 at 222,
    // 4 at 262, capacity 902 at 268, and a blob length of at most 902.
    virtual int32_t IsOurDevMode(const DEVMODEW* devmode);
    // Takes devmode whole into the image when it is the driver's own (see
    // IsOurDevMode) and sets the data-type flag from dataType (null: left
    // as it is). 1 when the DEVMODE was taken.
    int32_t TakePrinterDevMode(const DEVMODEW* devmode, const WCHAR* dataType);
    // The printer's default DEVMODE and data type (GetPrinterW level 2)
    // through TakePrinterDevMode. 1 when the DEVMODE was taken.
    virtual int32_t MergePrinterDevMode(HANDLE printer);
    // The first spooler form named name that the printer takes at angle:
    // 1 and index = its position + 1.
    virtual int32_t FindFormByName(const WCHAR* name, uint32_t& index, int32_t strict, int32_t angle);
    // FindFormByName at the angle of a DEVMODE orientation (landscape 90,
    // anything else 0).
    virtual int32_t FindFormForOrientation(const WCHAR* name, int16_t orientation, uint32_t& index,
                                           int32_t strict);

    // Print-quality presets (see above). code: a DMRES_ value or a 902 code.
    int32_t GetQualityPreset(int32_t code, int32_t& xDpi, int32_t& yDpi, int32_t& third,
                             MPersistentObject* tree);
    int32_t FindQualityPreset(int32_t xDpi, int32_t yDpi, int16_t& code, MPersistentObject* tree);
    // Named resources: the driver context's mapping of key (its first value)
    // to the string of node 193 of tree under the mapping's second value,
    // and back.
    int32_t GetResourceName(MPersistentObject* tree, uint16_t key, RWCString& name);
    int32_t FindResourceByName(MPersistentObject* tree, uint16_t& key, const RWCString& name);

    // GDevMode's translations, answered by the lookups above.
    int32_t ResolutionFromQuality(MPersistentObject* settings, int16_t quality, int32_t& xDpi, int32_t& yDpi,
                                  int32_t& variant) override;
    int32_t QualityFromResolution(MPersistentObject* settings, int32_t xDpi, int32_t yDpi,
                                  int16_t& quality) override;
    int32_t SourceNameFromBin(MPersistentObject* settings, int16_t bin, RWCString& name) override;
    int32_t BinFromSourceName(const RWCString& name, int16_t& bin) override;

    uint32_t GetDataTypeFlag() const { return IsEmfDataType(); }

private:
    // Construction steps 4 to 7: the settings from the image's blob, an
    // older blob converted, or the defaults.
    void LoadSettingsFromImage();
    MPersistentObject* FindPrinterNode(uint32_t id) const;

    // The spooler's forms, level 1 (empty without a printer).
    std::vector<uint64_t> EnumerateForms(DWORD& count) const;

    GDriverContext* instance_;
    HANDLE printer_; // not owned
};
