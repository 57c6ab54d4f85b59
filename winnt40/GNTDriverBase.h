#pragma once
// The Windows NT layer of the per-printer driver instance, between the
// driver context (virtual base) and the concrete instance (GNT40Driver).
// It owns the instance's DEVMODE object, loads incoming DEVMODEs, commits
// edited settings, keeps the settings composites that never travel in the
// DEVMODE in the printer's data, keeps the per-user stores, answers the
// size of the driver's DEVMODE, filters the application flags, and answers
// the driver context's paper-form operations over the spooler's forms. It
// implements the printer-interface operations.
//
// Stores:
//   composites 365, 366, 368   printer data "365", "366", "368": a persisted
//                              GAttributeComposite (class 757), chunked
//   per-user DEVMODE copy      HKEY_CURRENT_USER "Printers\DevModes2",
//                              value named by the printer, REG_BINARY
//   devmode flag switch        DWORD "EnableDevmodeAppflag" under HKCU, then
//                              HKLM, "SOFTWARE\Quorvex\QV FA Drivers"
//   printer's unique id        printer data "PrinterUUID" (string)
//   local watermark pool       "???\-2147483647\Software\Quorvex\" + id +
//                              "\LocalWatermarkPoolData\LocalWatermarkPool"
//   local job storage          HKCU "Software\Quorvex\" + id +
//                              "\LocalJobStorageData", DWORD "LocalJobStorage"
//
// Paper numbers: the form at 0-based position n of the spooler's list has
// paper number n + 1; 256 (DMPAPER_USER) is the custom size, media id
// 0x4000; a user or printer form at 1-based position n has media id
// 0x3FFF + n.
//
// No exception leaves a printer-interface operation.
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "driver/GDriver.h"
#include "driver/GNTDevMode.h"
#include "rw/RWWString.h"
#include "winapi/WinCommonUI.h"
#include "winapi/WinDriverUI.h"
#include "winapi/WinGeometry.h"
#include "winapi/WinSpool.h"
#include "winnt40/GHeldResourceModule.h"

class GAttributeComposite;
class GCPSOSUI;
class GCustomMediaSize;
class GFormToTrayDatabase;
class GMedia;
class GNTDMCSession;
class GOSFactory;
class GResourceMappingList;
struct GSheetContextBlock;

class GNTDriverBase : public GDriver {
public:
    // State word bits.
    static constexpr uint32_t kStateTakeSettingsAgain = 0x1; // cached printer settings stale
    static constexpr uint32_t kStatePaperListStale = 0x2;    // paper list to be rebuilt
    static constexpr uint32_t kStateAll = 0xFFFFFFFF;
    // DEVMODE sizes.
    static constexpr uint32_t kDevModeSize = 1172;
    // Printer-data values the driver keeps about the printer's stored
    // settings: when and how they were last updated, and whether a newer
    // DEVMODE layout has made them stale.
    static constexpr const char16_t* kLastUpdatedValue = u"LastUpdated";
    static constexpr const char16_t* kLastUpdateTypeValue = u"LastUpdateType";
    static constexpr const char16_t* kStaleValue = u"Stale";
    // The property-sheet header of both sheets: no Apply button, the title
    // as a property title.
    static constexpr WORD kSheetHeaderFlags = PSUIHDRF_NOAPPLYNOW | PSUIHDRF_PROPTITLE;

    // A string of a module, by id; empty when it cannot be loaded.
    static std::u16string LoadModuleString(HMODULE module, UINT id);
    static constexpr uint32_t kPublicDevModeSize = 220;
    static constexpr uint32_t kPublicOnlyFlags = 0x40100;
    // Media ids and paper numbers.
    static constexpr uint16_t kCustomMediaId = 0x4000;
    static constexpr uint16_t kUserPaperNumber = 256; // DMPAPER_USER
    static constexpr uint16_t kLargestMediaId = 17384;
    static constexpr uint16_t kSmallestMediaId = 17385;
    static constexpr int32_t kFormTolerance = 100; // micrometres, each way
    // Registry and printer-data names.
    static constexpr const char16_t* kDevModesKey = u"Printers\\DevModes2";
    static constexpr const char16_t* kDriversKey = u"SOFTWARE\\Quorvex\\QV FA Drivers";
    static constexpr const char16_t* kDevmodeAppflagValue = u"EnableDevmodeAppflag";
    static constexpr const char16_t* kPrinterUuidValue = u"PrinterUUID";
    static constexpr const char16_t* kUserRootText = u"-2147483647";

    // A call-back of the form enumerations: count (1-based), media id and
    // name of one form; the enumeration goes on while it answers 1.
    using FormCallback = int32_t (*)(void* data, uint32_t count, uint16_t mediaId, const WCHAR* name);
    // A call-back of the built-in form enumeration; it goes on while the
    // answer is not 0.
    using FormNameCallback = int32_t (*)(void* data, const WCHAR* name);

    ~GNTDriverBase() override;

    // --- Own operations, in slot order ------------------------------------------
    // Loads devmode (null: the defaults) into the DEVMODE object; nonzero
    // on success.
    virtual int32_t LoadDevMode(const DEVMODEW* devmode);
    // Commits settings: the composites 365, 366 and 368 go to printer data
    // (when store is set), the rest into the DEVMODE object. 1 or 0.
    virtual int32_t CommitSettings(GAttributeComposite* settings, int32_t store);
    // The composite stored under the decimal id, or null (also for an
    // object of another class).
    virtual std::unique_ptr<GAttributeComposite> RestoreSettingsComposite(uint32_t id);
    // Stores composite under the decimal form of its attribute id. 1 or 0.
    virtual int32_t StoreSettingsComposite(const GAttributeComposite* composite);
    // The printer-data values of list 950 into the settings of 365; 958
    // from the OEM code page.
    virtual void SyncSettingsWithPrinterData(GAttributeComposite* settings);
    // The printer handle the instance works with.
    virtual HANDLE GetPrinterHandle() = 0;

    // --- Further members --------------------------------------------------------
    // The application flags of the process, without 0x40100 when the
    // devmode application flag is switched off.
    virtual void InitAppFlags();
    uint32_t GetApplicationFlags() const override { return applicationFlags_; }
    // 1172, or 220 under the application flags 0x40100 (then, with flag
    // set, a longer per-user DEVMODE copy is cut to its public part).
    virtual uint32_t GetDevModeSize(int32_t flag);
    // 1 unless "EnableDevmodeAppflag" reads 0 (user key first, then machine).
    virtual int32_t IsDevmodeAppflagEnabled();
    void SetUseLocalPools(uint32_t use) { useLocalPools_ = use; }
    uint32_t UsesLocalPools() const { return useLocalPools_; }
    // 1 when the printer is a connection to a print server.
    virtual int32_t IsRemotePrinter();
    // "Software\Quorvex\" + unique id + "\LocalJobStorageData".
    RWWString GetLocalJobStorageKey();
    // DWORD "LocalJobStorage" = flag under the local job storage key. 1 or 0.
    int32_t SetLocalJobStorage(uint32_t flag);
    // The registry-path value name of the local watermark pool.
    RWWString GetLocalWatermarkPoolKey();
    int32_t SaveLocalWatermarkPool(const GAttributeComposite& pool);
    // The local watermarks (1125 = 2) of list 378 of watermarks (366) saved
    // as the local pool.
    int32_t SaveLocalWatermarks(GAttributeComposite& watermarks);
    // Marks the shared watermarks of 366 (1125 = 1) and puts the local pool
    // in place of same-named entries.
    void MergeLocalWatermarks(GAttributeComposite& watermarks);
    // The printer's unique id ("PrinterUUID") as 8-bit text made wide.
    RWWString GetPrinterUniqueId();

    // --- DEVMODE object and state -----------------------------------------------
    GNTDevMode* GetDevMode() const { return devMode_.get(); }
    // Replaces the DEVMODE object (DrvConvertDevMode makes its own).
    void ReplaceDevMode(std::unique_ptr<GNTDevMode> devMode) { devMode_ = std::move(devMode); }
    uint32_t GetStateWord() const { return stateWord_; }
    void SetStateBits(uint32_t bits) { stateWord_ |= bits; }
    void ClearStateBits(uint32_t bits) { stateWord_ &= ~bits; }
    uint32_t GetEmfMark() const { return emfMark_; }
    uint32_t GetDefaultsLoadedMark() const { return defaultsLoaded_; }
    // The driver context's cached printer settings (null when none).
    MPersistentObject* GetCachedPrinterSettings() const { return GetSettings(); }
    // Makes settings the cached printer settings (null: none); the old copy
    // is released.
    void SetCachedPrinterSettings(std::unique_ptr<GAttributeComposite> settings);

    // --- Driver-context operations --------------------------------------------------
    // Fresh default settings: 359 of the printer's first configuration as
    // 360, with 246 (as 362, paper 260 for the user's country) and 256 (as
    // 363) of the second; the model base name; synchronised with printer
    // data; the paper-size list rebuilt.
    std::unique_ptr<GAttributeComposite> NewDefaultSettings() override;
    // The printer's current settings: the DEVMODE object's settings with
    // the stored 365, 366 (local pool merged) and 368; the fresh defaults
    // when any is missing. Clears kStateTakeSettingsAgain.
    virtual std::unique_ptr<GAttributeComposite> GetCurrentSettings();
    // The paper-size list (276) of settings: the custom size of 1260/1261,
    // then every fitting user or printer form.
    virtual void RebuildPaperSizeList(GAttributeComposite& settings);
    // Whether the form at the 1-based position fits the printer.
    virtual int32_t IsFormAtPositionUsable(uint32_t position);
    // A paper number to its media id (1 on success).
    virtual int32_t PaperNumberToMediaId(uint16_t paperNumber, uint16_t& mediaId);
    // A media id to its paper number (1 on success).
    virtual int32_t MediaIdToPaperNumber(uint16_t mediaId, uint16_t& paperNumber);
    // Adds the custom size as a spooler form, or updates the form of its
    // name; its paper number then follows the form's position and it
    // replaces the same-named entry of the settings' custom-size list.
    virtual int32_t AddOrUpdateForm(GCustomMediaSize& size, GAttributeComposite* settings);
    // A custom size saved by a property sheet becomes a user form, so the
    // next sheet and the paper capabilities list it: the form is added or
    // updated, size takes the form's paper id, and list takes size over in
    // place of the entries of its name. 0 when the spooler refuses the form
    // (the caller keeps size).
    int32_t AddCustomSize(GCustomMediaSize* size, MPersistentObject* list, uint32_t unused) override;
    // Also deletes the user form of the size's name.
    int32_t RemoveCustomSize(const GCustomMediaSize* size, MPersistentObject* list) override;
    // DeleteFormW by name. 1 or 0.
    virtual int32_t DeleteForm(const RWWString& name);
    // Every usable form (the paper-list test) to callback.
    virtual int32_t EnumerateUsableForms(FormCallback callback, void* data);
    // Every form that fits the printer (no form-to-tray test) to callback.
    virtual int32_t EnumerateFittingForms(FormCallback callback, void* data);
    // The standard media id of a media id for settings.
    virtual uint16_t GetStandardMediaId(uint16_t mediaId, MPersistentObject* settings);
    // The driver module's path with the resource module name in place of
    // its file name.
    virtual RWWString GetResourceModulePath();
    // Built-in forms by name to callback.
    virtual int32_t EnumerateBuiltInForms(FormNameCallback callback, void* data);
    virtual int32_t IsFormBuiltIn(const RWWString& name);
    // Media id to DEVMODE paper number: 0 here (GNT40Driver answers it).
    virtual int32_t MediaToPaperNumber(uint16_t mediaId, uint16_t& paperNumber);
    // The DEVMODE object's settings (null without an object).
    MPersistentObject* GetDevModeSettings() const;
    // The printer model's base name the pages show (empty when none).
    const RWWString& GetModelBaseName() const { return modelBaseName_; }
    // The name of the resource module (GNT40Driver keeps it).
    virtual RWWString GetResourceModuleName() = 0;
    // The module at the resource module path, held from its first use until
    // the instance ends (or the path changes); null when it cannot be loaded.
    HMODULE HeldResourceModule();

    // The driver context's paper answers over the forms (the DEVMODE object
    // asks them).
    int32_t PaperIdToDmPaper(uint32_t paperId, uint16_t& dmPaper) override;
    int32_t DmPaperToPaperId(int16_t dmPaper, uint16_t& paperId) override;
    int32_t AcceptsPaper(int32_t orientation, int32_t xDpi, int32_t yDpi, int32_t strict,
                         int16_t dmPaper) override;
    int32_t AcceptsResolution(int32_t xDpi, int32_t yDpi) override;
    int32_t AcceptsBin(int16_t dmBin) override;
    uint32_t MapPaperIdForSettings(MPersistentObject* settings, uint32_t paperId) override;
    GAttributeComposite* MergeMatchingValues(const GAttributeComposite& from,
                                             GAttributeComposite* into) override;
    void FillResourceMappingList(GResourceMappingList& list) override;
    int32_t FormIndexToPaperId(uint32_t formIndex, uint16_t& paperId) override;
    int32_t PaperIdToFormIndex(uint16_t paperId, uint32_t& formIndex) override;
    int32_t AcceptsForm(const FORM_INFO_1W& form, uint32_t position, int32_t strict, int32_t angle) override;

    // --- The instance's side that the document operations use (GNT40Driver) ----
    virtual int32_t OpenAdminHandle() = 0;
    virtual void CloseAdminHandle() = 0;
    virtual void UseAdminHandle(uint32_t flag) = 0;
    virtual int32_t IsAdminHandleOpen() const = 0;
    virtual int32_t IsPrinterDataWritable() = 0;
    virtual int32_t WriteDefaultDevMode() = 0;
    virtual GSheetContextBlock* CreateSheetBlock() = 0;
    virtual void FreeSheetBlock(GSheetContextBlock* block) = 0;
    // The instance's printer handle (DrvConvertDevMode replaces it with the
    // one it opens and nulls it after closing).
    virtual void SetPrinterHandle(HANDLE printer) = 0;
    // The file name of the process's executable, as last seen.
    virtual RWWString GetHostPath() const = 0;
    // The open sheet's block and glue object (null when no sheet is open).
    virtual GSheetContextBlock* GetOpenSheetBlock() const = 0;
    virtual void SetOpenSheetBlock(GSheetContextBlock* block) = 0;
    virtual GCPSOSUI* GetOpenSheet() const = 0;
    virtual void SetOpenSheet(GCPSOSUI* sheet) = 0;
    // A configuration exchange over settings for this printer, or null when
    // no configuration library can be reached.
    virtual std::unique_ptr<GNTDMCSession> CreateConfigSession(GAttributeComposite* settings) = 0;

    // --- Printer-interface operations -------------------------------------------
    // Document properties and DEVMODE conversion.
    LONG DrvDocumentPropertySheets(PPROPSHEETUI_INFO info, LPARAM lParam) override;
    LONG DrvDocumentProperties(HWND window, HANDLE printer, LPWSTR deviceName, PDEVMODEW output,
                               PDEVMODEW input, DWORD mode) override;
    LONG DrvAdvancedDocumentProperties(HWND window, HANDLE printer, LPWSTR deviceName, PDEVMODEW output,
                                       PDEVMODEW input) override;
    BOOL DrvConvertDevMode(LPWSTR printerName, PDEVMODEW input, PDEVMODEW output, LONG* needed,
                           DWORD mode) override;
    virtual LONG RunDocumentProperties(HWND window, HANDLE printer, LPWSTR deviceName, PDEVMODEW output,
                                       PDEVMODEW input, DWORD mode);
    virtual LONG DocumentPropertiesNoUI(DOCUMENTPROPERTYHEADER* header);
    // The permission test of the document sheet: 1 when the user may not
    // change the printer's settings; sets the use-local-pools mark.
    virtual int32_t TestNoPermission();
    // The document sheet's INIT (DEVMODE loaded, pages built) and its OK
    // (settings committed, configuration exported when asked, output
    // DEVMODE written).
    virtual LONG InitDocumentSheet(PROPSHEETUI_INFO& info, DOCUMENTPROPERTYHEADER& header,
                                   int32_t noPermission);
    virtual void CommitDocumentSheet(DOCUMENTPROPERTYHEADER& header);
    // When 1100 is 1 and "ExportPrinting" is set: the configuration exported
    // (from the shell only), then "ExportPrinting" = 0.
    virtual void ExportWhenAsked(GAttributeComposite* settings);
    // The open sheet's glue object ended and deleted, its block freed.
    void CloseOpenSheet();
    // A new block and glue object for info's host sheet (the kind and
    // flags given), the pages built: 1 when there are pages, else 0.
    int16_t OpenSheet(PROPSHEETUI_INFO& info, uint32_t kind, uint32_t flags);
    // Whether the process's executable is the shell ("EXPLORER.EXE" in its
    // path, in any letter case).
    static bool IsShellHost();

    // Device capabilities and paper lists.
    // An answer (anything but -1) keeps the caller's last error.
    DWORD DrvDeviceCapabilities(HANDLE printer, LPWSTR deviceName, WORD capability, void* output,
                                PDEVMODEW devMode) override;
    // The DEVMODE loaded and the capability answered.
    virtual DWORD AnswerCapability(HANDLE printer, LPWSTR deviceName, WORD capability, void* output,
                                   PDEVMODEW devMode);
    // The paper list (each output may be null; names 64 wide characters
    // each, sizes in tenths of a millimetre): the count, -1 when empty.
    virtual LONG GetPaperList(WCHAR* names, WORD* numbers, POINT* sizes);
    // The per-capability answers, in slot order.
    virtual DWORD GetBinNames(void* output);
    virtual DWORD GetBins(void* output);
    virtual DWORD GetCopies(void* output);
    virtual DWORD GetDriverVersion(void* output);
    virtual DWORD GetDuplex(void* output);
    virtual DWORD GetResolutions(void* output);
    virtual DWORD GetExtra(void* output);
    virtual DWORD GetFields(void* output);
    virtual DWORD GetFileDependencies(void* output);
    virtual DWORD GetMaxExtent(void* output);
    virtual DWORD GetMinExtent(void* output);
    virtual DWORD GetOrientation(void* output);
    virtual DWORD GetPaperNames(void* output);
    virtual DWORD GetPapers(void* output);
    virtual DWORD GetPaperSizes(void* output);
    virtual DWORD GetSize(void* output);
    virtual DWORD GetTrueType(void* output);
    virtual DWORD GetVersion(void* output);
    virtual DWORD GetGeneric(void* output);
    virtual DWORD GetCollate(void* output);
    virtual DWORD GetPrivateInformation(void* output);
    virtual DWORD GetPaperListCapability(void* output);
    virtual DWORD GetColorDevice(void* output);
    // Takes the cached printer settings again when there are none, when
    // kStateTakeSettingsAgain is set, or always.
    virtual void RefreshPrinterSettings(int32_t always);
    // The size test: the form (thousandths of a millimetre) lies between
    // the smallest and largest media at the resolution and orientation.
    virtual int32_t FormFitsPrinter(const FORM_INFO_1W& form, int32_t xDpi, int32_t yDpi,
                                    int32_t orientation);
    // The paper-list test of the form at the 0-based position.
    virtual int32_t IsFormUsable(const FORM_INFO_1W& form, uint32_t position, int32_t sizeTest);
    // 1 unless setting 915 is nonzero.
    virtual int32_t IsSizeTestOn();
    // The size test's limits in micrometres: the smallest and the largest
    // media of the pool at the resolution, their sides swapped for an angle
    // of 90 or 270.
    struct SizeLimits {
        int32_t minWidth = 0;
        int32_t minHeight = 0;
        int32_t maxWidth = 0;
        int32_t maxHeight = 0;
        bool Hold(const FORM_INFO_1W& form) const;
    };
    // Nothing when no form can fit (no pool, no resolution, a media missing).
    std::optional<SizeLimits> PrinterSizeLimits(int32_t xDpi, int32_t yDpi, int32_t angle);
    // What the paper-list test of every form shares, found once for a
    // whole list: the form-to-tray database when it has assignments, the
    // size limits at the DEVMODE's geometry, the paper-number table.
    struct FormTest {
        // The installed options from printer data when there are no cached
        // printer settings.
        std::unique_ptr<GAttributeComposite> storedOptions;
        const GFormToTrayDatabase* assigned = nullptr;
        bool sizeTest = false;
        std::optional<SizeLimits> limits;
        GResourceMappingList* table = nullptr;
    };
    FormTest PrepareFormTest(int32_t sizeTest);
    // The paper-list test of the form at the 0-based position.
    static int32_t PassesFormTest(const FormTest& test, const FORM_INFO_1W& form, uint32_t position);

    // Device property sheets.
    LONG DrvDevicePropertySheets(PPROPSHEETUI_INFO info, LPARAM lParam) override;
    BOOL PrinterProperties(HWND window, HANDLE printer) override;
    // The device sheet's INIT (defaults loaded, pages built, "ExportConfig"
    // and "PhySetting" written) and its OK on a sheet that may write.
    virtual LONG InitDeviceSheet(PROPSHEETUI_INFO& info, const DEVICEPROPERTYHEADER& header);
    virtual void CommitDeviceSheet();

    // Plug-in extensions are registered by the extension registry, which
    // this module does not carry yet.
    int32_t RegisterExtension(LPCSTR extensionName, DWORD flag) override;

protected:
    GNTDriverBase();

    // The application flags the module read at start-up.
    virtual uint32_t ProcessApplicationFlags() const;

    // The DEVMODE's resolutions (0 without a DEVMODE object) and its
    // orientation as an angle (0 for portrait, else 90).
    void DevModeGeometry(int32_t& xDpi, int32_t& yDpi, int32_t& angle) const;
    // Whether the media at its own resolution and orientation matches the
    // form's size within the tolerance.
    static bool MediaFitsForm(const GMedia& media, const FORM_INFO_1W& form);
    // The paper number of the driver context's paper-number table (1 when
    // it lists the media id).
    int32_t PaperNumberFromTable(uint16_t mediaId, uint16_t& paperNumber);
    // The media the printer keeps under the id at the DEVMODE's geometry.
    GMedia* FindDevModeMedia(uint16_t mediaId);

    // The paper-list cache of the device capabilities.
    struct PaperEntry {
        std::array<WCHAR, 64> name{};
        WORD number = 0;
        POINT size{0, 0};
    };
    std::vector<PaperEntry> paperList_;

private:
    // The per-user DEVMODE copy cut to its public part when it is longer.
    void CutUserDevModeCopy();
    // One setting of list 950 from the printer-data value name.
    void SyncSetting(GOSFactory& factory, MPersistentObject* setting, const RWWString& name);
    // Printer data "Base", or the driver name before "series" or "pcl" when
    // setting 1122 asks for it.
    void TakeModelBaseName(GAttributeComposite& settings);
    // The forms the usable (with the form-to-tray test) or fitting test
    // passes, to callback.
    int32_t EnumerateForms(FormCallback callback, void* data, bool trayTest);

    std::unique_ptr<GNTDevMode> devMode_;
    GHeldResourceModule resourceModule_;
    uint32_t stateWord_ = kStateAll;
    uint32_t defaultsLoaded_ = 0;
    uint32_t emfMark_ = 0;
    uint32_t useLocalPools_ = 0;
    uint32_t applicationFlags_ = 0;
    RWWString modelBaseName_;
};
