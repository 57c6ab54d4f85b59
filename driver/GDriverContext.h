#pragma once
// The per-printer state every driver instance carries (and the job context
// too): the printer's names, the configuration tree restored from the
// driver's data file, the model objects taken from it, the settings the
// context works with and the caches built from them. The driver server
// reaches every instance through it, and the platform services take it as
// the context of every printer-data operation.
//
// The context owns everything it holds; objects of the configuration tree
// and of printer data are held through counted pointers and released, never
// deleted directly.
//
// Lookups answer null, 0 or their default when a node is missing.
//
// The printer node (attribute 76 of the configuration tree) keeps its own
// configuration as its child node 198; GetPrinterConfiguration answers that
// node.
#include <cstdint>
#include <memory>

#include "model/GCountedPtr.h"
#include "rw/RWCString.h"
#include "rw/RWWString.h"
#include "winapi/WinSpool.h"

class GAttributeComposite;
class GCustomMediaSize;
class GDriver;
class GPrinterIdentity;
class GJobContext;
class GMediaPool;
class GResourceMappingList;
class MPersistentObject;

class GDriverContext {
public:
    static constexpr RWClassID kWriterKind = 765;
    // First paper id of the custom sizes.
    static constexpr uint32_t kFirstCustomPaperId = 16384;

    // Empty names, no objects, caches stale.
    GDriverContext();
    GDriverContext(const RWWString& printerName, const RWWString& driverName, const RWWString& portName);
    GDriverContext(const GDriverContext&) = delete;
    GDriverContext& operator=(const GDriverContext&) = delete;
    virtual ~GDriverContext();

    // --- Supplied by the driver instance (or the job context) -------------
    // The job-side interface; null for a driver instance.
    virtual GJobContext* AsJobObject() = 0;
    // The driver-instance interface.
    virtual GDriver* AsDriver() = 0;
    // Nothing to keep once parked.
    virtual void PrepareToPark() = 0;
    // A fresh tree of the printer's default settings; the caller owns it.
    virtual std::unique_ptr<GAttributeComposite> NewDefaultSettings() = 0;
    // The application-flags word (0x80 force monochrome, 0x200 paper sizes
    // from the media pool, 0x40100 public DEVMODE part only, ...).
    virtual uint32_t GetApplicationFlags() const = 0;

    // Paper, resolution and source answers of the driver instance, which
    // knows the spooler's forms and the printer's paper lists.
    // The DMPAPER value of a paper id and back; 1 on success.
    virtual int32_t PaperIdToDmPaper(uint32_t paperId, uint16_t& dmPaper) = 0;
    virtual int32_t DmPaperToPaperId(int16_t dmPaper, uint16_t& paperId) = 0;
    // 1 when the printer takes the DMPAPER value at this orientation (0 or
    // 90) and resolution; strict 0 allows the relaxed check.
    virtual int32_t AcceptsPaper(int32_t orientation, int32_t xDpi, int32_t yDpi, int32_t strict,
                                 int16_t dmPaper) = 0;
    // Non-zero when the printer prints at this resolution.
    virtual int32_t AcceptsResolution(int32_t xDpi, int32_t yDpi) = 0;
    // Non-zero when the DMBIN value names a paper source of the printer.
    virtual int32_t AcceptsBin(int16_t dmBin) = 0;
    // The id under which the media pool keeps the media of paperId for
    // these settings.
    virtual uint32_t MapPaperIdForSettings(MPersistentObject* settings, uint32_t paperId) = 0;
    // Copies the values of from that into also holds into into (after a blob
    // of the older form was read); returns into.
    virtual GAttributeComposite* MergeMatchingValues(const GAttributeComposite& from,
                                                     GAttributeComposite* into) = 0;
    // Fills a fresh resource-mapping list (DMBIN values and tray ids) from
    // the printer's current paper sources.
    virtual void FillResourceMappingList(GResourceMappingList& list) = 0;
    // The paper setting (260) of a spooler form index (1 for the first form)
    // and back; 1 on success.
    virtual int32_t FormIndexToPaperId(uint32_t formIndex, uint16_t& paperId) = 0;
    virtual int32_t PaperIdToFormIndex(uint16_t paperId, uint32_t& formIndex) = 0;
    // 1 when the printer takes the spooler form (its position in the
    // spooler's list from 0) at the angle (0 or 90); strict 0 allows the
    // relaxed check.
    virtual int32_t AcceptsForm(const FORM_INFO_1W& form, uint32_t position, int32_t strict,
                                int32_t angle) = 0;

    // --- The context's own operations ---------------------------------------
    // Marks the caches stale and drops the symmetric media pool.
    virtual void ResetCache();
    // Takes over the printer of a new request (a parked instance reused for
    // another printer of the same driver): its names, then ResetCache().
    virtual void ResetCache(const GPrinterIdentity& identity);
    // A new identity equal to the object's own (no printer handle); the
    // caller owns it.
    virtual std::unique_ptr<GPrinterIdentity> CopyIdentity() const;
    // What the context could give back under memory pressure: nothing.
    virtual int32_t ReleaseMemory() { return 0; }
    // The colour value: setting 339 of the configuration tree's root,
    // re-read when the caches are stale (kept when absent).
    virtual int32_t IsColour();
    // Adds object to composite, which then holds it (model/MPersistentObject.h
    // says who owns an object a node refuses). 1 when the composite kept it.
    virtual int32_t AddToComposite(MPersistentObject* composite, MPersistentObject* object);
    // 2 for custom ids (16384 and above); else 1 when node 192 of the
    // printer configuration names the id or there is no node 192, 2 when not.
    virtual int32_t CheckPaperId(const MPersistentObject* settings, uint32_t paperId, int32_t orientation,
                                 int32_t xDpi, int32_t yDpi);
    // CheckPaperId with the resolution (323, 324 in node 249) and the
    // orientation (265) of settings.
    virtual int32_t CheckPaperIdInSettings(MPersistentObject* settings, uint32_t paperId);
    // Gives size the lowest paper id from 16385 to 17383 that no size of list
    // carries, marks it changed, removes every size of list with its name,
    // and adds it to list (which takes it over): 1. 0 when no id is free;
    // nothing changes then and the caller keeps size. The third value is
    // not used.
    virtual int32_t AddCustomSize(GCustomMediaSize* size, MPersistentObject* list, uint32_t unused);
    // Removes the size (an entry of list, which deletes it): 1, or 0 when
    // list does not hold it.
    virtual int32_t RemoveCustomSize(const GCustomMediaSize* size, MPersistentObject* list);
    // The default paper id, worked out on the first call and kept: 23 (A4)
    // when the user's country code (the services' locale snapshot) is above
    // 2 and outside 50-59 and 500-599, else 1 (Letter).
    virtual uint32_t GetDefaultPaperId();
    // Node 401 of the printer configuration as wide text; empty when absent.
    virtual RWWString GetResourceLibraryPath();
    // Finds the child of node 369 whose string 370 equals name (both
    // upper-cased): 1, and its node 360 replaces target's child of that id
    // when it has one. 0 when no child matches.
    virtual int32_t ApplyNamedEntry(MPersistentObject* target, const RWCString& name);

    // The settings (null: the context's) put into the printer configuration:
    // the installed options of node 365 copied to their places, the stored
    // paper-handling and tray maps restored from printer data, and the
    // paper-handling units marked installed and keyed as the options say.
    // 0 without settings, else 1.
    virtual int32_t ApplySettings(MPersistentObject* settings);
    // Asked by a property sheet's UI model; the driver instance answers
    // them, the context itself has no answer (0).
    // Re-derives the settings that depend on the installed options and on
    // other settings: a status.
    virtual int32_t ApplyDependentSettings(MPersistentObject* settings);
    // The availability of the option of attribute id in settings: 0 enabled,
    // 1 disabled, 2 hidden.
    virtual int32_t GetFeatureState(MPersistentObject* settings, uint32_t id);
    // The paired id of the resource mappings (node 191: first and second
    // value) either way; 0 when absent.
    virtual uint16_t MapResourceId(uint16_t id);
    virtual uint16_t UnmapResourceId(uint16_t id);

    // --- Non-virtual ----------------------------------------------------------
    const RWWString& GetPrinterName() const { return printerName_; }
    const RWWString& GetDriverName() const { return driverName_; }
    const RWWString& GetPortName() const { return portName_; }
    // The configuration tree (node 353 of the data file), null before set.
    MPersistentObject* GetConfiguration() const { return configuration_.Get(); }
    // Node 76 of the configuration tree.
    MPersistentObject* GetPrinter() const;
    // The printer node's configuration; null without a printer node.
    // Virtual until the printer node is the device model's peripheral, whose
    // configuration operation will answer it.
    virtual MPersistentObject* GetPrinterConfiguration();
    // The printer node's child that is kind of 765 (the page-description
    // writer); null without a printer node.
    MPersistentObject* FindWriter() const;
    // The 16-bit value of node 958 of the printer configuration, 0 when absent.
    uint32_t GetSetting958();
    // 0 when a string child of node 1132 of the printer configuration equals
    // name exactly, else 1.
    int32_t IsMediaNameUnlisted(const RWCString& name);
    // 1 when the custom size with paperId (node 276 of settings, null: the
    // context's settings), as a media at the settings' resolution and
    // orientation, lies between the media 17389 and 17388 of node 189 in
    // both directions; else 0.
    int32_t IsPaperSizeInRange(uint16_t paperId, MPersistentObject* settings);
    // The same test for a custom size that need not be saved.
    int32_t IsCustomSizeInRange(const GCustomMediaSize& custom, MPersistentObject* settings);
    void SetDontShowJobName() { dontShowJobName_ = 1; }
    uint32_t GetDontShowJobName() const { return dontShowJobName_; }
    // The media pool the settings ask for: node 195 of the printer
    // configuration when setting 711 is set; else node 189, or, when setting
    // 713 is set, a pool of the same media with symmetric margins (each the
    // larger of the two), built once until ResetCache. Null without a
    // printer configuration. Owned by the configuration or the context.
    GMediaPool* GetMediaPool();
    // The custom-size media pool (node 189 of the printer configuration).
    GMediaPool* FindPrinterSetting189();
    // A setting of the printer node (depth first below node 76), or null.
    MPersistentObject* FindPrinterSetting(uint32_t id) const;

    // The resource-mapping list (node 194, or an empty list with that id).
    MPersistentObject* GetResourceMappingList() const { return resourceMappingList_.Get(); }
    // Node 191: pairs of 16-bit ids.
    MPersistentObject* GetResourceMappings() const { return resourceMappings_.Get(); }
    MPersistentObject* GetOSTrayMap() const { return osTrayMap_.Get(); }
    // The settings the context works with (null until given).
    MPersistentObject* GetSettings() const { return settings_.Get(); }

    // Setters of the driver server's initialisation; each releases what it
    // replaces. A null resource-mapping list installs an empty one.
    void SetConfiguration(MPersistentObject* configuration);
    void SetResourceMappings(MPersistentObject* mappings);
    void SetOSTrayMap(MPersistentObject* trayMap);
    void SetResourceMappingList(MPersistentObject* list);
    void SetSettings(MPersistentObject* settings);
    void SetNames(const RWWString& printerName, const RWWString& driverName, const RWWString& portName);

    // The platform services' object store with this context (null or 0
    // without services): RestoreObject in the raw binary form, StoreObject.
    std::unique_ptr<MPersistentObject> RestoreValue(const RWWString& name);
    int StoreValue(const RWWString& name, const MPersistentObject* object);
    // 0 when the stored physical settings ("PhySetting") differ from
    // settings in an installed option, or when an administrator's or the
    // automatic update ("LastUpdateType") left a setting 927 that is
    // neither 14113 nor 14119; else 1 (also without a snapshot or settings).
    int32_t IsPhysicalSettingCurrent(MPersistentObject* settings);
    // A stored value re-encoded in the current form: restored from portable
    // text, passed through the settings encoding (wide form) and stored
    // again under the same name. 1 when it was stored.
    int32_t ConvertStoredValue(const RWWString& name);
    // The same for the value named by *key in decimal; stored again under
    // the decimal text of the object's attribute id.
    int32_t ConvertNumberedValue(const uint32_t* key);

    // Copies settings 266, 267 and 268 from node 362 of from to node 329 of
    // to, each when both exist and are value attributes.
    static void CopyTrayValues(MPersistentObject* from, MPersistentObject* to);

protected:
    // The restored, re-encoded form of a stored object; null when the
    // encoding refuses it.
    std::unique_ptr<MPersistentObject> ThroughWideEncoding(const MPersistentObject& object);
    // node's depth-first find, null for a null node.
    static MPersistentObject* FindIn(MPersistentObject* node, uint32_t id);
    bool CachesStale() const { return cachesStale_ != 0; }
    void MarkCachesStale() { cachesStale_ = 1; }

private:
    RWWString printerName_;
    RWWString driverName_;
    RWWString portName_;
    GCountedPtr configuration_;
    uint32_t cachesStale_ = 1;
    int32_t colourValue_ = 0;
    GCountedPtr resourceMappings_;
    GCountedPtr osTrayMap_;
    GCountedPtr resourceMappingList_;
    GCountedPtr settings_;
    GCountedPtr symmetricPool_;
    uint32_t defaultPaperId_ = 0;
    uint32_t dontShowJobName_ = 0;
};
