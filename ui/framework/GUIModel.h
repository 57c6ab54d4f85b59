#pragma once
// The model side of one property sheet: made by UI_INITIALIZE in the sheet's
// block (GUIData) and deleted at UI_DESTROY. Features, control wrappers and
// availability rules reach the settings only through it:
//   - it hands out settings accessors on the current settings, the printer
//     configuration (read-only), the sheet's rule levels (composite 283 of
//     the current settings) and the initial settings (read-only);
//   - it records every change of a setting just before it happens, so that
//     changes can be undone and the rules learn which ids changed;
//   - it runs the rules until no id changes any more (at most 101 passes);
//   - it keeps a stack of snapshots that modal dialogs restore on Cancel.
// Everything runs on the sheet's thread.
//
// Update nesting: pages and dialogs bracket user interaction with
// BeginUpdate / EndUpdate; the outermost BeginUpdate starts a new change
// history. IsChanged answers only at nesting 0 or 1.
//
// Composite 283 holds each option's availability level at an id
// 0x40000000 + k and the string id of its reason at the next id, and the
// sheet's scratch values; it travels with the settings and survives a reset
// to defaults.
#include <cstdint>
#include <memory>
#include <vector>

#include "driver/GMediaNameEnumeration.h"
#include "rw/RWCString.h"
#include "ui/framework/GChangeRecord.h"
#include "ui/framework/GSettingsAccessor.h"
#include "winapi/WinTypes.h"

class GAttributeComposite;
class GConstraintRule;
class GCustomMediaSize;
class GDriver;
class GDriverContext;
class GFeature;
class GInstalledOptionsUpdater;
class GMedia;
class GQuicksetPool;
class MPersistentObject;
struct GUIData;
struct GWatermarkEditState;

class GUIModel {
public:
    // Passes of one propagation at most.
    static constexpr int16_t kMaxPasses = 101;

    // owner: the sheet's block, with its driver instance and settings. The
    // model adds an empty composite 283 to the settings (in place of one they
    // held) and takes a fresh default tree from the driver instance as its
    // initial settings.
    explicit GUIModel(GUIData* owner);
    GUIModel(const GUIModel&) = delete;
    GUIModel& operator=(const GUIModel&) = delete;
    // Deletes the rules, the records and the snapshots with theirs, and the
    // initial settings; writes a loaded quick-set pool back and deletes it.
    virtual ~GUIModel();

    // The seams the tabs fill: the quick-set pool's reader and writer, the
    // installed-options update.
    void SetQuicksetPoolStore(std::unique_ptr<GQuicksetPool> store);
    void SetInstalledOptionsUpdater(std::unique_ptr<GInstalledOptionsUpdater> updater);

    // --- Virtual operations ----------------------------------------------------
    // Runs the rules: with firstPass 1 every rule once even when nothing
    // changed; then again while ids keep changing. A call made while one
    // runs returns at once.
    virtual void Propagate(uint32_t firstPass);
    // The model owns the rule from now on; rules run in the order added.
    virtual void AddRule(std::unique_ptr<GConstraintRule> rule);
    // Nesting + 1; the outermost keeps the window and starts a new history.
    virtual void BeginUpdate(HWND window);
    // Nesting - 1, never below 0; at 0 the window is forgotten. The new nesting.
    virtual int16_t EndUpdate();
    // Writes each record's attribute back, newest first (so the oldest record
    // of an id wins), each from the root of the current settings; then
    // SetChanged(1). Record 276 is skipped; record 0x4000005C gives the model
    // a clone of it as its quick-set pool.
    virtual void ApplyRecords(const GChangeRecords& records);
    // Back to the settings at the outermost BeginUpdate; the history ends.
    virtual void UndoAll();
    // Before the first message: every rule runs once (with this window kept
    // when none is). Then the owner's page hook, when it has one (0 otherwise).
    virtual LRESULT OnPageMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // Installs a fresh default tree as the current settings (of the model and
    // of the owner), carrying over the objects 367 and 366 with the default
    // contents, and composite 283 as it is. What either tree lacks is left out
    // (an empty 283 when the current settings had none).
    virtual void ResetToDefaults();
    // Records attribute just before it changes (path: where it lies, none at
    // the accessor's level): a change record, a pending id, and a record in
    // every open snapshot that has none of this id yet.
    virtual void RecordChange(const MPersistentObject* attribute, const GAttributePath* path);
    virtual void SetChanged(uint32_t changed) { changed_ = changed; }
    virtual void PushSnapshot();
    // Takes the top snapshot off (nothing when there is none); with restore 1
    // its records are written back first.
    virtual void PopSnapshot(uint32_t restore);
    virtual uint32_t OwnerFlagBit2() const;
    // Update Now: starts the status tool, re-reads the installed options
    // (GInstalledOptionsUpdater) and copies them into the settings; the
    // re-read's status (0 when none ran).
    virtual uint16_t UpdateInstalledOptions();
    // The driver context re-derives the settings that depend on others: its
    // answer; then SetChanged(1).
    virtual int32_t ApplyContextDefaults();
    // The owner's flags & 3: bit 0 set means the sheet may not change settings.
    virtual uint32_t OwnerLockBits() const;
    // OwnerLockBits with bit 0 cleared while OwnerFlagBit2 is 1.
    virtual uint32_t EffectiveLockBits() const;
    virtual uint32_t OwnerFlagBit3() const;
    // Two tables of the driver context: the paper-number pairs (191) and the
    // resource-mapping list (194), which maps a tray id to its display string.
    virtual MPersistentObject* ContextValue1() const { return contextValue1_; }
    virtual MPersistentObject* ContextValue2() const { return contextValue2_; }
    // The window kept by the outermost BeginUpdate, null outside an update.
    virtual HWND Window() const { return window_; }
    // The changed flag at nesting 0 or 1, else 0.
    virtual uint32_t IsChanged() const;
    // The driver context's availability of an option: 0, 1 or 2 (any other
    // answer counts as 0).
    virtual uint16_t ContextFeatureState(uint16_t id);
    // 1 when both records hold equal attributes at matching places
    // (GChangeRecord::IsEqual), else 0.
    virtual int32_t RecordsEqual(const GChangeRecord& a, const GChangeRecord& b) const;

    // --- Accessors ---------------------------------------------------------------
    GSettingsAccessor CurrentSettings();
    GSettingsAccessor Defaults() { return GSettingsAccessor(configuration_, this, 1); }
    // Composite 283 of the current settings, found each time.
    GSettingsAccessor RuleLevels();
    GSettingsAccessor Settings3();
    GAttributeComposite* CurrentSettingsTree() const { return current_; }

    // --- Records ---------------------------------------------------------------
    // 1 when the newest record of the id since the outermost BeginUpdate has a
    // path matching path (GChangeRecord::PathsMatch; null: none).
    int32_t HasChangeRecord(uint32_t id, const GAttributePath* path) const;
    // keys := the pending ids.
    void CopyPendingKeys(std::vector<uint32_t>& keys) const;
    const GChangeRecords& ChangeRecords() const { return records_; }
    // The rules in the order they run.
    const std::vector<std::unique_ptr<GConstraintRule>>& Rules() const { return rules_; }
    uint16_t UpdateNesting() const { return nesting_; }
    size_t SnapshotCount() const { return snapshots_.size(); }

    // --- Quick sets -------------------------------------------------------------
    // Writes a loaded pool back (flags & 4 as the per-user flag).
    void SaveQuicksetPool();
    // The pool, loaded through the store on the first call with a source;
    // loaded: 1, or the store's answer when it loaded now. May be null.
    MPersistentObject* GetQuicksetPool(GFeature* source, uint32_t& loaded);
    // The stored object "RUVQuickset" of the printer; the caller owns it.
    std::unique_ptr<MPersistentObject> FindRUVQuickset();

    // --- The sheet and its printer ------------------------------------------------
    GUIData* Owner() const { return owner_; }
    GDriver* DriverInstance() const;
    // Node 378 (watermark pool), 314 and 701 of the current settings, or null.
    MPersistentObject* FindWatermarks() const;
    MPersistentObject* FindComposite314() const;
    MPersistentObject* FindComposite701() const;
    // The edit state the watermark features of this sheet share: the one a
    // living feature holds, else a new one. The model does not keep it
    // alive; it goes with the last feature holding it.
    std::shared_ptr<GWatermarkEditState> WatermarkEditState();
    // Find, add (composite 283 takes it over) and remove by id in composite 283.
    MPersistentObject* FindUIStateAttribute(uint32_t id) const;
    void AddUIStateAttribute(MPersistentObject* attribute);
    std::unique_ptr<MPersistentObject> RemoveUIStateAttribute(uint32_t id);
    // The media of the custom size sizeId at these resolutions, kept in
    // composite 283 as 0x40000017 (replacing the one made before); null
    // without the size, its entry or composite 283.
    GMedia* CustomMediaSize(uint16_t sizeId, uint16_t xResolution, uint16_t yResolution);
    // Of the first resolution entry (206): its dpi when x and y are equal and
    // below 32767, else 32767.
    uint16_t FirstSquareResolution() const;
    // Value 313 of the installed options (228) of the printer configuration;
    // 0 without node 228.
    int16_t GetConfigValue313() const;
    // 1 when the printer's writer is the PCL XL writer (GetWriterKind).
    int32_t IsPCLXLWriter() const;
    // The help file (string 374 of the configuration) in the folder of this
    // module's file; empty without 374.
    RWCString HelpFileName() const;
    // The driver context's default paper size.
    uint16_t QueryContextMode();
    // --- The driver context's operations on the current settings -------------------
    // The media names of the printer at the current settings to callback
    // (customSizes non-zero: the saved custom sizes too); the number of
    // calls. 0 without a driver context.
    int32_t ForwardToContext(GMediaNameCallback callback, void* data, uint32_t customSizes);
    // 1 when the custom size paperId of the current settings lies within the
    // printer's custom-size bounds.
    int32_t IsPaperSizeInRange(uint16_t paperId);
    // The check of a custom size before it is saved: non-zero when the
    // printer's custom-size range refuses it (or there is no printer to ask).
    int32_t CheckCustomSize(const GCustomMediaSize& size);
    // 1 when the printer does not list the media-type name.
    int32_t IsMediaNameUnlisted(const RWCString& name);
    // 2 for a custom size; else 1 when the writer knows the paper (or keeps
    // no paper table), 2 when not; at the current orientation and resolution.
    int32_t CheckPaperId(uint32_t paperId);
    // Saves size in the custom sizes (276) of the current settings, which
    // take it over (replacing one of its name): its new paper id (16385 to
    // 17383); 0 when no id is free, the list or the context is missing.
    uint16_t AddCustomSize(std::unique_ptr<GCustomMediaSize> size);
    // Removes a saved custom size of the current settings (276) through the
    // driver context: 1 when it was there.
    int32_t RemoveCustomSize(const GCustomMediaSize* size);

    // Starts the printer status tool (not on the oldest systems, and never
    // with a name holding a double quote).
    void LaunchStatusTool();

private:
    GDriverContext* Context() const;
    uint16_t ReReadInstalledOptions(GInstalledOptionsUpdater& updater, GDriver& driver, uint32_t family);
    void RemoveRules();
    void InstallSettings(std::unique_ptr<GAttributeComposite> fresh);

    GUIData* owner_;
    MPersistentObject* configuration_ = nullptr;
    GAttributeComposite* current_ = nullptr;
    std::unique_ptr<GAttributeComposite> initial_;
    // Current settings the model made when the owner has no block to keep them.
    std::unique_ptr<GAttributeComposite> ownedSettings_;
    std::unique_ptr<GQuicksetPool> poolStore_;
    std::unique_ptr<MPersistentObject> quicksetPool_;
    std::unique_ptr<GInstalledOptionsUpdater> updater_;
    std::vector<std::unique_ptr<GConstraintRule>> rules_;
    GChangeRecords records_;
    // Ids changed since the last pass, oldest first.
    std::vector<uint32_t> pendingKeys_;
    // The top snapshot is at the back.
    std::vector<GChangeRecords> snapshots_;
    uint16_t nesting_ = 0;
    uint32_t initialised_ = 0;
    uint32_t changed_ = 0;
    uint32_t propagating_ = 0;
    HWND window_ = nullptr;
    std::weak_ptr<GWatermarkEditState> watermarkState_;
    MPersistentObject* contextValue1_ = nullptr;
    MPersistentObject* contextValue2_ = nullptr;
};
