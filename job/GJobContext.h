#pragma once
// The context of one print job, as the job's commands and devices see it:
// the document start carries it to every device, which reads the job's
// settings through it. It is also the printer's driver context (its
// virtual base), so the job reads the printer's configuration, media pool,
// names and printer data as a driver instance does.
//
// The concrete job context supplies the key under which the driver
// server's job-side table (driver/GJobContextTable.h) finds the job again:
// a 32-bit key unique among the jobs alive in the process. A job context
// answers none of the spooler's paper and form questions of a driver
// instance: those answer "not known" here (0, or the value given).
//
// Once per job (SetUpJob) the context reads the document settings (the
// driver context's settings) and the printer configuration: the writer, the
// pass-through and protocol decision, colour and rendering modes, page
// scaling and page layout. It then builds the job's commands: the document
// start with its composed settings group (BuildJobSettings), page starts
// with their source, media and scale, page ends; every command goes out
// through EmitCommand, which offers it to the plug-in holder first. It turns
// paper ids into media in the resolution and orientation a page needs, and
// builds the job name the printer shows (MakeJobName).
//
// Not here yet: the path, clip and line-state operations and the render-
// state caches need the graphics and render-state classes of the job side
// (paths, clips, caps, joints, bundles), and the per-job font database
// belongs to the writers; none of them is in the tree. The transform that
// moves a page's origin comes through MakeOriginTransform, a seam that
// answers null until that class exists.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "driver/GDriverContext.h"
#include "job/GGrayConversion.h"
#include "job/GPlugHolder.h"
#include "model/GAttributeComposite.h"
#include "model/GCountedPtr.h"
#include "pipeline/GScalePair.h"
#include "rw/RWCString.h"
#include "rw/RWWString.h"

class GAttribute;
class GCapabilities;
class GMedia;
class GPeripheral;
class GState;
class MPersistentObject;

class GJobContext : public virtual GDriverContext {
public:
    static constexpr uint32_t kJobFailed = 3;
    // EmitCommand's answer when the job has no device to send to, and
    // BeginDocument's when no document is pending.
    static constexpr uint16_t kNoDevice = 403;
    static constexpr uint16_t kNoDocumentPending = 403;
    // Writer classes.
    static constexpr uint16_t kAnyWriterClass = 765;
    static constexpr uint16_t kPclXlWriterClass = 767;
    static constexpr uint16_t kPostScriptWriterClass = 768;
    static constexpr uint32_t kNoPageMark = 0x8000;
    // The longest job name, and the UTF-8 form's buffer (48 bytes and the
    // terminating zero).
    static constexpr size_t kJobNameLength = 16;
    static constexpr size_t kUtf8JobNameBytes = 48;

    GJobContext();
    GJobContext(const GJobContext&) = delete;
    GJobContext& operator=(const GJobContext&) = delete;
    ~GJobContext() override;

    virtual uint32_t GetJobKey() const = 0;

    // --- Job set-up (GJobContextSetUp.cpp) ------------------------------------
    // Reads the document settings and the printer configuration once per job
    // and empties the job's state (see the field comments below).
    virtual void SetUpJob();
    // 1 when the rendering mode is 3, or 2 and textOnly is 0; else 0.
    int32_t TestRenderingMode(int32_t textOnly) const;

    // --- Grey conversion -------------------------------------------------------
    // Chooses the grey conversion (GGrayConversion's modes) with its data;
    // data shorter than the mode needs give the default.
    virtual void SelectGrayConversion(int32_t mode, const uint8_t* data, size_t length);
    // The same with the data of group 970 of the configuration tree: binary
    // setting 971 for the weighted mode, 972 for the table.
    virtual void SelectGrayConversion(int32_t mode);

    // --- Settings and commands (GJobContextDocument.cpp) ------------------
    // Copies = group 364's 291, also copied into group 362. When the device
    // collates (365's 310 is 1) and collation (364's 292) or the device's
    // job store (365's 451) is on, the device makes the copies: 362's 247 :=
    // copies, 363's 257 := 1; otherwise 362's 247 := 1 and 363's 257 :=
    // copies. A setting that a group lacks is added to it; without 291
    // nothing changes.
    virtual void ApplyCollation(MPersistentObject* group364, MPersistentObject* group362,
                                MPersistentObject* group363, MPersistentObject* group365);
    // The document's settings group: group 362 of the document settings with
    // the job's further settings added (GJobContextSettings.cpp). The
    // caller owns it.
    virtual std::unique_ptr<GState> BuildJobSettings();
    // Page number and last scaled page := 0; a new GDocumentStart of name,
    // the document data and secondName, carrying this context and the
    // composed settings.
    virtual GCountedPtr StartDocument(const RWWString& name, const RWWString& secondName);
    virtual GCountedPtr MakeDocumentEnd();
    // The next page's start: its settings (group 363 with the paper, source
    // and media the page needs) and its scale.
    virtual GCountedPtr MakePageStart();
    // A page end holding 363's copies of each page (257); page mark := 0x8000.
    virtual GCountedPtr MakePageEnd();
    // Sends the owed page start: its status (0 when none is owed).
    virtual uint16_t FlushPageStart();
    // The readiness check, then FlushPageStart, then EmitCommand; a non-zero
    // status of either check drops the command and is returned.
    virtual uint16_t SubmitCommand(const GCountedPtr& command);
    // Offers command to the plug-in holder (a non-zero answer is the status
    // and the command is not sent), then plays it on the configuration tree.
    // A reply holding error commands aborts the job: a new GJobAbort is
    // played on the tree and the job status becomes kJobFailed; the status
    // is the first non-zero error code. Without a configuration tree the
    // command is not sent and kNoDevice answered.
    virtual uint16_t EmitCommand(const GCountedPtr& command);
    // Starts the pending document: kNoDocumentPending (and job status
    // kJobFailed) when none is pending; the tree is reset first when a
    // document was opened on it before.
    virtual uint16_t BeginDocument();
    // When page scaling is on and the current page was not scaled: submits a
    // GNoCommand, so the devices see the page. Its status, else 0.
    virtual uint16_t MarkUnscaledPage();
    // Clamps *copies (negative: 1; above the maximum of range setting 199 of
    // the configuration tree: that maximum), writes it back and into group
    // 364's 291, runs the collation; returns the former 291 (0 when absent).
    virtual uint16_t SetCopies(int16_t* copies);

    // --- Watermarks (GJobContextSettings.cpp) ---------------------------------
    // Group 379 of the document settings' watermark choice as a copy found
    // by FindWatermark (id 379), or a new group 379 holding 382 = 2. The
    // caller owns it.
    virtual std::unique_ptr<MPersistentObject> GetWatermarks();
    // The watermark definition (list 378 of group 366) whose name (384)
    // equals the choice's name (383), when the choice (group 379) has 382
    // other than 2 and 381; null otherwise.
    virtual MPersistentObject* FindWatermark();
    // 1 when group 364 has group 379 with 382 present and not 2.
    virtual int32_t HasWatermarks();

    // --- Media (GJobContextMedia.cpp) -----------------------------------------
    // The media of paperId at the document's resolution (323, 324 in 249;
    // 600 when absent) and orientation (265); null when the pool or the
    // custom-size list has none. The caller owns it.
    virtual std::unique_ptr<GMedia> MakeMedia(uint32_t paperId);
    // Standard ids from the media pool, custom ids (16384-17383) from list
    // 276 of the document settings; shrunk by the printer's margins when the
    // document's 442 is 1.
    virtual std::unique_ptr<GMedia> MakeMediaFor(uint32_t paperId, uint16_t xDpi, uint16_t yDpi,
                                                 int32_t orientation);
    // Replaces *media by one whose imageable area lies the printer's margins
    // (501 side, 502 top, 1/10000 inch; swapped at 90 and 270 degrees) in
    // from each edge; the imageable size is never negative.
    virtual void ShrinkMedia(std::unique_ptr<GMedia>& media);
    // Makes media that of its paper in orientation (nothing when the two
    // angles, reduced to 0..359, agree, or no such media exists).
    void RotateMedia(GMedia& media, int32_t orientation);

    // --- Job name and media-type pages (GJobContextJobName.cpp) -------------
    // Builds the job name the printer shows into name (and stores it as the
    // job name); when group 362's 1027 is 1 and utf8 is given, also its
    // UTF-8 form into utf8 (kUtf8JobNameBytes + 1 bytes, zero-terminated).
    virtual void MakeJobName(RWCString& name, uint8_t* utf8 = nullptr);
    // A letterhead or preprinted page printed alone on its sheet (362's 329
    // 266 is 1) without duplex is printed duplex, and a blank back page is
    // owed (the letterhead flag).
    virtual void CheckMediaType(MPersistentObject* pageSettings, MPersistentObject* group362);
    // Sends the owed blank back page (a page start and a page end); the last
    // status, 0 when none is owed.
    virtual uint16_t EmitBlankBackPage();

    // --- The driver context's operations ---------------------------------------
    GJobContext* AsJobObject() override { return this; }
    GDriver* AsDriver() override { return nullptr; }
    void PrepareToPark() override {}
    std::unique_ptr<GAttributeComposite> NewDefaultSettings() override { return nullptr; }
    uint32_t GetApplicationFlags() const override { return applicationFlags_; }
    int32_t PaperIdToDmPaper(uint32_t, uint16_t&) override { return 0; }
    int32_t DmPaperToPaperId(int16_t, uint16_t&) override { return 0; }
    int32_t AcceptsPaper(int32_t, int32_t, int32_t, int32_t, int16_t) override { return 0; }
    int32_t AcceptsResolution(int32_t, int32_t) override { return 0; }
    int32_t AcceptsBin(int16_t) override { return 0; }
    uint32_t MapPaperIdForSettings(MPersistentObject*, uint32_t paperId) override { return paperId; }
    GAttributeComposite* MergeMatchingValues(const GAttributeComposite&, GAttributeComposite* into) override {
        return into;
    }
    void FillResourceMappingList(GResourceMappingList&) override {}
    int32_t FormIndexToPaperId(uint32_t, uint16_t&) override { return 0; }
    int32_t PaperIdToFormIndex(uint16_t, uint32_t&) override { return 0; }
    int32_t AcceptsForm(const FORM_INFO_1W&, uint32_t, int32_t, int32_t) override { return 0; }
    using GDriverContext::ResetCache;
    // Between jobs: the driver context's reset, the output flag and page
    // scaling cleared, the tree reset when a document was opened on it,
    // SetUpJob, no document, empty names, no grey-scale mode or page scale.
    void ResetCache() override;
    // The render state of the job dropped: job status, job value and spare
    // word 0, the scaling settings released.
    virtual void ResetRenderState();

    // --- What the PJL job header asks of its job ------------------------------
    // The job's second name: the destination (a port or a file) the job
    // goes to; the usage record tells the printer what kind it is.
    virtual void GetSecondName(RWWString& name) const { name = secondName_; }

    // --- Accessors ----------------------------------------------------------------
    const GGrayConversion& GetGrayFunction() const { return grayConversion_; }
    GPlugHolder& GetPlugHolder() { return plugHolder_; }
    uint32_t GetJobStatus() const { return jobStatus_; }
    uint32_t GetOutputFlag() const { return outputFlag_; }
    void SetOutputFlag() { outputFlag_ = 1; }
    uint32_t IsTextAsBlack() const { return textAsBlack_; }
    uint32_t IsTrueTypeAsBitmaps() const { return trueTypeAsBitmaps_; }
    uint32_t IsPageLayoutActive() const { return pageLayoutActive_; }
    const GScalePair& GetPageScale() const { return pageScale_; }
    uint32_t GetCapabilityFlag113() const { return capabilityFlag113_; }
    uint32_t GetCapabilityFlag120() const { return capabilityFlag120_; }
    int16_t GetRenderingMode() const { return renderingMode_; }
    int16_t GetColourSourceMode() const { return colourSourceMode_; }
    uint16_t GetColourTargetMode() const { return colourTargetMode_; }
    uint32_t GetGreyScaleMode() const { return greyScaleMode_; }
    uint16_t GetWriterClass() const { return writerClass_; }
    uint32_t IsPostScriptWriter() const { return postScriptWriter_; }
    uint32_t GetPassThrough() const { return passThrough_; }
    uint32_t GetPageScaling() const { return pageScaling_; }
    uint32_t IsPageScaled() const { return pageScaled_; }
    uint32_t GetPageNumber() const { return pageNumber_; }
    uint32_t GetPageMark() const { return pageMark_; }
    uint32_t IsPageOpen() const { return pageOpen_; }
    uint32_t IsDocumentStarted() const { return documentStarted_; }
    uint32_t GetLetterheadFlag() const { return letterheadFlag_; }
    const RWWString& GetJobName() const { return jobName_; }
    const RWWString& GetDocumentName() const { return documentName_; }

    // --- Set by the job's maker -------------------------------------------------
    // The process-wide application flags the job takes over (0 until given).
    void SetApplicationFlags(uint32_t flags) { applicationFlags_ = flags; }
    // A document is to start under these names with this narrow document data.
    void SetDocument(const RWWString& name, const RWWString& secondName, const RWCString& data);
    void SetJobValue(uint32_t value) { jobValue_ = value; }
    // The code page the job name is converted in (0: the ANSI code page).
    void SetNameCodePage(uint32_t codePage) { nameCodePage_ = codePage; }
    // When set, later pages keep the first page's source and media type.
    void SetFirstPageFlag(uint32_t flag) { firstPageFlag_ = flag; }
    // A page start is owed before the next command.
    void SetPageStartPending() { pageStartPending_ = 1; }

protected:
    // The device tree of the job's printer: the driver context's
    // configuration tree when it is a device, else null.
    virtual GPeripheral* GetConfigurationTree();
    // The readiness check SubmitCommand makes before a command is sent: a
    // non-zero status refuses it. The base has no reason to refuse (0).
    virtual uint16_t CheckReadyToSend() { return 0; }
    // The attribute that moves a page's content to the media's imageable
    // origin (x, y in dots): the transform of the render-state classes,
    // which are not in this tree yet, so null (no transform is added).
    virtual GAttribute* MakeOriginTransform(int16_t x, int16_t y);
    // The document settings (the driver context's settings).
    MPersistentObject* GetDocumentSettings() const { return GetSettings(); }
    // A group of the document settings by id, or null.
    MPersistentObject* FindGroup(uint32_t id) const;
    // The capability id of node 112 of the printer configuration, or null.
    GCapabilities* FindCapability(uint32_t id);
    void SetJobStatus(uint32_t status) { jobStatus_ = status; }

private:
    // SetUpJob's steps.
    void DecidePassThrough();
    void ChooseColourModes(MPersistentObject* group364);
    void ChooseRenderingMode(MPersistentObject* group364);
    void DecidePageScaling();
    void ReadCapabilityFlags();
    // BuildJobSettings' steps.
    void AddPortKind(GState& settings);
    void PlaceMedia(GState& group, MPersistentObject* typeSource, uint32_t limit);
    void AddMediaSetting(GState& settings, uint32_t switchId, uint32_t paperSettingId, uint32_t mediaId,
                         bool allowed);
    // The page number up to which a page counts as the first sheet.
    uint32_t FirstSheetLimit(MPersistentObject* pageSettings) const;
    // The page's scale from the configuration tree.
    void ScalePage(GState& pageSettings);
    // A new GState with id holding copies of group's children (empty for
    // a null group).
    static std::unique_ptr<GState> CopyGroup(MPersistentObject* group, uint32_t id);
    // Adds to target a copy of from's setting id when from has it, given
    // newId (0: its own id). Whether there was one.
    static bool AddCopy(GState& target, MPersistentObject* from, uint32_t id, uint32_t newId = 0);
    // The job name steps.
    RWCString TimeStamp() const;
    RWCString NameFromDocument() const;
    RWCString ToNarrow(const RWWString& text) const;
    bool IsShowable(RWWString& name);

    uint32_t documentPending_ = 0;
    uint32_t documentStarted_ = 0;
    RWWString documentName_;
    RWWString secondName_;
    uint32_t jobStatus_ = 0;
    uint32_t pageOpen_ = 0;
    uint32_t pageStartPending_ = 0;
    uint32_t jobValue_ = 0;
    GPlugHolder plugHolder_;
    GGrayConversion grayConversion_;
    uint32_t pageNumber_ = 0;
    uint32_t trueTypeAsBitmaps_ = 0;
    uint32_t textAsBlack_ = 0;
    int16_t renderingMode_ = 0;
    int16_t colourSourceMode_ = -1;
    uint16_t colourTargetMode_ = 0;
    uint32_t capabilityFlag113_ = 0;
    uint32_t capabilityFlag120_ = 0;
    uint32_t pageLayoutActive_ = 0;
    uint32_t outputFlag_ = 0;
    uint32_t firstPageFlag_ = 0;
    uint32_t pageScaling_ = 0;
    GScalePair pageScale_;
    uint32_t pageScaled_ = 0;
    GCountedPtr scalingSettings_;
    uint32_t lastScaledPage_ = 0;
    uint32_t greyScaleMode_ = 0;
    uint16_t writerClass_ = kAnyWriterClass;
    uint32_t pageMark_ = kNoPageMark;
    uint32_t passThrough_ = 0;
    uint32_t postScriptWriter_ = 0;
    RWWString jobName_;
    RWCString documentData_;
    uint32_t nameCodePage_ = 0;
    uint32_t letterheadFlag_ = 0;
    // A document was opened on the configuration tree: reset it before the
    // next one.
    uint32_t deviceOpen_ = 0;
    uint32_t applicationFlags_ = 0;
};
