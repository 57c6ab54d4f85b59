#pragma once
// The device interface of the job pipeline (kind id 760): every stage a
// played command stream passes through (page filters, peripheral
// composites, the printer, the job-control stage, the writers, add-on
// proxies) is a GPeripheral. It is itself a persistent attribute.
//
// Double dispatch: a command's Accept, and an attribute's Apply, call the
// one device operation of their own class with themselves. Each operation
// answers a 16-bit status, 0 for success; the base hands each to the
// operation of its category (graphic, command, render state, stage offer),
// which answers 0, so a device overrides only the operations or categories it
// cares about. The classes named by the operations come from the layers
// above (job/, paper/, device/, pdl/); only the ones a caller uses need to be
// complete.
//
// A command enters a device through Process, which applies the command's
// attached state to the device's own state, lets the command call back its
// operation (HandleCommand) and answers the command the next stage is to
// see: the command itself, or a GErrorCommand carrying a non-zero status and
// the failed command. A list command is walked child by child
// (HandleComposite).
//
// The device keeps two states (current and default, each a GState with id
// 243), a children composite (id 198), the document/page state word, the
// listeners it tells of changes (not owned), and an output channel that it
// may own (only the owner closes or aborts it; the object is shared).
//
// Saved form, after the GAttribute part (model/GAttribute.h):
//   u32 version (1), default state, current state, children (object
//   pointers), the listener list (a collection object: count and each
//   listener as an object pointer), the name (wide string), u32 add-on list
//   id, u32 PDL kind, u32 add-on mode.
// Channel, state word, caches, enabled flag, counter and flag are not saved.
// A restore refuses (fails) a graph whose states or children are missing or
// whose listener list names anything but a device met earlier in the same
// graph: listeners are not owned, so a device first met in a listener list
// would have no owner.
#include <cstdint>
#include <memory>

#include "model/GAttribute.h"
#include "model/GCountedPtr.h"
#include "model/GSettingIds.h"
#include "model/MPersistentClass.h"
#include "pipeline/GDeviceOperand.h"
#include "pipeline/GScalePair.h"
#include "rw/RWCarrier.h"
#include "rw/RWWString.h"

class GState;
class MPersistentComposite;
class RWSlistCollectables;
class GOutputChannel;

// The settings the attribute operations take.
class GValueAttribute;
class GStringAttribute;
class GEnumAttribute;
class GRangeAttribute;
class GMedia;
class GTray;

// The job commands and graphics.
class GCommand;
class GPathGraphic;
class GPolyBezierGraphic;
class GPolygonGraphic;
class GRectangleGraphic;
class GRasterGraphic;
class GTextStringGraphic;
class GDownloadFace;
class GDocumentStart;
class GDocumentEnd;
class GPageStart;
class GPageEnd;
class GJobAbort;
class GErrorCommand;
class GPassThroughCommand;
class GDownloadHeaderCommand;

// The render states.
class GBrush;
class GCap;
class GClipToPage;
class GClipToPath;
class GClipToRectangle;
class GClipToSingleRectangle;
class GColorMap;
class GDashedPen;
class GFillMode;
class GHalftone;
class GHalftoneEnhanced;
class GNeutralGrays;
class GEdgeControl;
class GSRGBColor;
class GSRGBExtension;
class GJoint;
class GMiterJoint;
class GNoBrush;
class GNoPen;
class GPen;
class GRasterOperation;
class GTransformAttribute;

// The writers and the job-control stage a printer can be handed.
class GCheetah;
class GPcl5e;
class GPostScript;
class GPJL;

class GPeripheral : public GAttribute {
    MPERSISTENT_KIND_MEMBERS(GPeripheral, GAttribute, 760)
    RW_DECLARE_GUTS()

public:
    static constexpr uint32_t ClassVersion() { return 1; }

    // The class of the transform a graphic bundle (244) holds.
    static constexpr uint16_t kTransformClassId = 103;

    // The state word.
    static constexpr uint32_t kIdle = 0;
    static constexpr uint32_t kInDocument = 1;
    static constexpr uint32_t kInPage = 2;

    // PDL kinds and add-on modes.
    static constexpr uint32_t kPdlGeneric = 0;
    static constexpr uint32_t kPdlPclXl = 1;
    static constexpr uint32_t kPdlPcl = 2;
    static constexpr uint32_t kPdlPostScript = 3;
    static constexpr uint32_t kPdlPjl = 4;
    static constexpr uint32_t kPdlNone = 6;
    static constexpr uint32_t kAddOnPerCommand = 0;
    static constexpr uint32_t kAddOnAtBuild = 1;
    static constexpr uint32_t kAddOnNever = 2;

    // Empty name, no channel or listeners, idle, add-on list id 64, PDL kind
    // 6, add-on mode 2, new empty states (243) and children (198), enabled,
    // counter and flag 0.
    GPeripheral();
    explicit GPeripheral(uint32_t id);
    // The words given; children: the given composite (taken over or shared)
    // or a new one; default state: the given one or a new one; then Reset,
    // so the current state is a deep copy of the default state.
    GPeripheral(const RWWString& name, GState* defaultState, MPersistentComposite* children, uint32_t id,
                uint32_t addOnListId, uint32_t pdlKind, uint32_t addOnMode);
    // Shares the states and children, copies the listeners, the name and the
    // words; idle, no channel, no caches.
    GPeripheral(const GPeripheral& other);
    // Nothing when other is this device or not different from it; else as
    // the copy (the channel this device owned is given up).
    GPeripheral& operator=(const GPeripheral& other);
    ~GPeripheral() override;

    uint32_t BinaryStoreSize() const override;
    // The GAttribute part, name, state word, add-on words, enabled flag, the
    // same listeners in the same order, and states and children each absent
    // on both sides or not different.
    bool IsEqualId(const MPersistentObject* other) const override;
    // A Copy whose states and children are deep copies of this device's,
    // without listeners.
    std::unique_ptr<MPersistentObject> Clone() const override;

    // 2. Applies every attribute of the current state, in order, to device;
    // the last non-zero status (0 when none); clears this device's changed.
    uint16_t Apply(GPeripheral& device) override;
    // 3. Plays command on this device; the command the next stage sees.
    virtual GCountedPtr Process(const GCountedPtr& command);
    // 4.-9. Installing and taking the states and the children. A given
    // object nobody holds is taken over; one held elsewhere is shared. The
    // states are stamped with id 243. Taken objects belong to the caller:
    // the object itself when this device held the last reference, else a
    // copy; a new empty one takes their place.
    virtual void SetDefaultState(GState* state);
    virtual void SetCurrentState(GState* state);
    virtual void SetChildren(MPersistentComposite* children);
    virtual std::unique_ptr<GState> TakeDefaultState();
    virtual std::unique_ptr<GState> TakeCurrentState();
    virtual std::unique_ptr<MPersistentComposite> TakeChildren();
    // 10. Enables the device, makes the current state a deep copy of the
    // default state, tells the listeners, and gives up the channel (an owned
    // one is released).
    virtual void Reset();
    // 11.
    virtual void SetName(const RWWString& name);
    // 12. Lets the command call its operation: a non-zero status answers a
    // new GErrorCommand carrying the status and the command.
    virtual GCountedPtr HandleCommand(const GCountedPtr& command);
    // 13. Plays a list command child by child while the device stays
    // enabled; a child that comes back as an error command ends the walk; a
    // child that comes back changed is replaced in the list, whose changed
    // mark is then set. Answers the list.
    virtual GCountedPtr HandleComposite(const GCountedPtr& command);
    // 14. The group FindAttribute finds for the attribute's id takes the
    // attribute's value; the attribute is held across the call, so the
    // caller may offer one nobody holds.
    virtual void AddAttribute(GAttribute* attribute);
    // 15. Applies the changed attributes of the group with that id to this
    // device; for the bundle group (244) a changed transform goes first and
    // marks the whole group changed.
    virtual void ApplyChangedAttributes(uint32_t id);
    // 16.-18. Listeners are not owned; each is told once per notice.
    virtual void AddListener(GPeripheral* listener);
    virtual void RemoveListener(GPeripheral* listener);
    virtual void NotifyListeners(GPeripheral* source);
    // 19. The group 244, 256 or 246 of the current state (found on first
    // request, or made empty and added, and cached until the current state
    // changes); the current state itself for any other id.
    virtual GState* FindAttribute(uint32_t id);
    // 20.
    virtual void SetInDocument();
    virtual void SetInPage();
    virtual void SetIdle();
    // 21. Not counted.
    virtual GState* GetCurrentState() const;
    virtual GState* GetDefaultState() const;
    virtual MPersistentComposite* GetChildren() const;
    // 22.
    virtual void GetName(RWWString& name) const;
    // 23.
    virtual int IsInDocument() const;
    virtual int IsInPage() const;
    // 24. Whether the device can take part in a job: 1 here.
    virtual int IsReady() const;
    // 25. The factor by which this device scales page content for the job's
    // settings, the paper settings and the page (cell) index; marker is the
    // caller's word (3 asks geometry devices for (0, 0)). (1, 1) here.
    virtual GScalePair GetDefaultScale(MPersistentObject* settings, MPersistentObject* paperSettings,
                                       uint32_t pageIndex, uint32_t* marker);
    // 26. The device's flags word; concrete devices answer their own. None
    // (0) here.
    virtual uint32_t GetFilterFlags() const;

    // The device operations fall into four categories by what they are
    // handed; the base's version of each hands its argument to the category's
    // operation, so a device can take a whole category in one place (a filter
    // handing render states on) and still override single operations:
    // - graphics (OnGraphic): the commands that put marks on a page, path,
    //   poly-Bezier, polygon, rectangle, raster and text string;
    // - commands (OnCommandOperation): the other commands of the stream, font
    //   download, document, flush, page, abort, error, pass-through and
    //   download header;
    // - render states (OnRenderState): the attributes a device's state holds
    //   and applies to it, brushes, pens, caps, joints, clips, fill mode,
    //   colour states, raster operation and the transform, and the settings
    //   (value, string, enum and range attributes, media, tray);
    // - stage offers (OnStageOffer): a writer or the job-control stage
    //   offering itself. These are devices, neither played in the stream nor
    //   held in a state, so a filter that hands on commands or states does not
    //   pass an offer on with them.
    // A category operation is handed its argument as a GDeviceOperand: most
    // of the classes live above this layer or are still to come, so the base
    // cannot view them as commands or attributes. The category operations
    // answer 0 here.
    virtual uint16_t OnGraphic(const GDeviceOperand& graphic);
    virtual uint16_t OnCommandOperation(const GDeviceOperand& command);
    virtual uint16_t OnRenderState(const GDeviceOperand& state);
    virtual uint16_t OnStageOffer(const GDeviceOperand& stage);

    // 27. Graphics (OnGraphic).
    virtual uint16_t OnPathGraphic(GPathGraphic& graphic);
    virtual uint16_t OnPolyBezierGraphic(GPolyBezierGraphic& graphic);
    virtual uint16_t OnPolygonGraphic(GPolygonGraphic& graphic);
    virtual uint16_t OnRectangleGraphic(GRectangleGraphic& graphic);
    // Also the pre-scaled raster graphic.
    virtual uint16_t OnRasterGraphic(GRasterGraphic& graphic);
    virtual uint16_t OnTextStringGraphic(GTextStringGraphic& graphic);
    // Not a graphic: a font download is a command of its own and marks
    // nothing (OnCommandOperation).
    virtual uint16_t OnDownloadFace(GDownloadFace& command);
    // 28.-34. Job commands (OnCommandOperation). The base first moves the
    // state word: start -> in document, page start -> in page, page end -> in
    // document, end and abort -> idle; an abort also aborts a channel this
    // device owns and answers the channel's status when it is not 0, else the
    // category's.
    virtual uint16_t OnDocumentStart(GDocumentStart& command);
    virtual uint16_t OnDocumentEnd(GDocumentEnd& command);
    // The flush command (class id 718).
    virtual uint16_t OnFlush(GCommand& command);
    virtual uint16_t OnPageStart(GPageStart& command);
    virtual uint16_t OnPageEnd(GPageEnd& command);
    virtual uint16_t OnJobAbort(GJobAbort& command);
    virtual uint16_t OnErrorCommand(GErrorCommand& command);
    virtual uint16_t OnPassThroughCommand(GPassThroughCommand& command);
    virtual uint16_t OnDownloadHeaderCommand(GDownloadHeaderCommand& command);
    // 36. Render states and settings, in the device's order (OnRenderState).
    virtual uint16_t OnBrush(GBrush& attribute);
    virtual uint16_t OnCap(GCap& attribute);
    virtual uint16_t OnClipToPage(GClipToPage& attribute);
    virtual uint16_t OnClipToPath(GClipToPath& attribute);
    virtual uint16_t OnClipToRectangle(GClipToRectangle& attribute);
    virtual uint16_t OnClipToSingleRectangle(GClipToSingleRectangle& attribute);
    virtual uint16_t OnColorMap(GColorMap& attribute);
    virtual uint16_t OnDashedPen(GDashedPen& attribute);
    virtual uint16_t OnFillMode(GFillMode& attribute);
    virtual uint16_t OnHalftone(GHalftone& attribute);
    virtual uint16_t OnHalftoneEnhanced(GHalftoneEnhanced& attribute);
    virtual uint16_t OnNeutralGrays(GNeutralGrays& attribute);
    virtual uint16_t OnEdgeControl(GEdgeControl& attribute);
    virtual uint16_t OnSRGBColor(GSRGBColor& attribute);
    virtual uint16_t OnSRGBExtension(GSRGBExtension& attribute);
    virtual uint16_t OnJoint(GJoint& attribute);
    virtual uint16_t OnMiterJoint(GMiterJoint& attribute);
    virtual uint16_t OnNoBrush(GNoBrush& attribute);
    virtual uint16_t OnNoPen(GNoPen& attribute);
    virtual uint16_t OnPen(GPen& attribute);
    virtual uint16_t OnRasterOperation(GRasterOperation& attribute);
    virtual uint16_t OnValueAttribute(GValueAttribute& attribute);
    virtual uint16_t OnStringAttribute(GStringAttribute& attribute);
    virtual uint16_t OnEnumAttribute(GEnumAttribute& attribute);
    virtual uint16_t OnRangeAttribute(GRangeAttribute& attribute);
    // Stage offers (OnStageOffer): a writer or job-control stage offers
    // itself to the device; a printer takes a copy of it.
    virtual uint16_t TakePclXlWriter(GCheetah& writer);
    virtual uint16_t TakePcl5Writer(GPcl5e& writer);
    virtual uint16_t TakePostScriptWriter(GPostScript& writer);
    virtual uint16_t TakePjlStage(GPJL& stage);
    // More settings and the transform (OnRenderState).
    virtual uint16_t OnMedia(GMedia& media);
    virtual uint16_t OnTray(GTray& tray);
    virtual uint16_t OnTransformAttribute(GTransformAttribute& attribute);

    uint32_t IsEnabled() const { return enabled_; }
    void Enable() { enabled_ = 1; }
    void Disable() { enabled_ = 0; }
    uint32_t GetCounter() const { return counter_; }
    void IncrementCounter() { ++counter_; }
    void ClearCounter() { counter_ = 0; }
    uint32_t GetFlag() const { return flag_; }
    void SetFlag() { flag_ = 1; }
    void ClearFlag() { flag_ = 0; }
    uint32_t GetStateWord() const { return stateWord_; }
    uint32_t GetAddOnListId() const { return addOnListId_; }
    uint32_t GetPdlKind() const { return pdlKind_; }
    uint32_t GetAddOnMode() const { return addOnMode_; }
    // The listeners in order (not owned).
    uint32_t GetListenerCount() const;
    GPeripheral* GetListener(uint32_t index) const;

    // The output channel (shared) and whether this device opened it.
    const std::shared_ptr<GOutputChannel>& GetChannel() const { return channel_; }
    uint32_t OwnsChannel() const { return ownsChannel_; }
    // Uses channel from now on; owned says this device opened it. The
    // channel used so far is given up (never closed here).
    void SetChannel(std::shared_ptr<GOutputChannel> channel, uint32_t owned);

    // When the add-on mode is not 2: rebuilds the add-on proxies in front of
    // the device's child devices from the library paths listed under the
    // add-on list id; RemoveAddOns takes every proxy out again. Only a device
    // with child devices (GPeripheralComposite) has anywhere to put them:
    // here they do nothing.
    virtual void RebuildAddOns();
    virtual void RemoveAddOns();

protected:
    // Forgets the three cached groups.
    void ClearCaches();
    // The listeners, copied, so a notice may change the list.
    std::unique_ptr<GPeripheral*[]> ListenersSnapshot(uint32_t& count) const;

private:
    void CopyFrom(const GPeripheral& other);
    GCountedPtr& CacheFor(uint32_t id);
    template <class Carrier> bool RestoreListeners(Carrier& carrier);

    RWWString name_;
    std::shared_ptr<GOutputChannel> channel_;
    uint32_t ownsChannel_ = 0;
    std::unique_ptr<RWSlistCollectables> listeners_;
    GCountedPtr bundleGroup_;   // 244
    GCountedPtr pageGroup_;     // 256
    GCountedPtr documentGroup_; // 246
    uint32_t stateWord_ = kIdle;
    uint32_t addOnListId_ = GSettingId::kAddOnList;
    uint32_t pdlKind_ = kPdlNone;
    uint32_t addOnMode_ = kAddOnNever;
    GCountedPtr currentState_;
    GCountedPtr defaultState_;
    GCountedPtr children_;
    uint32_t enabled_ = 1;
    uint32_t counter_ = 0;
    uint32_t flag_ = 0;
};
