#pragma once
// The per-printer driver instance the platform services make for the driver
// server. It completes GNTDriverBase with the printer handles (the one it
// was made with and an administration handle opened with full access on
// demand), the test whether the printer's data can be written, the
// default-DEVMODE write, the property-sheet context block, the printer's
// forms and watermark defaults, and the mass-storage font files of a
// printer connection.
//
// Font files: the paths named by the printer's mass-storage font sources
// come from printer data, which a print server controls for its
// connections; files are copied or deleted only inside the driver's own
// folder (GOSFactory::GetModuleFolder).
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "driver/GPrinterIdentity.h"
#include "model/GAttributeComposite.h"
#include "rw/RWCString.h"
#include "rw/RWWString.h"
#include "winapi/WinGdi.h"
#include "winapi/WinHandle.h"
#include "winnt40/GNTDriverBase.h"

class GCPSOSUI;
class GJobHookHolder;
class GJobIdNotice;
class GWatermarkBlock;
class GNTDMCSession;
class GMedia;
struct GSheetContextBlock;

class GNT40Driver : public GNTDriverBase {
public:
    static constexpr DWORD kAdminAccess = 0xF000C; // PRINTER_ALL_ACCESS
    static constexpr const char16_t* kWriteTestName = u"RegWriteTestStr";
    static constexpr uint32_t kHostPathLength = 260;
    static constexpr uint32_t kFontSourceCount = 10;
    static constexpr uint32_t kSheetProviderMask = 0x10000;

    // flag: whether the virtual base is built here (it always is: C++ builds
    // it first); kept for the factory's call.
    GNT40Driver(HANDLE printer, const RWWString& printerName, const RWWString& driverName,
                const RWWString& portName, uint32_t flag);
    ~GNT40Driver() override;

    // Takes the process's file name; a new one recomputes the application
    // flags.
    void NoteHostPath();
    // A new identity of the instance's printer (handle, names, flag 0).
    std::unique_ptr<GPrinterIdentity> MakeIdentity() const;
    // Takes over the identity's printer (handle, names), then resets the
    // context's caches.
    void Retarget(const GPrinterIdentity& identity);
    std::unique_ptr<GPrinterIdentity> CopyIdentity() const override { return MakeIdentity(); }
    void ResetCache(const GPrinterIdentity& identity) override { Retarget(identity); }
    using GDriverContext::ResetCache;

    // The administration handle while it is in use, else the printer handle.
    HANDLE GetActiveHandle() const;
    HANDLE GetPrinterHandle() override { return GetActiveHandle(); }
    void SetPrinterHandle(HANDLE printer) override { printer_ = printer; }
    HANDLE GetOwnPrinterHandle() const { return printer_; }

    int32_t OpenAdminHandle() override;
    void CloseAdminHandle() override;
    void UseAdminHandle(uint32_t flag) override;
    int32_t IsAdminHandleOpen() const override { return adminHandle_ != nullptr; }
    uint32_t IsUsingAdminHandle() const { return useAdminHandle_; }
    // The test write of "RegWriteTestStr", with the administration handle
    // when the plain one may not write. 1 when the data can be written.
    int32_t IsPrinterDataWritable() override;
    // The DEVMODE object's image as the printer's default DEVMODE
    // (SetPrinterW level 2). 1 or 0.
    int32_t WriteDefaultDevMode() override;
    GSheetContextBlock* CreateSheetBlock() override;
    void FreeSheetBlock(GSheetContextBlock* block) override;

    // The mass-storage font files of a printer connection from the server's
    // driver share; and their deletion.
    void CopyFontFilesFromServer();
    void DeleteFontFiles();
    // The local path of font source index (printer data; a bare name lies
    // in the driver folder); empty when none.
    RWWString ReadFontSourcePath(uint32_t index);
    // path normalised ("." and ".." resolved, separators single) when it lies
    // inside the driver folder; empty otherwise.
    RWWString ConfineToDriverFolder(const RWWString& path);

    RWWString GetResourceModuleName() override;
    void SetResourceModuleName(const RWWString& name) { resourceModuleName_ = name; }
    // Setting 374 of the printer configuration behind the module's folder.
    RWWString GetModuleRelativePath();
    // Adds the printer's papers that no spooler form matches. 1 when a
    // form was added.
    int32_t AddMissingForms();
    // The four default watermarks into list 378 of 366 of settings when the
    // list is empty.
    void AddDefaultWatermarks(GAttributeComposite& settings);
    int32_t MediaToPaperNumber(uint16_t mediaId, uint16_t& paperNumber) override;
    // Whether the spooler form matches the media within the tolerance, or
    // by the media's display name from module.
    int32_t FormMatchesMedia(const FORM_INFO_1W& form, const GMedia& media, int32_t xTolerance,
                             int32_t yTolerance, HMODULE module);
    void GetPrinterNameAndHandle(RWWString& name, HANDLE& printer, uint32_t& word) const;
    // Stores string setting 445 as mass-storage font source 6 (and the
    // fonts flag when 317 is set).
    void StoreMassStorageFontSettings();

    // A configuration exchange over settings for this printer, or null when
    // no configuration library can be reached. The module does not carry
    // the configuration library's binding yet, so it answers null: callers
    // then go on as the exchange does when the library is missing.
    std::unique_ptr<GNTDMCSession> CreateConfigSession(GAttributeComposite* settings) override;

    // --- Printer events, printer upgrade and the print query --------------------------
    // By event: a connection added or refreshed copies the font files, one
    // deleted deletes them, INITIALIZE runs InitializePrinter, DELETE does
    // nothing; each of these answers TRUE, any other event FALSE.
    BOOL DrvPrinterEvent(LPWSTR printerName, INT event, DWORD flags, LPARAM lParam) override;
    // A new printer: its settings brought up to date and committed, the
    // update stamps, a new "PrinterUUID", then (after a pause and a second
    // open) the configuration library's pass and the default DEVMODE. FALSE
    // when the printer cannot be opened with full access or its DEVMODE
    // defaults cannot be loaded.
    BOOL InitializePrinter(const RWWString& printerName);
    // The stored settings re-encoded in the current form and the default
    // DEVMODE carried over. FALSE with error 87 for a level other than 1, a
    // null block or a printer that cannot be opened.
    BOOL DrvUpgradePrinter(DWORD level, BYTE* info) override;
    // Whether the query's DEVMODE can print here; a refusal carries the
    // message of the refused fields in the caller's buffer.
    BOOL DevQueryPrintEx(PDEVQUERYPRINT_INFO info) override;
    // The string id of the message for the fields a validation refused.
    static UINT QueryMessageId(uint32_t refusedFields);
    // The extension modules' configuration-to-settings pass that printer
    // initialisation asks for (setting 306). The extension-UI set is not part
    // of the module yet, so nothing runs and the answer is 0.
    virtual int32_t ConfigToSettings(uint32_t argument);

    RWWString GetHostPath() const override;
    GSheetContextBlock* GetOpenSheetBlock() const override { return openSheetBlock_; }
    void SetOpenSheetBlock(GSheetContextBlock* block) override { openSheetBlock_ = block; }
    GCPSOSUI* GetOpenSheet() const override { return openSheet_; }
    void SetOpenSheet(GCPSOSUI* sheet) override { openSheet_ = sheet; }
    GJobHookHolder* GetJobHookHolder() const { return jobHookHolder_.get(); }
    // The settings being worked on (the second owned object).
    GAttributeComposite* GetWorkingSettings() const { return owned_[1].get(); }
    void SetWorkingSettings(std::unique_ptr<GAttributeComposite> settings) {
        owned_[1] = std::move(settings);
    }

    // --- Document events, private escapes and job identity, watermarks ----------
    // Private escapes to the rendering module (ExtEscape on the job's DC; a
    // text payload is 8-bit text sent with its NUL).
    static constexpr int kEscapeApplicationDescription = 0x303EB8E7; // also the job-storage query
    static constexpr int kEscapePortName = 0x303EB8E8;
    static constexpr int kEscapeApplicationInfo = 0x303EB8E9;
    static constexpr int kEscapeDomainName = 0x303EB8EB;
    static constexpr int kEscapeComputerName = 0x303EB8EC;
    static constexpr int kEscapeWatermark = 0x303EB8ED; // 12 bytes: ~code, 1 before / 0 after, colour
    static constexpr int kEscapeJobMode = 0x303EB8EE;
    static constexpr int kEscapeUserName = 0x303EB8EF;
    static constexpr int kEscapeOSInfo = 0x303EB8F0;
    static constexpr int kEscapeJobUuid = 0x303EB8F1;
    static constexpr int kEscapeExecutableName = 0x303EB8F9;
    static constexpr int kJobStorageReplySize = 512;

    // The document events of the device contexts the export front tracks.
    INT DrvDocumentEvent(HANDLE printer, HDC dc, INT escape, ULONG inSize, void* input, ULONG outSize,
                         void* output) override;
    // Document start: user, computer, domain and job UUID; the operating
    // system; the host application's description and information; the
    // host's executable name (the part of path after its last backslash);
    // the port name. Each is skipped when its source cannot be read.
    void SendJobIdentity(HDC dc);
    void SendOSInfo(HDC dc);
    void SendApplicationInfo(HDC dc);
    void SendApplicationName(HDC dc, const RWWString& path);
    void SendPortName(HDC dc);
    // The user name as the user-name escape sends it; empty when unknown.
    RWCString GetJobUserName();
    // The job's storage identity from the rendering module: 1 when the
    // device answered, and the identity became its answer.
    int32_t QueryJobStorageId(HDC dc);
    const RWWString& GetJobStorageId() const { return jobStorageId_; }
    // The job's storage identity is the name the job is stored under.
    RWWString GetJobName() const override { return jobStorageId_; }
    // (value as a signed 16-bit number mod 999) + 1 of decimal text.
    static RWWString NextJobStorageNumber(const RWWString& text);
    // When 1214 is 1 and 1213 holds text: the next "JobStorageUniqueID"
    // into 1213 and back to printer data.
    void HandOutJobStorageNumber();
    // The printer's location (GetPrinterW level 2): 1 on success.
    int32_t GetPrinterLocation(RWWString& location) override;
    // The job-ID notice thread: shows the job's storage identity; joined
    // when its document ends or is aborted, at DELETEDC and at destruction.
    static unsigned JobIdNoticeThread(void* instance);
    void WaitForJobIdNotice();
    bool IsJobIdNoticePending() const;
    // 1: the local job-storage record is written when the document ends.
    void SetJobStorageFlag(uint32_t flag) { jobStorageFlag_ = flag; }
    int32_t GetDocumentPageCount() const { return documentPageCount_; }
    int32_t GetPageCountDivisor() const { return pageCountDivisor_; }
    uint32_t GetPageCounter() const { return pageCounter_; }
    // Watermarks drawn on the job's pages: the mode (0 none, 1 first page,
    // 2 every page) and block chosen for a document, a page's drawing.
    int32_t PrepareWatermark();
    BOOL DrawPageWatermark(HDC dc);
    int32_t BuildWatermarkBlock(MPersistentObject* entry);
    BOOL DrawWatermarkText(HDC dc);
    uint32_t GetWatermarkMode() const { return watermarkMode_; }
    const GWatermarkBlock* GetWatermarkBlock() const { return watermarkBlock_.get(); }
    // The job-mode escape 0x303EB8EE (~code, mode, 0) when the settings
    // hold 253 and 245 non-zero; mode 1 answered 1 without 1010 in the
    // settings runs the stand-alone sheet. 1.
    virtual int32_t SendJobModeEscape(HDC dc, uint32_t mode);
    // The first extension module's one page run without a sheet (the host
    // call-back NonPropPageSheet) when the settings hold 253 and 245
    // non-zero; an administration handle is given up after it. 1.
    virtual int32_t RunNonPropPageSheet();

private:
    // Lends the instance another printer handle until it goes; the
    // instance's own comes back however the work that borrowed it ends.
    class LentHandle {
    public:
        LentHandle(GNT40Driver& driver, HANDLE printer) : driver_(driver), previous_(driver.printer_) {
            driver.printer_ = printer;
        }
        ~LentHandle() { driver_.printer_ = previous_; }
        LentHandle(const LentHandle&) = delete;
        LentHandle& operator=(const LentHandle&) = delete;

    private:
        GNT40Driver& driver_;
        HANDLE previous_;
    };

    // Document events.
    INT DocumentEvent(HDC dc, INT escape, ULONG inSize, void* input, ULONG outSize, void* output);
    INT CopyDevModeForDc(const DEVMODEW* devmode, bool stamp, ULONG outSize, void* output);
    INT LoadDevModeCopy(ULONG inSize, void* input);
    void StartDocumentPre(HDC dc, ULONG inSize, void* input);
    void StartDocumentPost(HDC dc);
    void EndDocumentPost();
    bool IsPaperNoticeWanted();
    // The resource module (by its path beside the driver, else by name);
    // path receives what was loaded.
    WinScopedModule LoadResourceModule(RWWString* path);
    // Stores the process's file name; true when it differs from the one
    // stored before (case-sensitive).
    bool TakeHostPath();

    HANDLE printer_;
    HANDLE adminHandle_ = nullptr;
    uint32_t useAdminHandle_ = 0;
    uint32_t word_ = 0;
    std::array<std::unique_ptr<GAttributeComposite>, 3> owned_;
    std::array<WCHAR, kHostPathLength> hostPath_{};
    RWWString resourceModuleName_;
    GSheetContextBlock* openSheetBlock_ = nullptr;
    // The glue object of the open sheet (owned: deleted at destruction).
    GCPSOSUI* openSheet_ = nullptr;
    std::unique_ptr<GJobHookHolder> jobHookHolder_;
    std::unique_ptr<RWWString> text_;
    // Document events: the instance's own counters and notice thread, so a
    // second document of the process does not disturb this one.
    int32_t documentPageCount_ = 0;
    int32_t pageCountDivisor_ = 0;
    uint32_t pageCounter_ = 0;
    uint32_t jobStorageFlag_ = 0;
    RWWString jobStorageId_;
    std::unique_ptr<GJobIdNotice> jobIdNotice_;
    uint32_t watermarkMode_ = 0;
    uint32_t watermarkGrey_ = 0;
    std::unique_ptr<GWatermarkBlock> watermarkBlock_;
    // The DEVMODE copies handed out for device contexts and not yet freed.
    std::vector<std::unique_ptr<uint64_t[]>> devModeCopies_;
};
